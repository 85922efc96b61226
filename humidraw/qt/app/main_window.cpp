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
#include "app/command_dialogs.h"
#include "app/icons.h"
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
    const QString documents =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents.toStdString();
    return QDir::homePath().toStdString();
}

std::string captionFromVersion(const char* programFileName) {
    VersionStrings record;
    if (ReadVersionStrings(record, programFileName) == 1)
        return std::string("Humidraw ver.") + record.FileVersion + "b";
    return "Humidraw ver.0.3.3.60b";
}

TFmIX::TFmIX(std::string settingsPath, std::string programFolder,
             std::unique_ptr<UserPrompts> prompts)
    : settingsPath_(std::move(settingsPath)),
      programFolder_(std::move(programFolder)),
      prompts_(prompts ? std::move(prompts) : std::make_unique<QtPrompts>(this)),
      ini_(settingsPath_),
      editor_(*this) {
    setObjectName("FmIX");
    setWindowIcon(programIcon());
    // 1. The caption with the program's version.
    caption_ = captionFromVersion("humidraw");
    setWindowTitle(QString::fromStdString(caption_));
    setFont(QFont(QString::fromUtf8(kDefaultFontName), 9));
    // 2. Document and view.
    view_ = ViewState{};
    // 3. Settings.
    settings_ = loadSettings(ini_, documentsFolder());
    for (int i = 1; i <= 4; ++i) cursors_[i] = programCursor(i);

    createCommands();
    createMenus();
    createDataMenu();
    createToolBars();
    createClientArea();
    createEditingKeys();
    recentFiles_ = loadRecentFiles(ini_);
    fillRecentMenu();
    setAcceptDrops(true);
    options_ = new TFOption(*this, this);
    about_ = new THumidrawAbout([this] { return QString::fromStdString(caption_); },
                                [this](bool e) { setMainEnabled(e); }, this);
    const auto enable = [this](bool e) { setMainEnabled(e); };
    textDialog_ = new TEdText1(enable, this);
    lineDialog_ = new TMk_Line(enable, this);
    pointDialog_ = new TID_Point(enable, this);
    coilDialog_ = new TAhu1(enable, this);
    connect(coilDialog_->Button1, &QPushButton::clicked, this, [this] { A_Ahu1(); });
    connect(textDialog_->Ed_Ok_Btn, &QPushButton::clicked, this, [this] { M_Text(); });
    connect(lineDialog_->Button1, &QPushButton::clicked, this, [this] { M_Line(); });
    connect(pointDialog_->Button1, &QPushButton::clicked, this, [this] { M_Point(); });
    connect(pointDialog_->Button2, &QPushButton::clicked, this, [this] {
        pointDialog_->hide();
        editor_.abandonTypedPoint();
    });
    connect(pointDialog_->Button3, &QPushButton::clicked, this, [this] { editor_.commandEnd(); });
    // 4. Placement.
    placeWindow();
    // 5–7. Document cleared, pickers at 7, 3, 0, cursor 1.
    objects_.clear();
    attributes_ = CurrentAttributes{};
    setCursor(kCursorCross);
    // 8. The chart.
    if (!rebuildChart(settings_)) {
        // No chart for the stored limits: the defaults' chart, and the user is told.
        const Settings fallback;
        prompts_->tell("Humidraw", noChartMessage(settings_), PromptIcon::Warning);
        settings_.dbMin = fallback.dbMin;
        settings_.dbMax = fallback.dbMax;
        rebuildChart(settings_);
    }
    // 9. The fit, once the window is on the screen.
    timer2_.setSingleShot(true);
    timer2_.setInterval(300);
    connect(&timer2_, &QTimer::timeout, this, [this] {
        ZoomAll();
        // A document given on the command line opens over the fitted window.
        if (!pendingOpen_.empty()) openGiven(std::exchange(pendingOpen_, {}));
    });
    timer2_.start();
}

TFmIX::~TFmIX() = default;

QAction* TFmIX::action(const std::string& name) const {
    for (QAction* a : actions_)
        if (a && a->objectName().toStdString() == name) return a;
    return nullptr;
}

void TFmIX::createClientArea() {
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("ScrollBox1");
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setWidgetResizable(false);
    scroll_->setBackgroundRole(QPalette::Window);
    picture_.paintChart = [this](QPainter& p) { paintChartLayer(p); };
    picture_.paintObjects = [this](QPainter& p) { paintObjectLayer(p); };
    box_ = new PaintBox(picture_, scroll_);
    box_->onDensityChange = [this] { ViewIx(); };
    box_->resize(680, 480);
    scroll_->setWidget(box_);
    setCentralWidget(scroll_);
    scroll_->viewport()->installEventFilter(this);
    scroll_->installEventFilter(this);
    const auto button = [](QMouseEvent* e) {
        return e->button() == Qt::LeftButton     ? MouseButton::Left
               : e->button() == Qt::MiddleButton ? MouseButton::Middle
                                                 : MouseButton::Right;
    };
    box_->onPress = [this, button](QMouseEvent* e) {
        editor_.mouseDown(button(e), e->modifiers() & Qt::ShiftModifier, e->pos().x(),
                          e->pos().y());
    };
    box_->onMove = [this](QMouseEvent* e) {
        editor_.mouseMove(e->buttons() & Qt::LeftButton, e->buttons() & Qt::MiddleButton,
                          e->pos().x(), e->pos().y());
    };
    box_->onRelease = [this, button](QMouseEvent* e) {
        editor_.mouseUp(button(e), e->pos().x(), e->pos().y());
    };
    box_->onDoubleClick = [this](QMouseEvent* e) {
        editor_.doubleClick(e->pos().x(), e->pos().y());
    };

    panel0_ = new QLabel(this);
    panel0_->setMinimumWidth(300);  // grows when the font needs more for the readout
    panel1_ = new QLabel(this);
    statusBar()->setObjectName("StatusBar1");
    statusBar()->addWidget(panel0_);
    statusBar()->addWidget(panel1_, 1);
}

