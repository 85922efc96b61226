// Humidraw: the psychrometric chart program.
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/language_choice.h"
#include "app/main_window.h"
#include "app/prompts.h"
#include "render/qt_text.h"
#include "text/visible_text.h"

namespace {

int signalPipe[2] = {-1, -1};

void onTerminate(int) {
    const char b = 1;
    [[maybe_unused]] const ssize_t n = write(signalPipe[1], &b, 1);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Humidraw for Windows");
    humidraw::installFontSubstitutions();
    const std::string program = QApplication::applicationFilePath().toStdString();
    const std::string folder = QApplication::applicationDirPath().toStdString();
    const std::string settingsPath = humidraw::app::settingsFileLocation(program);
    // The language before the first window: --lang, else the settings file's, else the locale's.
    QStringList arguments = QApplication::arguments();
    const auto lang = humidraw::app::takeLanguageArgument(arguments);
    if (!lang) {
        std::fprintf(stderr, "humidraw: %s\n", humidraw::visibleText(lang.error()).c_str());
        return 2;
    }
    const std::string chosen =
        humidraw::loadSettings(humidraw::IniFile(settingsPath), folder).language;
    humidraw::app::installLanguage(humidraw::app::startLanguage(*lang, chosen));
    humidraw::app::TFmIX window(settingsPath, folder);

    // A termination request (logout, `kill`) closes the window as its close box would, so the
    // closing steps run.
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
            char b;
            [[maybe_unused]] const ssize_t n = read(signalPipe[0], &b, 1);
            window.close();
        });
        std::signal(SIGTERM, onTerminate);
        std::signal(SIGINT, onTerminate);
    }
    // `humidraw FILE.hdw` (a file manager's way of opening a document) opens it once the
    // window is up; a relative name is taken from the folder the program was started in. The
    // name's bytes are taken as given, whatever the locale's encoding.
    char* here = getcwd(nullptr, 0);
    const std::string document = humidraw::app::documentArgument(
        std::vector<std::string>(argv, argv + argc), here ? here : "/");
    std::free(here);
    if (!document.empty()) window.openAfterStart(document);
    window.show();
    return app.exec();
}
