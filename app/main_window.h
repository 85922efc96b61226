#pragma once
// The main window: holds the settings, the chart, the document and the view, wires Qt events to
// the interaction layer and the commands; it computes nothing itself.
#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <QTimer>
#include <QToolBar>
#include <map>
#include <memory>

#include "app/options_dialog.h"
#include "app/prompts.h"
#include "chart/element.h"
#include "chart/frame.h"
#include "common/settings.h"
#include "document/attributes.h"
#include "document/editor.h"
#include "document/object_table.h"
#include "document/view_zoom.h"
#include "render/qt_text.h"

namespace humidraw::app {

class GlyphComboBox;
class PaintBox;
class THumidrawAbout;

// Where the program keeps its settings: beside the program, or in the user's configuration
// folder when the program's folder cannot be written.
std::string settingsFileLocation(const std::string& programPath);

// "Humidraw ver.<FileVersion>b", or the fallback when the program's version cannot be read.
std::string captionFromVersion(const char* programFileName);

class TFmIX : public QMainWindow, public EditorHost, public OptionsHost {
  public:
    TFmIX(std::string settingsPath, std::string programFolder,
          std::unique_ptr<UserPrompts> prompts = nullptr);
    ~TFmIX() override;

    // Commands by action name ("Fnew", "ZoomIn", …).
    QAction* action(const std::string& name) const;
    const std::map<std::string, QAction*>& actions() const { return actions_; }

    // The repaint: chart and objects into the picture, then onto the paint box.
    void ViewIx();
    void ZoomIn();
    void ZoomOut();
    void ZoomAll();
    void ZoomOrg();
    void Fend();

    const ViewState& view() const { return view_; }
    const Settings& settings() const { return settings_; }
    const ChartTable& chart() const { return chart_; }
    const QImage& picture() const { return picture_; }
    Editor& editor() { return editor_; }
    PaintBox* paintBox() const { return box_; }
    QScrollArea* scrollBox() const { return scroll_; }
    TFOption* optionsDialog() const { return options_; }
    THumidrawAbout* aboutBox() const { return about_; }
    QToolBar* commandBar() const { return commandBar_; }
    QToolBar* propertyBar() const { return propertyBar_; }
    GlyphComboBox* colourPicker() const { return colourPicker_; }
    const CurrentAttributes& attributes() const { return attributes_; }
    QLabel* statusPanel(int i) const { return i == 0 ? panel0_ : panel1_; }
    bool zoomInEnabled() const;
    bool zoomOutEnabled() const;

    // EditorHost
    void setStatus(int panel, const std::string& text) override;
    void setCursor(Cursor c) override;
    void zoomStep(bool in, bool atPointer) override;
    void scrollBy(int dx, int dy) override;

    // OptionsHost
    const Settings& currentSettings() const override { return settings_; }
    bool applySettings(const Settings& s) override;
    bool saveSettings(const Settings& s) override;
    void setMainEnabled(bool enabled) override;

  protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

  private:
    void createCommands();
    void createMenus();
    void createToolBars();
    void createClientArea();
    void placeWindow();
    void showDialog(QWidget* dialog);
    bool rebuildChart(const Settings& s);
    Viewport viewport() const;
    void applyView();
    void FormClose();

    std::string settingsPath_;
    std::string programFolder_;
    std::unique_ptr<UserPrompts> prompts_;
    IniFile ini_;
    Settings settings_;
    ChartFrame frame_;
    ChartTable chart_;
    ObjectTable objects_;
    ViewState view_;
    CurrentAttributes attributes_;
    QtTextMetrics metrics_;
    QImage picture_;
    Editor editor_;
    std::string caption_;
    std::string documentTitle_ = "Project";
    bool modified_ = false;
    bool ending_ = false;

    std::map<std::string, QAction*> actions_;
    QScrollArea* scroll_ = nullptr;
    PaintBox* box_ = nullptr;
    QLabel* panel0_ = nullptr;
    QLabel* panel1_ = nullptr;
    QToolBar* commandBar_ = nullptr;
    QToolBar* propertyBar_ = nullptr;
    GlyphComboBox* colourPicker_ = nullptr;
    GlyphComboBox* widthPicker_ = nullptr;
    GlyphComboBox* stylePicker_ = nullptr;
    QTimer timer2_;
    TFOption* options_ = nullptr;
    THumidrawAbout* about_ = nullptr;
    QCursor cursors_[5];
};

}  // namespace humidraw::app
