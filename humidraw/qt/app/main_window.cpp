// The main window: start-up, placement, the settings record, the dialogs and shut-down.
#include "app/main_window.h"

#include <unistd.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QWheelEvent>

#include "app/about_box.h"
#include "app/coil_dialog.h"
#include "app/design_panel.h"
#include "app/command_dialogs.h"
#include "app/icons.h"
#include "app/main_window_p.h"
#include "app/paint_box.h"
#include "app/pickers.h"
#include "chart/construction.h"
#include "lang/language.h"
#include "settings/recent_files.h"
#include "version/version_strings.h"

namespace humidraw::app {

std::string settingsFileLocation(const std::string& programPath) {
    const std::string beside = settingsPathFor(programPath);
    const std::string folder = folderOf(programPath);
    if (access(folder.c_str(), W_OK) == 0) return beside;
    // An installed copy: the user's configuration folder keeps the settings instead.
    const QString config =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/humidraw";
    QDir().mkpath(config);
    return (config + "/humidraw.ini").toStdString();
}

std::string documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents.toStdString();
    return QDir::homePath().toStdString();
}

std::string captionFromVersion(const char* programFileName) {
    VersionStrings record;
    if (ReadVersionStrings(record, programFileName) == 1)
        return std::string("Humidraw ver.") + record.FileVersion + "b";
    return "Humidraw ver.0.3.3.60b";
}

TFmIX::Private::Private(TFmIX& window, std::string givenSettingsPath,
                        std::string givenProgramFolder, std::unique_ptr<UserPrompts> givenPrompts)
    : w(window),
      settingsPath(std::move(givenSettingsPath)),
      programFolder(std::move(givenProgramFolder)),
      prompts(givenPrompts ? std::move(givenPrompts) : std::make_unique<QtPrompts>(&window)),
      ini(settingsPath),
      session(*this, *prompts),
      editor(window) {}

void TFmIX::Private::documentSaved(const std::string& path) {
    w.rememberFile(path);
    w.historyMoved();
}

void TFmIX::Private::documentOpened(const std::string& path) {
    w.ViewIx();
    w.rememberFile(path);
    w.historyMoved();
}

TFmIX::TFmIX(std::string settingsPath, std::string programFolder,
             std::unique_ptr<UserPrompts> prompts)
    : d(std::make_unique<Private>(*this, std::move(settingsPath), std::move(programFolder),
                                  std::move(prompts))) {
    setObjectName("FmIX");
    setWindowIcon(programIcon());
    // 1. The caption with the program's version.
    d->caption = captionFromVersion("humidraw");
    setWindowTitle(QString::fromStdString(d->caption));
    setFont(QFont(QString::fromUtf8(kDefaultFontName), 9));
    // 2. Document and view.
    d->view = ViewState{};
    // 3. Settings.
    d->settings = loadSettings(d->ini, documentsFolder());
    for (int i = 1; i <= 4; ++i) d->cursors[i] = programCursor(i);

    createCommands();
    createMenus();
    createDataMenu();
    createToolBars();
    createClientArea();
    createDesignPanel();
    createEditingKeys();
    d->recentFiles = loadRecentFiles(d->ini);
    fillRecentMenu();
    setAcceptDrops(true);
    d->options = new TFOption(*this, this);
    d->about = new THumidrawAbout([this] { return QString::fromStdString(d->caption); },
                                  [this](bool e) { setMainEnabled(e); }, this);
    const auto enable = [this](bool e) { setMainEnabled(e); };
    d->textDialog = new TEdText1(enable, this);
    d->lineDialog = new TMk_Line(enable, this);
    d->pointDialog = new TID_Point(enable, this);
    d->coilDialog = new TAhu1(enable, this);
    connect(d->coilDialog->Button1, &QPushButton::clicked, this, [this] { A_Ahu1(); });
    connect(d->textDialog->Ed_Ok_Btn, &QPushButton::clicked, this, [this] { M_Text(); });
    connect(d->lineDialog->Button1, &QPushButton::clicked, this, [this] { M_Line(); });
    connect(d->pointDialog->Button1, &QPushButton::clicked, this, [this] { M_Point(); });
    connect(d->pointDialog->Button2, &QPushButton::clicked, this, [this] {
        d->pointDialog->hide();
        d->editor.abandonTypedPoint();
    });
    connect(d->pointDialog->Button3, &QPushButton::clicked, this,
            [this] { d->editor.commandEnd(); });
    // 4. Placement.
    placeWindow();
    // 5–7. An empty document, the pickers at the default attributes, cursor 1.
    d->attributes = kDefaultAttributes;
    setCursor(kCursorCross);
    // 8. The chart.
    if (!rebuildChart(d->settings)) {
        // No chart for the stored limits: the defaults' chart, and the user is told.
        const Settings fallback;
        d->prompts->tell("Humidraw", noChartMessage(d->settings), PromptIcon::Warning);
        d->settings.dbMin = fallback.dbMin;
        d->settings.dbMax = fallback.dbMax;
        rebuildChart(d->settings);
    }
    // 9. The fit, once the window is on the screen.
    d->timer2.setSingleShot(true);
    d->timer2.setInterval(300);
    connect(&d->timer2, &QTimer::timeout, this, [this] {
        ZoomAll();
        // A document given on the command line opens over the fitted window.
        if (!d->pendingOpen.empty()) openGiven(std::exchange(d->pendingOpen, {}));
    });
    d->timer2.start();
}