void TFmIX::placeWindow() {
    const WindowBounds b = loadWindowBounds(ini_);
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
    commandBar_->setEnabled(enabled);
    propertyBar_->setEnabled(enabled);
}

bool TFmIX::rebuildChart(const Settings& s) {
    ChartFrame frame = frame_;
    if (!constructChart(s, metrics_, frame, chart_)) return false;
    frame_ = frame;
    ++chartBuild_;
    return true;
}

bool TFmIX::applySettings(const Settings& s) {
    if (const Status st = checkLimits(s); !st) {
        prompts_->tell("Humidraw", st.error(), PromptIcon::Warning);
        return false;
    }
    // Built at zoom 1.0; the view comes back as it was.
    const ViewState before = view_;
    if (!rebuildChart(s)) {
        prompts_->tell("Humidraw", noChartMessage(s),
                       PromptIcon::Warning);
        return false;
    }
    noteLanguageChange(s);
    settings_ = s;
    const bool fitted = fitted_;
    view_ = before;
    applyView();
    fitted_ = fitted;
    ViewIx();
    return true;
}

void TFmIX::noteLanguageChange(const Settings& s) {
    if (s.language == settings_.language) return;
    const Language chosen = parseLanguage(s.language).value_or(languageFromEnvironment());
    if (chosen == currentLanguage()) return;
    prompts_->tell(
        "Humidraw",
        tr("表示言語は、設定を保存して Humidraw を再起動すると切り替わります。").toStdString(),
        PromptIcon::Information);
}

bool TFmIX::saveSettings(const Settings& s) {
    if (const Status st = checkLimits(s); !st) {
        prompts_->tell("Humidraw", st.error(), PromptIcon::Warning);
        return false;
    }
    noteLanguageChange(s);
    settings_ = s;
    if (!humidraw::saveSettings(ini_, settings_)) {
        prompts_->tell(tr(kErrorCaption).toStdString(),
                       tr("設定ファイルに書き込めません: ").toStdString() + settingsPath_ + "\n" +
                           writeProblemText(ini_.lastWrite()),
                       PromptIcon::Warning);
        return false;
    }
    prompts_->tell("Humidraw", tr("設定を保存しました.").toStdString(), PromptIcon::Information);
    return true;
}

void TFmIX::Fend() {
    editor_.commandEnd();
    if (modified()) {
        bool saved = false;
        if (!askToSave(PromptIcon::Information, saved) || saved) return;  // the program goes on
    }
    // Ends at once with status 1; nothing is written.
    ending_ = true;
    QApplication::exit(1);
}

void TFmIX::closeEvent(QCloseEvent* e) {
    if (ending_) {
        e->accept();
        return;
    }
    editor_.commandEnd();
    editor_.setLastCommand(Command::None);
    if (modified()) {
        bool saved = false;
        if (!askToSave(PromptIcon::Warning, saved)) {
            e->ignore();  // Cancel, or a save that did not happen: the window stays open
            return;
        }
        if (saved) {
            e->accept();
            return;
        }
    }
    // The frame's corner (under a window manager the client area starts below the title bar):
    // the next start puts the window back where it was.
    saveClosingState(ini_, settings_.currentDir, {x(), width(), y(), height()});
    for (QWidget* w :
         std::initializer_list<QWidget*>{options_, about_, textDialog_, lineDialog_, pointDialog_})
        w->hide();
    e->accept();
}

void TFmIX::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        editor_.escapeKey();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        editor_.enterKey();
        return;
    }
    QMainWindow::keyPressEvent(e);
}

bool TFmIX::wheelZoom(QWheelEvent* e) {
    const QPoint at = box_->mapFromGlobal(e->globalPosition().toPoint());
    editor_.mouseMove(false, false, at.x(), at.y());
    if (e->angleDelta().y() == 0) return false;
    editor_.wheel(e->angleDelta().y() > 0);
    e->accept();
    return true;
}

void TFmIX::wheelEvent(QWheelEvent* e) {
    if (!wheelZoom(e)) QMainWindow::wheelEvent(e);
}

bool TFmIX::eventFilter(QObject* watched, QEvent* e) {
    // The wheel over the chart zooms, before the scroll box would scroll with it.
    if (watched == scroll_->viewport() && e->type() == QEvent::Wheel &&
        wheelZoom(static_cast<QWheelEvent*>(e)))
        return true;
    if (watched == scroll_ && e->type() == QEvent::Resize) keepFitted();
    return QMainWindow::eventFilter(watched, e);
}

}  // namespace humidraw::app
