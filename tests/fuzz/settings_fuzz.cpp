// libFuzzer target for the settings file: any bytes in humidraw.ini are read into a settings
// record without a crash, undefined behaviour or a runaway, and the texts read are ones the
// program can use.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "settings/settings.h"

using namespace humidraw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = [] {
        const char* tmp = std::getenv("TMPDIR");
        return std::string(tmp && *tmp ? tmp : "/tmp") + "/settings-fuzz-" +
               std::to_string(getpid()) + ".ini";
    }();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out) std::abort();
    }
    const IniFile ini(path);
    const Settings s = loadSettings(ini, "/nonexistent");
    if (s.language != "" && s.language != "ja" && s.language != "en") std::abort();
    if (s.fontName.empty() || s.currentDir.empty()) std::abort();
    loadWindowBounds(ini);
    // Section and key names taken from the bytes themselves, as a damaged file may hold them.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const size_t eq = text.find('=');
    if (eq != std::string::npos && eq < 64) ini.readString("", text.substr(0, eq), "", 64);
    return 0;
}