TFmIX::~TFmIX() {
    // The children go after the window's data: no event of theirs reaches the window then.
    d->scroll->viewport()->removeEventFilter(this);
    d->scroll->removeEventFilter(this);
}

// ---- what the window shows -------------------------------------------------------------------

QAction* TFmIX::action(Command c) const {
    return d->actions[static_cast<int>(c)];
}
void TFmIX::openAfterStart(const std::string& path) {
    d->pendingOpen = path;
}
const EditHistory& TFmIX::history() const {
    return d->session.history();
}
const std::vector<std::string>& TFmIX::recentFiles() const {
    return d->recentFiles;
}
Session& TFmIX::session() {
    return d->session;
}
const Session& TFmIX::session() const {
    return d->session;
}
const ViewState& TFmIX::view() const {
    return d->view;
}
bool TFmIX::fitted() const {
    return d->fitted;
}
const Settings& TFmIX::settings() const {
    return d->settings;
}
const ChartTable& TFmIX::chart() const {
    return d->chart;
}
const QImage& TFmIX::picture() {
    return d->picture.ensureAll();
}
Editor& TFmIX::editor() {
    return d->editor;
}
const ObjectTable& TFmIX::documentObjects() const {
    return d->session.objects();
}
const CurrentState& TFmIX::currentState() const {
    return d->session.state();
}
bool TFmIX::modified() const {
    return d->session.modified();
}
const std::string& TFmIX::documentTitle() const {
    return d->session.title();
}
const std::string& TFmIX::documentPath() const {
    return d->session.path();
}
TID_Point* TFmIX::pointDialog() const {
    return d->pointDialog;
}
TMk_Line* TFmIX::lineDialog() const {
    return d->lineDialog;
}
TEdText1* TFmIX::textDialog() const {
    return d->textDialog;
}
TAhu1* TFmIX::coilDialog() const {
    return d->coilDialog;
}
CoilReportWindow* TFmIX::coilReport() const {
    return d->coilReport;
}
PaintBox* TFmIX::paintBox() const {
    return d->box;
}
QScrollArea* TFmIX::scrollBox() const {
    return d->scroll;
}
TFOption* TFmIX::optionsDialog() const {
    return d->options;
}
THumidrawAbout* TFmIX::aboutBox() const {
    return d->about;
}
QToolBar* TFmIX::commandBar() const {
    return d->commandBar;
}
QToolBar* TFmIX::propertyBar() const {
    return d->propertyBar;
}
GlyphComboBox* TFmIX::colourPicker() const {
    return d->colourPicker;
}
QLabel* TFmIX::statusPanel(int i) const {
    return i == 0 ? d->panel0 : d->panel1;
}
MeasuredDataWindow* TFmIX::measuredDataWindow() const {
    return d->dataWindow;
}
const Settings& TFmIX::currentSettings() const {
    return d->settings;
}
double TFmIX::chartPressure() const {
    return d->settings.pressureMmHg;
}

