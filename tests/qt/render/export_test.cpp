#include "render/export.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "chart/construction.h"
#include "metafile/metafile_export.h"
#include "render/qt_text.h"

using namespace humidraw;
namespace fs = std::filesystem;

namespace {

class Export : public testing::Test {
  protected:
    void SetUp() override {
        QtTextMetrics m;
        ASSERT_TRUE(constructChart(settings, m, frame, chart).ok());
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
    ASSERT_TRUE(exportDrawing(d, 1.875, (dir / "c.png").string()));
    const QImage png(QString::fromStdString((dir / "c.png").string()));
    EXPECT_EQ(png.width(), 1200);
    EXPECT_EQ(png.height(), 900);
    EXPECT_EQ(png.pixel(5, 5), qRgb(255, 255, 255)) << "white paper";
    int grey = 0;
    for (int x = 0; x < 1200; ++x)
        for (int y = 700; y < 780; ++y) grey += png.pixel(x, y) == qRgb(128, 128, 128);
    EXPECT_GT(grey, 500) << "grey chart lines near the base";

    ASSERT_TRUE(exportDrawing(d, 1.875, (dir / "c.svg").string()));
    std::ifstream svg(dir / "c.svg");
    std::stringstream text;
    text << svg.rdbuf();
    EXPECT_NE(text.str().find("<svg"), std::string::npos);
    EXPECT_NE(text.str().find("1200"), std::string::npos);
    EXPECT_NE(text.str().find("乾球温度"), std::string::npos);

    ASSERT_TRUE(exportDrawing(d, 1.0, (dir / "c.pdf").string()));
    EXPECT_EQ(head(dir / "c.pdf", 5), "%PDF-");
    for (const auto& e : fs::directory_iterator(dir))
        EXPECT_EQ(e.path().extension() == ".part", false) << e.path();
}

TEST_F(Export, FailedWriteKeepsThePreviousFile) {
    const Drawing d{frame, chart, objects, settings};
    EXPECT_FALSE(exportDrawing(d, 1.0, (dir / "missing" / "c.png").string()));
    EXPECT_FALSE(exportDrawing(d, 1.0, (dir / "c.emf").string()));
    EXPECT_FALSE(exportDrawing(d, 0, (dir / "c.png").string()));
    // A folder of that name cannot be replaced: the error is reported, the folder stays.
    fs::create_directories(dir / "taken.png");
    EXPECT_FALSE(exportDrawing(d, 1.0, (dir / "taken.png").string()));
    EXPECT_TRUE(fs::is_directory(dir / "taken.png"));
    EXPECT_NE(exportDrawing(d, 1.0, (dir / "taken.png").string())
                  .error()
                  .find("同じ名前のフォルダがあります"),
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
        EXPECT_TRUE(exportDrawing(d, 1.875, (dir / name).string()));
        return fs::file_size(dir / name);
    };
    for (const char* name : {"c.svg", "c.pdf"}) {
        const auto ordinary = sizeWithLineTo(-100, name);
        for (double far : {-1e4, -1e300})
            ASSERT_LE(sizeWithLineTo(far, name), ordinary + ordinary / 100) << name << far;
    }
}

namespace {

// Text records of an enhanced metafile: the UTF-16 text, its spacing array and its bounds'
// width.
struct EmfText {
    std::u16string text;
    std::vector<int32_t> dx;
    int32_t boundsWidth = 0;
};

std::vector<EmfText> emfTexts(const std::string& b) {
    const auto i32 = [&](size_t at) {
        int32_t v = 0;
        if (at + 4 <= b.size()) std::memcpy(&v, b.data() + at, 4);
        return v;
    };
    std::vector<EmfText> out;
    for (size_t pos = 0; pos + 8 <= b.size();) {
        const uint32_t type = static_cast<uint32_t>(i32(pos)), size = i32(pos + 4);
        if (size < 8 || pos + size > b.size()) break;
        if (type == 84) {  // EMR_EXTTEXTOUTW
            const size_t n = static_cast<size_t>(i32(pos + 44));
            const size_t offString = pos + i32(pos + 48), offDx = pos + i32(pos + 72);
            EmfText t;
            t.boundsWidth = i32(pos + 16) - i32(pos + 8);
            t.text.resize(n);
            t.dx.resize(n);
            if (offString + 2 * n <= b.size() && offDx + 4 * n <= b.size()) {
                std::memcpy(t.text.data(), b.data() + offString, 2 * n);
                std::memcpy(t.dx.data(), b.data() + offDx, 4 * n);
            }
            out.push_back(t);
        }
        pos += size;
    }
    return out;
}

}  // namespace

TEST_F(Export, MetafileTextSpacingFollowsTheFont) {
    const std::string emf = metafileBytes(MetafileFormat::Enhanced, frame, chart, objects, settings,
                                          screenTextExtent, screenCharAdvances);
    int32_t kanji = 0, digit = 0, period = 0;
    for (const EmfText& t : emfTexts(emf)) {
        int32_t sum = 0;
        for (int32_t d : t.dx) sum += d;
        EXPECT_EQ(sum, t.boundsWidth) << "the advances add up to the measured width";
        if (t.text == u"乾球温度 DB [℃]") {
            kanji = t.dx[0];
            EXPECT_NEAR(t.dx[1], kanji, 1) << "the kanji are alike";
        }
        if (t.text == u"0.010") {
            digit = t.dx[0], period = t.dx[1];
            EXPECT_NEAR(t.dx[2], digit, 1) << "the digits are alike";
            EXPECT_NEAR(t.dx[3], digit, 1);
        }
    }
    ASSERT_GT(digit, 0);
    // A kanji takes about the width of two digits, a period less than a digit.
    EXPECT_GE(kanji, 3 * digit / 2);
    EXPECT_LE(kanji, 5 * digit / 2);
    EXPECT_LT(period, digit);
}
