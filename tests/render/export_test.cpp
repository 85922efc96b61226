#include "render/export.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "chart/construction.h"
#include "render/qt_text.h"

using namespace humidraw;
namespace fs = std::filesystem;

namespace {

class Export : public testing::Test {
  protected:
    void SetUp() override {
        QtTextMetrics m;
        ASSERT_EQ(constructChart(settings, m, frame, chart), FrameStatus::Ok);
        dir = fs::temp_directory_path() / ("export-" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string head(const fs::path& p, size_t n) {
        std::ifstream in(p, std::ios::binary);
        std::string s(n, '\0');
        in.read(s.data(), static_cast<std::streamsize>(n));
        return s.substr(0, static_cast<size_t>(in.gcount()));
    }
    Settings settings;
    ChartFrame frame;
    ChartTable chart;
    ObjectTable objects;
    fs::path dir;
};

}  // namespace

TEST_F(Export, FormatByExtensionInAnyCase) {
    EXPECT_EQ(formatForPath("a.PNG"), ExportFormat::Png);
    EXPECT_EQ(formatForPath("a.Svg"), ExportFormat::Svg);
    EXPECT_EQ(formatForPath("/x/y.pdf"), ExportFormat::Pdf);
    EXPECT_EQ(formatForPath("a.emf"), ExportFormat::Unknown);
    EXPECT_EQ(formatForPath("png"), ExportFormat::Unknown);
}

TEST_F(Export, EachFormatWritesAReadableFile) {
    const Drawing d{frame, chart, objects, settings};
    ASSERT_EQ(exportDrawing(d, 1.875, (dir / "c.png").string()), "");
    const QImage png(QString::fromStdString((dir / "c.png").string()));
    EXPECT_EQ(png.width(), 1200);
    EXPECT_EQ(png.height(), 900);
    EXPECT_EQ(png.pixel(5, 5), qRgb(255, 255, 255)) << "white paper";
    int grey = 0;
    for (int x = 0; x < 1200; ++x)
        for (int y = 700; y < 780; ++y) grey += png.pixel(x, y) == qRgb(128, 128, 128);
    EXPECT_GT(grey, 500) << "grey chart lines near the base";

    ASSERT_EQ(exportDrawing(d, 1.875, (dir / "c.svg").string()), "");
    std::ifstream svg(dir / "c.svg");
    std::stringstream text;
    text << svg.rdbuf();
    EXPECT_NE(text.str().find("<svg"), std::string::npos);
    EXPECT_NE(text.str().find("1200"), std::string::npos);
    EXPECT_NE(text.str().find("乾球温度"), std::string::npos);

    ASSERT_EQ(exportDrawing(d, 1.0, (dir / "c.pdf").string()), "");
    EXPECT_EQ(head(dir / "c.pdf", 5), "%PDF-");
    for (const auto& e : fs::directory_iterator(dir))
        EXPECT_EQ(e.path().extension() == ".part", false) << e.path();
}

TEST_F(Export, FailedWriteKeepsThePreviousFile) {
    const Drawing d{frame, chart, objects, settings};
    EXPECT_NE(exportDrawing(d, 1.0, (dir / "missing" / "c.png").string()), "");
    EXPECT_NE(exportDrawing(d, 1.0, (dir / "c.emf").string()), "");
    EXPECT_NE(exportDrawing(d, 0, (dir / "c.png").string()), "");
    // A folder of that name cannot be replaced: the error is reported, the folder stays.
    fs::create_directories(dir / "taken.png");
    EXPECT_NE(exportDrawing(d, 1.0, (dir / "taken.png").string()), "");
    EXPECT_TRUE(fs::is_directory(dir / "taken.png"));
    EXPECT_NE(
        exportDrawing(d, 1.0, (dir / "taken.png").string()).find("同じ名前のフォルダがあります"),
        std::string::npos);
}

TEST_F(Export, FarEndsGiveAnOrdinarySizedFile) {
    // A dashed line from the chart to h = -100 kcal/kg already leaves the sheet; taking its end
    // to -1e4 or -1e300 draws the same on the sheet and must write no more.
    const auto sizeWithLineTo = [&](double h, const char* name) {
        objects.clear();
        ObjectRecord line;
        line.kind = kLineBothMarkers;
        line.colour = 1;
        line.width = 3;
        line.style = 2;
        line.h1 = 10, line.x1 = 0.01, line.h2 = h, line.x2 = 0.01;
        objects.append(line);
        const Drawing d{frame, chart, objects, settings};
        EXPECT_EQ(exportDrawing(d, 1.875, (dir / name).string()), "");
        return fs::file_size(dir / name);
    };
    for (const char* name : {"c.svg", "c.pdf"}) {
        const auto ordinary = sizeWithLineTo(-100, name);
        for (double far : {-1e4, -1e300})
            ASSERT_LE(sizeWithLineTo(far, name), ordinary + ordinary / 100) << name << far;
    }
}