// The editor's view of the window's data.
EditorDocument TFmIX::document() {
    return {d->session.objects(), d->session.history(), d->session.state(), d->attributes};
}
EditorView TFmIX::chartView() const {
    return {d->frame, screen(), d->settings.units, d->session.comfortInputs(),
            d->settings.pressureMmHg};
}
ObjectTable& TFmIX::objects() {
    return d->session.objects();
}
const ChartFrame& TFmIX::frame() const {
    return d->frame;
}
// The paint box's pixels: the chart at the view's zoom, unshifted (the scroll box scrolls).
ViewTransform TFmIX::screen() const {
    return {d->view.zoom};
}
CurrentState& TFmIX::state() {
    return d->session.state();
}
const CurrentAttributes& TFmIX::attributes() const {
    return d->attributes;
}
UnitSystem TFmIX::chartUnits() const {
    return d->settings.units;
}
EditHistory& TFmIX::history() {
    return d->session.history();
}

QAction* TFmIX::action(const std::string& name) const {
    for (QAction* a : d->actions)
        if (a && a->objectName().toStdString() == name) return a;
    return nullptr;
}

void TFmIX::createClientArea() {
    d->scroll = new QScrollArea(this);
    d->scroll->setObjectName("ScrollBox1");
    d->scroll->setFrameShape(QFrame::NoFrame);
    d->scroll->setAlignment(Qt::AlignCenter);
    d->scroll->setWidgetResizable(false);
    d->scroll->setBackgroundRole(QPalette::Window);
    d->picture.paintChart = [this](QPainter& p) { paintChartLayer(p); };
    d->picture.paintObjects = [this](QPainter& p) { paintObjectLayer(p); };
    d->box = new PaintBox(d->picture, d->scroll);
    d->box->onDensityChange = [this] { ViewIx(); };
    d->box->resize(680, 480);
    d->scroll->setWidget(d->box);
    setCentralWidget(d->scroll);
    d->scroll->viewport()->installEventFilter(this);
    d->scroll->installEventFilter(this);
    const auto button = [](QMouseEvent* e) {
        return e->button() == Qt::LeftButton     ? MouseButton::Left
               : e->button() == Qt::MiddleButton ? MouseButton::Middle
                                                 : MouseButton::Right;
    };
    d->box->onPress = [this, button](QMouseEvent* e) {
        d->editor.mouseDown(button(e), e->modifiers() & Qt::ShiftModifier, e->pos().x(),
                            e->pos().y());
    };
    d->box->onMove = [this](QMouseEvent* e) {
        d->editor.mouseMove(e->buttons() & Qt::LeftButton, e->buttons() & Qt::MiddleButton,
                            e->pos().x(), e->pos().y());
    };
    d->box->onRelease = [this, button](QMouseEvent* e) {
        d->editor.mouseUp(button(e), e->pos().x(), e->pos().y());
    };
    d->box->onDoubleClick = [this](QMouseEvent* e) {
        d->editor.doubleClick(e->pos().x(), e->pos().y());
    };

    d->panel0 = new QLabel(this);
    d->panel0->setMinimumWidth(300);  // grows when the font needs more for the readout
    d->panel1 = new QLabel(this);
    statusBar()->setObjectName("StatusBar1");
    statusBar()->addWidget(d->panel0);
    statusBar()->addWidget(d->panel1, 1);
}

void TFmIX::placeWindow() {
    const WindowBounds b = loadWindowBounds(d->ini);
    if (b.width == 0) {
        resize(724, 584);
        const QRect screen = QGuiApplication::primaryScreen()
                                 ? QGuiApplication::primaryScreen()->geometry()
                                 : QRect(0, 0, 1024, 768);
        move((screen.width() - 724) / 2, (screen.height() - 584) / 2);
    } else {
        // The stored place is the frame's corner, as the closing writes it.
        resize(std::max(200, b.width), std::max(150, b.height));
        move(b.left, b.top);
    }
}

