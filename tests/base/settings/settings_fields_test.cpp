// Every field of the window's place read back from the settings file, each under its own key.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "settings/settings.h"

namespace fs = std::filesystem;

TEST(SettingsFields, WindowBoundsEachFromItsKey) {
    const fs::path path =
        fs::temp_directory_path() / ("bounds-" + std::to_string(getpid()) + ".ini");
    std::ofstream(path) << "[Form]\r\nLeft=11\r\nWidth=22\r\nTop=33\r\nHeight=44\r\n";
    const humidraw::IniFile ini(path.string());
    const humidraw::WindowBounds b = humidraw::loadWindowBounds(ini);
    EXPECT_EQ(b.left, 11);
    EXPECT_EQ(b.width, 22);
    EXPECT_EQ(b.top, 33);
    EXPECT_EQ(b.height, 44);
    fs::remove(path);
    const humidraw::WindowBounds none = humidraw::loadWindowBounds(ini);
    EXPECT_EQ(none.left, 0);
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(none.top, 0);
    EXPECT_EQ(none.height, 0);
}
