#pragma once
// The main window: shows the session (the document, its history and file) with the settings, the
// chart and the view, and wires Qt events to the interaction layer and the commands; it computes
// nothing itself. Its data is in main_window_p.h.
#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <QToolBar>
#include <functional>
#include <map>
#include <memory>

#include "app/design_dialogs.h"
#include "app/measured_data_window.h"
#include "app/options_dialog.h"
#include "app/prompts.h"
#include "chart/element.h"
#include "chart/frame.h"
#include "document/attributes.h"
#include "document/edit_history.h"
#include "document/object_table.h"
#include "document/state.h"
#include "interaction/editor.h"
#include "session/session.h"
#include "settings/settings.h"
#include "view/view_zoom.h"

namespace humidraw::app {

class GlyphComboBox;
class PaintBox;
class THumidrawAbout;
class TID_Point;
class TMk_Line;
class TEdText1;
class TAhu1;
class CoilReportWindow;
class AhuDialog;
class DesignPanel;
}  // namespace humidraw::app
class QPrinter;
namespace humidraw {
class QtCanvas;
}
namespace humidraw::app {

// Where the program keeps its settings: beside the program, or in the user's configuration
// folder when the program's folder cannot be written.
std::string settingsFileLocation(const std::string& programPath);

// Where file dialogs open while no folder is remembered: the user's documents folder (XDG) when it
// exists, else the home folder.
std::string documentsFolder();

// "Humidraw ver.<FileVersion>b", or the fallback when the program's version cannot be read.
std::string captionFromVersion(const char* programFileName);

// The main window: owns the document, chart, view and editor and wires Qt's events to them.
class TFmIX : public QMainWindow,
              public EditorHost,
              public EditorMarks,
              public EditorPrompt,
              public OptionsHost,
              public MeasuredDataHost,
              public DesignHost {
    Q_DECLARE_TR_FUNCTIONS(TFmIX)

  public:
    TFmIX(std::string settingsPath, std::string programFolder,
          std::unique_ptr<UserPrompts> prompts = nullptr);
    ~TFmIX() override;

    // The action of a command; by its object name ("Fnew", "ZoomIn", …) as the GUI tests find it.
    QAction* action(Command c) const;
    QAction* action(const std::string& name) const;

    // The repaint: the objects (and the chart when its settings or the zoom changed) are painted
    // again, as far as the paint box shows them.
    void ViewIx();
    void ZoomIn();
    void ZoomOut();
    void ZoomAll();
    void ZoomOrg();
    void Fend();
    // Drawing commands.
    void M_Free();
    void SsErase();
    void M_LineG();
    void M_Line();
    void M_TextG();
    void M_Text();
    void M_Point();
    void DataClear();
    void A_Ahu1G();
    // Output.
    void PrintIx();
    void MetaSave();
    void ToClip();
    // Prints on a printer set up already; false when painting failed.
    bool printOn(QPrinter& printer);
    // Writes the 1200 × 900 drawing by the name's extension; empty on success.
    Status exportTo(const std::string& path);
    void A_Ahu1();
    // File commands; the save routine answers whether the document was written.
    void Fnew();
    void Fopen();
    bool Fsave();
    bool Fsaveas();
    // Reads a document file into a new document and takes it when the whole file was read.
    bool openDocument(const std::string& path);
    // Opens a document given from outside (command line, drop, recent files): the save
    // question first, then the file; false when it was not opened.
    bool openGiven(const std::string& path);
    // A document to open once the window has made its first fit (the command line's).
    void openAfterStart(const std::string& path);
    // Editing: undo and redo of the last commands, the select command.
    void Undo();
    void Redo();
    void Select();
    const EditHistory& history() const;
    const std::vector<std::string>& recentFiles() const;
    // "Humidraw ver.… - [*]name.hdw", or the program's caption for a document without a file.
    QString documentCaption() const;

    // The document, its history and file.
    Session& session();
    const Session& session() const;
    const ViewState& view() const;
    bool fitted() const;
    const Settings& settings() const;
    const ChartTable& chart() const;
    // The whole picture, painted where it was not yet (device pixels).
    const QImage& picture();
    Editor& editor();
    const ObjectTable& documentObjects() const;
    const CurrentState& currentState() const;
    bool modified() const;
    const std::string& documentTitle() const;
    const std::string& documentPath() const;
    TID_Point* pointDialog() const;
    TMk_Line* lineDialog() const;
    TEdText1* textDialog() const;
    TAhu1* coilDialog() const;
    // The report of the last complete coil run; none before the first.
    CoilReportWindow* coilReport() const;
    PaintBox* paintBox() const;
    QScrollArea* scrollBox() const;
    TFOption* optionsDialog() const;
    THumidrawAbout* aboutBox() const;
    QToolBar* commandBar() const;
    QToolBar* propertyBar() const;
    GlyphComboBox* colourPicker() const;
    QLabel* statusPanel(int i) const;
    bool zoomInEnabled() const;
    bool zoomOutEnabled() const;

    // EditorHost, with the marks and prompts it hands out (main_window_document.cpp, …_view.cpp,
    // …_editing.cpp).
    EditorDocument document() override;
    EditorView chartView() const override;
    EditorMarks& marks() override { return *this; }
    EditorPrompt& prompt() override { return *this; }
    void zoomAtPointer(bool in) override { zoomStep(in, true); }
    void scrollBy(int dx, int dy) override;
    void repaint() override;
    void runCommand(Command c) override;
    void changed(Change what) override;
    // EditorPrompt
    void setStatus(int panel, const std::string& text) override;
    void setCursor(Cursor c) override;
    void tell(const std::string& caption, const std::string& text) override;
    bool pointDialogVisible() const override;
    void showPointDialog(const std::string& caption) override;
    void hidePointDialog() override;
    void editText(int index) override;
    // EditorMarks
    void prepareSegmentPen() override;
    void drawBand(PixelPoint from, PixelPoint to) override;
    void drawMarker(PixelPoint centre, int radius) override;
    void drawOutline(const Outline& o) override;
    void highlight(const ObjectRecord& r) override;
    TextExtent textExtent(const std::string& text) override;
    // The window's own side of the same.
    void zoomStep(bool in, bool atPointer);
    ObjectTable& objects();
    const ChartFrame& frame() const;
    // The paint box's pixels: the chart at the view's zoom, unshifted (the scroll box scrolls).
    ViewTransform screen() const;
    CurrentState& state();
    const CurrentAttributes& attributes() const;
    UnitSystem chartUnits() const override;
    EditHistory& history();
    void documentChanged();
    void selectionChanged();
    void highlightLine(const ObjectRecord& r);
    void highlightText(const ObjectRecord& r);

    // OptionsHost
    const Settings& currentSettings() const override;
    bool applySettings(const Settings& s) override;
    bool saveSettings(const Settings& s) override;
    // Tells the user when the options dialog chose another language than the one running.
    void noteLanguageChange(const Settings& s);
    void setMainEnabled(bool enabled) override;

    // MeasuredDataHost (main_window_data.cpp): the document's measured data and zones.
    MeasuredData measuredData() const override;
    void changeMeasuredData(MeasuredData data) override;
    double chartPressure() const override;
    void tellData(const std::string& caption, const std::string& text) override;
    std::optional<std::string> chooseDataFile(const std::string& caption,
                                              const std::string& filters, bool save) override;
    Prompts& dataPrompts() override;
    // The measured-data window, made when first shown.
    void showMeasuredData();
    MeasuredDataWindow* measuredDataWindow() const;

    // DesignHost (main_window_design.cpp): the document's design layer.
    const design::Design& currentDesign() const override;
    const design::DesignResult& currentDesignResult() const override;
    MoistAir designAir() const override;
    design::UnitSystem designUnits() const override;
    design::Look designLook() const override;
    void takeDesign(design::Design d) override;
    const std::optional<ahu::Unit>& currentUnit() const override;
    void takeUnit(ahu::Unit u) override;
    Prompts& designPrompts() override;
    std::optional<std::string> chooseExportFile(const std::string& caption,
                                                const std::string& filters) override;
    // 設計: a point placed by a click, the dialogs, the tables beside the chart.
    void startDesignPoint();
    void showDesignPointDialog();
    void showDesignProcessDialog();
    void showDesignPanel(bool shown);
    // The dialogs, made when first shown; the panel, made with the window.
    DesignPointDialog* designPointDialog() const;
    DesignProcessDialog* designProcessDialog() const;
    DesignPanel* designPanel() const;
    // 自動記入 → 空調機設計: the unit designer, made when first shown.
    void showAhuDialog();
    AhuDialog* ahuDialog() const;

  protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    // One zoom step at the pointer for a turn of the wheel; false for a sideways tilt.
    bool wheelZoom(QWheelEvent* e);
    void createCommands();
    void createMenus();
    void createDataMenu();
    void createDesignPanel();
    void createToolBars();
    void createClientArea();
    void placeWindow();
    void showDialog(QWidget* dialog);
    bool rebuildChart(const Settings& s);
    // The session's host: the header of a save, and an opened document's header taken.
    DocumentHeader headerToSave();
    std::string takeHeader(const DocumentHeader& h, std::optional<UnitSystem> units);
    // A command that changes the table as a whole (state-change line, coil run, 全消去): one step.
    template <typename F>
    void recordCommand(F change);
    // The caption, the undo and redo items and the pickers after the document or history moved.
    void historyMoved();
    void rememberFile(const std::string& path);
    void fillRecentMenu();
    void openingRecentMenu();
    void pickerChanged(LineAttribute p, int value);
    void createEditingKeys();
    void setPickers(int colour, int width, int style);
    Viewport viewport() const;
    // The view's scroll positions from the scroll bars (wheel, bars and panning move them).
    void takeScrollPositions();
    // Takes the view as it stands: no longer at 全体表示 until ZoomAll fits it again.
    void applyView();
    // A view at 全体表示 fits the scroll box again after it changed size (a zoomed view keeps
    // its zoom).
    void keepFitted();
    // The picture's layers: the chart on paper, and the document's objects over it.
    void paintChartLayer(QPainter& p);
    void paintObjectLayer(QPainter& p);
    // A mark drawn straight onto the picture within `area` (paint box pixels), which is painted
    // first; the paint box shows the area again.
    void drawMark(QRect area, const std::function<void(QtCanvas&)>& draw);

    struct Private;
    std::unique_ptr<Private> d;
};

}  // namespace humidraw::app