void TFmIX::showDialog(QWidget* dialog) {
    // Centred over the main window, truncating toward zero.
    dialog->adjustSize();
    const QRect main = frameGeometry();
    dialog->move(main.left() + (main.width() - dialog->width()) / 2,
                 main.top() + (main.height() - dialog->height()) / 2);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void TFmIX::setMainEnabled(bool enabled) {
    // The window's own parts, not the dialogs it owns.
    menuBar()->setEnabled(enabled);
    centralWidget()->setEnabled(enabled);
    d->commandBar->setEnabled(enabled);
    d->propertyBar->setEnabled(enabled);
}

bool TFmIX::rebuildChart(const Settings& s) {
    ChartFrame frame = d->frame;
    if (!constructChart(s, d->metrics, frame, d->chart)) return false;
    d->frame = frame;
    ++d->chartBuild;
    return true;
}

bool TFmIX::applySettings(const Settings& s) {
    if (const Status st = checkLimits(s); !st) {
        d->prompts->tell("Humidraw", st.error(), PromptIcon::Warning);
        return false;
    }
    // Built at zoom 1.0; the view comes back as it was.
    const ViewState before = d->view;
    if (!rebuildChart(s)) {
        d->prompts->tell("Humidraw", noChartMessage(s),
                       PromptIcon::Warning);
        return false;
    }
    noteLanguageChange(s);
    const bool newPressure = s.pressureMmHg != d->settings.pressureMmHg;
    const bool newUnits = s.units != d->settings.units;
    d->settings = s;
    if (newPressure) d->session.pressureChanged();
    // The design's tables show its values at the pressure, in the units.
    if (newPressure || newUnits) historyMoved();
    const bool fitted = d->fitted;
    d->view = before;
    applyView();
    d->fitted = fitted;
    ViewIx();
    return true;
}

void TFmIX::noteLanguageChange(const Settings& s) {
    if (s.language == d->settings.language) return;
    const Language chosen = parseLanguage(s.language).value_or(languageFromEnvironment());
    if (chosen == currentLanguage()) return;
    d->prompts->tell(
        "Humidraw",
        tr("表示言語は、設定を保存して Humidraw を再起動すると切り替わります。").toStdString(),
        PromptIcon::Information);
}

bool TFmIX::saveSettings(const Settings& s) {
    if (const Status st = checkLimits(s); !st) {
        d->prompts->tell("Humidraw", st.error(), PromptIcon::Warning);
        return false;
    }
    noteLanguageChange(s);
    d->settings = s;
    if (const Status written = humidraw::saveSettings(d->ini, d->settings); !written) {
        d->prompts->tell(tr(kErrorCaption).toStdString(),
                         tr("設定ファイルに書き込めません: ").toStdString() + d->settingsPath +
                             "\n" + written.error(),
                         PromptIcon::Warning);
        return false;
    }
    d->prompts->tell("Humidraw", tr("設定を保存しました.").toStdString(), PromptIcon::Information);
    return true;
}

void TFmIX::Fend() {
    d->editor.commandEnd();
    // Saved, or not left: the program goes on.
    if (d->session.askToLeave(PromptIcon::Information) != Leaving::Go) return;
    // Ends at once with status 1; nothing is written.
    d->ending = true;
    QApplication::exit(1);
}

void TFmIX::closeEvent(QCloseEvent* e) {
    if (d->ending) {
        e->accept();
        return;
    }
    d->editor.commandEnd();
    d->editor.setLastCommand(Command::None);
    switch (d->session.askToLeave(PromptIcon::Warning)) {
        case Leaving::Stay:
            e->ignore();  // Cancel, or a save that did not happen: the window stays open
            return;
        case Leaving::Saved:
            e->accept();
            return;
        case Leaving::Go:
            break;
    }
    // The frame's corner (under a window manager the client area starts below the title bar):
    // the next start puts the window back where it was.
    saveClosingState(d->ini, d->settings.currentDir, {x(), width(), y(), height()});
    writeProfileBool(d->ini, "Form", "DesignPanel", !d->designPanel->isHidden());
    for (QWidget* w : std::initializer_list<QWidget*>{d->options, d->about, d->textDialog,
                                                      d->lineDialog, d->pointDialog})
        w->hide();
    e->accept();
}

void TFmIX::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        d->editor.escapeKey();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        d->editor.enterKey();
        return;
    }
    QMainWindow::keyPressEvent(e);
}

bool TFmIX::wheelZoom(QWheelEvent* e) {
    const QPoint at = d->box->mapFromGlobal(e->globalPosition().toPoint());
    d->editor.mouseMove(false, false, at.x(), at.y());
    if (e->angleDelta().y() == 0) return false;
    d->editor.wheel(e->angleDelta().y() > 0);
    e->accept();
    return true;
}

void TFmIX::wheelEvent(QWheelEvent* e) {
    if (!wheelZoom(e)) QMainWindow::wheelEvent(e);
}

bool TFmIX::eventFilter(QObject* watched, QEvent* e) {
    // The wheel over the chart zooms, before the scroll box would scroll with it.
    if (watched == d->scroll->viewport() && e->type() == QEvent::Wheel &&
        wheelZoom(static_cast<QWheelEvent*>(e)))
        return true;
    if (watched == d->scroll && e->type() == QEvent::Resize) keepFitted();
    return QMainWindow::eventFilter(watched, e);
}

}  // namespace humidraw::app
