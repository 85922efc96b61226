// The list of recent documents: newest first, no repeats, eight at most, kept in the settings
// file beside the other settings.
#include "settings/recent_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace humidraw;

TEST(RecentFiles, NewestFirstWithoutRepeatsAndEightAtMost) {
    std::vector<std::string> list;
    for (int i = 1; i <= 10; ++i) list = withRecentFile(list, "/d/" + std::to_string(i) + ".hdw");
    ASSERT_EQ(list.size(), 8u);
    EXPECT_EQ(list.front(), "/d/10.hdw");
    EXPECT_EQ(list.back(), "/d/3.hdw") << "1 and 2 fell off";
    list = withRecentFile(list, "/d/5.hdw");
    EXPECT_EQ(list.size(), 8u);
    EXPECT_EQ(list[0], "/d/5.hdw");
    EXPECT_EQ(list[1], "/d/10.hdw");
    EXPECT_EQ(std::count(list.begin(), list.end(), "/d/5.hdw"), 1);
    EXPECT_EQ(withRecentFile(list, "/d/a\nb.hdw"), list) << "a name with a line break is not kept";
    EXPECT_EQ(withRecentFile(list, ""), list);
}

TEST(RecentFiles, KeptInTheSettingsFileBesideTheOtherKeys) {
    const fs::path path =
        fs::temp_directory_path() / ("recent-" + std::to_string(getpid()) + ".ini");
    std::ofstream(path) << "[Setting]\r\nCurrentDir=/home/u\r\n";
    IniFile ini(path.string());
    EXPECT_TRUE(loadRecentFiles(ini).empty());
    const std::vector<std::string> files = {"/home/u/空調/plan.hdw", "/home/u/b.hdw"};
    ASSERT_TRUE(saveRecentFiles(ini, files));
    EXPECT_EQ(loadRecentFiles(IniFile(path.string())), files);
    EXPECT_EQ(ini.readString("Setting", "CurrentDir", ""), "/home/u") << "the rest stays";
    // A shorter list empties the places it no longer fills; a hand-edited file with a repeat
    // and a gap reads as the list without them.
    ASSERT_TRUE(saveRecentFiles(ini, {"/x.hdw"}));
    EXPECT_EQ(loadRecentFiles(ini), std::vector<std::string>{"/x.hdw"});
    std::ofstream(path) << "[Recent]\nFile1=/a.hdw\nFile3=/a.hdw\nFile4=/b.hdw\n";
    EXPECT_EQ(loadRecentFiles(ini), (std::vector<std::string>{"/a.hdw", "/b.hdw"}));
    fs::remove(path);
}
