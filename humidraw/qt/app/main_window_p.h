#pragma once
// The main window's data: the session and what the window shows it with. Only the window's own
// sources include this.
#include <QCursor>
#include <QMenu>
#include <QTimer>
#include <array>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/main_window.h"
#include "render/layered_picture.h"
#include "render/qt_text.h"
#include "session/session.h"
#include "settings/ini_file.h"

namespace humidraw::app {

struct TFmIX::Private final : SessionHost {
    Private(TFmIX& window, std::string settingsPath, std::string programFolder,
            std::unique_ptr<UserPrompts> givenPrompts);

    // SessionHost: the settings' folder, the header of the view, the picture and caption.
    std::string fileFolder() const override { return settings.currentDir; }
    void setFileFolder(const std::string& folder) override { settings.currentDir = folder; }
    DocumentHeader headerToSave() override { return w.headerToSave(); }
    std::string takeHeader(const DocumentHeader& h, std::optional<UnitSystem> units) override {
        return w.takeHeader(h, units);
    }
    UnitSystem chartUnits() const override { return w.settings().units; }
    double chartPressure() const override { return settings.pressureMmHg; }
    void documentSaved(const std::string& path) override;
    void documentOpened(const std::string& path) override;

    TFmIX& w;
    std::string settingsPath;
    std::string programFolder;
    std::unique_ptr<UserPrompts> prompts;
    IniFile ini;
    Settings settings;
    ChartFrame frame;
    ChartTable chart;
    Session session;
    MeasuredDataWindow* dataWindow = nullptr;
    DesignPanel* designPanel = nullptr;
    bool designPanelSized = false;  // given room beside the chart when first shown
    // The design layer the panel last showed while the editor repainted: a point being dragged
    // shows a new one at each move, and the panel follows it.
    std::shared_ptr<const PaintOverlay> panelDesign;
    DesignPointDialog* designPointDialog = nullptr;
    DesignProcessDialog* designProcessDialog = nullptr;
    AhuDialog* ahuDialog = nullptr;
    ViewState view;
    CurrentAttributes attributes;
    QtTextMetrics metrics;
    LayeredPicture picture;
    // What the chart layer shows: zoom, font, view flags and the chart's build.
    std::tuple<double, std::string, int, std::array<bool, kViewFlagCount>, int> chartKey;
    std::shared_ptr<const PaintOverlay>
        chartOverlay;  // the overlay the chart layer was painted with
    int chartBuild = 0;
    Editor editor;
    std::string caption;
    std::string pendingOpen;
    std::vector<std::string> recentFiles;
    QMenu* recentMenu = nullptr;
    int editedText = -1;  // the text the text dialog changes; -1: a new text is placed
    bool ending = false;
    bool fitted = false;  // the view is at 全体表示: it follows the window's size

    std::array<QAction*, kCommandCount> actions{};
    QScrollArea* scroll = nullptr;
    PaintBox* box = nullptr;
    QLabel* panel0 = nullptr;
    QLabel* panel1 = nullptr;
    QToolBar* commandBar = nullptr;
    QToolBar* propertyBar = nullptr;
    GlyphComboBox* colourPicker = nullptr;
    GlyphComboBox* widthPicker = nullptr;
    GlyphComboBox* stylePicker = nullptr;
    QTimer timer2;
    TFOption* options = nullptr;
    THumidrawAbout* about = nullptr;
    TID_Point* pointDialog = nullptr;
    TMk_Line* lineDialog = nullptr;
    TEdText1* textDialog = nullptr;
    TAhu1* coilDialog = nullptr;
    CoilReportWindow* coilReport = nullptr;
    // The segment pen of the marks: colour, width and pattern at the zoom of M_Free.
    Colour segmentColour = 0;
    int segmentWidth = 1;
    int segmentStyle = 0;
    QCursor cursors[5];
};

}  // namespace humidraw::app
