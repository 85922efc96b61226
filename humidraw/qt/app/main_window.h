#pragma once
// The main window: holds the settings, the chart, the document and the view, wires Qt events to
// the interaction layer and the commands; it computes nothing itself.
#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QScrollArea>
#include <QTimer>
#include <QToolBar>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <tuple>

#include "app/measured_data_window.h"
#include "app/options_dialog.h"
#include "app/prompts.h"
#include "chart/element.h"
#include "chart/frame.h"
#include "document/attributes.h"
#include "document/edit_history.h"
#include "document/object_table.h"
#include "document/state.h"
#include "files/read_file.h"
#include "interaction/editor.h"
#include "render/layered_picture.h"
#include "render/qt_text.h"
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

// The caption of the main window's error messages (the window's context, "TFmIX").
inline constexpr char kErrorCaption[] = QT_TRANSLATE_NOOP("TFmIX", "Humidraw ｴﾗｰﾒｯｾｰｼﾞ");

// The main window: owns the document, chart, view and editor and wires Qt's events to them.
class TFmIX : public QMainWindow,
              public EditorHost,
              public EditorMarks,
              public EditorPrompt,
              public OptionsHost,
              public MeasuredDataHost {
    Q_DECLARE_TR_FUNCTIONS(TFmIX)

  public:
    TFmIX(std::string settingsPath, std::string programFolder,
          std::unique_ptr<UserPrompts> prompts = nullptr);
    ~TFmIX() override;

    // The action of a command; by its object name ("Fnew", "ZoomIn", …) as the GUI tests find it.
    QAction* action(Command c) const { return actions_[static_cast<int>(c)]; }
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
    void openAfterStart(const std::string& path) { pendingOpen_ = path; }
    // Editing: undo and redo of the last commands, the select command.
    void Undo();
    void Redo();
    void Select();
    const EditHistory& history() const { return history_; }
    const std::vector<std::string>& recentFiles() const { return recentFiles_; }
    // "Humidraw ver.… - [*]name.hdw", or the program's caption for a document without a file.
    QString documentCaption() const;

    const ViewState& view() const { return view_; }
    bool fitted() const { return fitted_; }
    const Settings& settings() const { return settings_; }
    const ChartTable& chart() const { return chart_; }
    // The whole picture, painted where it was not yet (device pixels).
    const QImage& picture() { return picture_.ensureAll(); }
    Editor& editor() { return editor_; }
    const ObjectTable& documentObjects() const { return objects_; }
    const CurrentState& currentState() const { return state_; }
    bool modified() const { return history_.modified(); }
    const std::string& documentTitle() const { return documentTitle_; }
    const std::string& documentPath() const { return documentPath_; }
    TID_Point* pointDialog() const { return pointDialog_; }
    TMk_Line* lineDialog() const { return lineDialog_; }
    TEdText1* textDialog() const { return textDialog_; }
    TAhu1* coilDialog() const { return coilDialog_; }
    // The report of the last complete coil run; none before the first.
    CoilReportWindow* coilReport() const { return coilReport_; }
    PaintBox* paintBox() const { return box_; }
    QScrollArea* scrollBox() const { return scroll_; }
    TFOption* optionsDialog() const { return options_; }
    THumidrawAbout* aboutBox() const { return about_; }
    QToolBar* commandBar() const { return commandBar_; }
    QToolBar* propertyBar() const { return propertyBar_; }
    GlyphComboBox* colourPicker() const { return colourPicker_; }
    QLabel* statusPanel(int i) const { return i == 0 ? panel0_ : panel1_; }
    bool zoomInEnabled() const;
    bool zoomOutEnabled() const;

    // EditorHost, with the marks and prompts it hands out (main_window_document.cpp, …_view.cpp,
    // …_editing.cpp).
    EditorDocument document() override { return {objects_, history_, state_, attributes_}; }
    EditorView chartView() const override { return {frame_, screen(), settings_.si}; }
    EditorMarks& marks() override { return *this; }
    EditorPrompt& prompt() override { return *this; }
    void zoomAtPointer(bool in) override { zoomStep(in, true); }
    void scrollBy(int dx, int dy) override;
    void repaint() override { ViewIx(); }
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
    ObjectTable& objects() { return objects_; }
    const ChartFrame& frame() const { return frame_; }
    // The paint box's pixels: the chart at the view's zoom, unshifted (the scroll box scrolls).
    ViewTransform screen() const { return {view_.zoom}; }
    CurrentState& state() { return state_; }
    const CurrentAttributes& attributes() const { return attributes_; }
    bool siUnits() const override { return settings_.si; }
    EditHistory& history() { return history_; }
    void documentChanged();
    void selectionChanged();
    void highlightLine(const ObjectRecord& r);
    void highlightText(const ObjectRecord& r);

    // OptionsHost
    const Settings& currentSettings() const override { return settings_; }
    bool applySettings(const Settings& s) override;
    bool saveSettings(const Settings& s) override;
    // Tells the user when the options dialog chose another language than the one running.
    void noteLanguageChange(const Settings& s);
    void setMainEnabled(bool enabled) override;

    // MeasuredDataHost (main_window_data.cpp): the document's measured data and zones.
    MeasuredData measuredData() const override;
    void changeMeasuredData(MeasuredData data) override;
    double chartPressure() const override { return settings_.pressureMmHg; }
    void tellData(const std::string& caption, const std::string& text) override;
    std::optional<std::string> chooseDataFile(const std::string& caption,
                                              const std::string& filters, bool save) override;
    // The measured-data window, made when first shown.
    void showMeasuredData();
    MeasuredDataWindow* measuredDataWindow() const { return dataWindow_; }

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
    // The companion file beside a document, read after opening it (the user told when it
    // cannot be, or belongs to other bytes of the document: its data is then taken only when
    // the user says so); `identity`: the document bytes opened.
    void loadCompanionOf(const std::string& path, const ContentIdentity& identity);
    // Writes the document's bytes and its companion as one; false (with the user told) when
    // they could not be written.
    bool saveWithCompanion(const std::string& bytes);
    // False when the document changed on disk since it was opened or saved and the user chose
    // not to overwrite it.
    bool overwriteChangedFile();
    void createToolBars();
    void createClientArea();
    void placeWindow();
    void showDialog(QWidget* dialog);
    bool rebuildChart(const Settings& s);
    bool saveRoutine(bool saveAs);
    // The save question; false when the command is to stop here.
    bool askToSave(PromptIcon icon, bool& saved);
    void clearDocument();
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

    std::string settingsPath_;
    std::string programFolder_;
    std::unique_ptr<UserPrompts> prompts_;
    IniFile ini_;
    Settings settings_;
    ChartFrame frame_;
    ChartTable chart_;
    ObjectTable objects_;
    MeasuredDataWindow* dataWindow_ = nullptr;
    // The document file as it was opened or last saved (its path and bytes), and whether the
    // companion beside it there was not understood: such a companion is never removed.
    std::string onDiskPath_;
    ContentIdentity onDisk_;
    bool companionKept_ = false;
    ViewState view_;
    CurrentAttributes attributes_;
    QtTextMetrics metrics_;
    LayeredPicture picture_;
    // What the chart layer shows: zoom, font, view flags and the chart's build.
    std::tuple<double, std::string, int, std::array<bool, kViewFlagCount>, int> chartKey_;
    std::shared_ptr<const PaintOverlay> chartOverlay_;  // the overlay the chart layer was painted with
    int chartBuild_ = 0;
    Editor editor_;
    std::string caption_;
    CurrentState state_;
    std::string documentTitle_ = "Project";
    std::string documentPath_;
    EditHistory history_;
    std::string pendingOpen_;
    std::vector<std::string> recentFiles_;
    QMenu* recentMenu_ = nullptr;
    int editedText_ = -1;  // the text the text dialog changes; -1: a new text is placed
    bool ending_ = false;
    bool fitted_ = false;  // the view is at 全体表示: it follows the window's size

    std::array<QAction*, kCommandCount> actions_{};
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
    TID_Point* pointDialog_ = nullptr;
    TMk_Line* lineDialog_ = nullptr;
    TEdText1* textDialog_ = nullptr;
    TAhu1* coilDialog_ = nullptr;
    CoilReportWindow* coilReport_ = nullptr;
    // The segment pen of the marks: colour, width and pattern at the zoom of M_Free.
    Colour segmentColour_ = 0;
    int segmentWidth_ = 1;
    int segmentStyle_ = 0;
    QCursor cursors_[5];
};

}  // namespace humidraw::app
