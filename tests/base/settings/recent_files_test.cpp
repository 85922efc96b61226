// The list of recent documents: newest first, no repeats, eight at most, kept in the settings
// file beside the other settings.
#include "settings/recent_files.h"

#include "settings/settings.h"

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

namespace {

struct IniPath {
    fs::path path = fs::temp_directory_path() / ("names-" + std::to_string(getpid()) + ".ini");
    ~IniPath() { fs::remove(path); }
    std::string text() const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

}  // namespace

TEST(RecentFiles, AnyFileNameComesBackAsItWas) {
    IniPath ini;
    // Each name with the line it is stored as: a name the plain form keeps stays plain (CP932),
    // any other becomes file:// with %XX for the bytes outside a URI path's ASCII.
    struct Case {
        std::string name, line;
    } cases[] = {
        {"/d/a.hdw ", "File1=file:///d/a.hdw%20"},                 // blank: 0x20
        {"/d/Müller.hdw", "File2=file:///d/M%C3%BCller.hdw"},      // ü = U+00FC = C3 BC
        {"/d/R&D plan.hdw", "File3=file:///d/R&D%20plan.hdw"},     // blank inside: CP932 has it,
        {"/d/bad\xff.hdw", "File4=file:///d/bad%FF.hdw"},          // not UTF-8
        {"/d/two\nlines.hdw", "File5=file:///d/two%0Alines.hdw"},  // LF = 0x0A
        {"\"/d/q.hdw\"", "File6=file://%22/d/q.hdw%22"},          // quotes at both ends: 0x22
        {"/d/100%.hdw", "File7=/d/100%.hdw"},                     // plain: CP932 keeps it
        {"/d/空調.hdw", "File8=/d/\x8b\xf3\x92\xb2.hdw"},          // 空 8BF3, 調 92B2 in CP932
    };
    std::vector<std::string> names;
    for (const Case& c : cases) names.push_back(c.name);
    // "R&D plan" is plain too: only its blank in the middle, which reading keeps.
    cases[2].line = "File3=/d/R&D plan.hdw";
    IniFile file(ini.path.string());
    ASSERT_TRUE(saveRecentFiles(file, names));
    EXPECT_EQ(loadRecentFiles(IniFile(ini.path.string())), names);
    const std::string text = ini.text();
    for (const Case& c : cases)
        EXPECT_NE(text.find(c.line + "\r\n"), std::string::npos) << c.line << "\n" << text;
}

TEST(RecentFiles, EntriesOfEarlierVersionsReadAsBefore) {
    IniPath ini;
    // Written by hand the old way: CP932 text, blanks around and one pair of quotes taken off, a
    // value that is no CP932 left out; "file:" only as the new form's prefix "file://".
    std::ofstream(ini.path, std::ios::binary)
        << "[Recent]\r\nFile1=/d/\x8b\xf3\x92\xb2.hdw\r\nFile2=  /d/b.hdw  \r\n"
           "File3=\"/d/c.hdw\"\r\nFile4=/d/\x81.hdw\r\nFile5=file:///d/%41%zz\r\n"
           "File6=file:/d/e.hdw\r\nFile7=file:///d/nul%00.hdw\r\n"
           "[Setting]\r\nCurrentDir= /srv/old \r\n";
    const IniFile file(ini.path.string());
    EXPECT_EQ(loadRecentFiles(file),
              (std::vector<std::string>{"/d/空調.hdw", "/d/b.hdw", "/d/c.hdw", "file:/d/e.hdw"}))
        << "a cut CP932 byte, a bad escape and a NUL are left out";
    EXPECT_EQ(loadSettings(file, "/prog").currentDir, "/srv/old");
}

TEST(RecentFiles, TwoProgramsKeepEachOthersDocuments) {
    IniPath ini;
    IniFile a(ini.path.string()), b(ini.path.string());
    std::ofstream(ini.path) << "[Recent]\nFile1=/d/old.hdw\n";
    // Both start with the same list; B remembers its document and ends, then A remembers its.
    std::vector<std::string> shownA = loadRecentFiles(a), shownB = loadRecentFiles(b);
    shownB = rememberRecentFile(b, shownB, "/d/from_B.hdw");
    shownA = rememberRecentFile(a, shownA, "/d/from_A.hdw");
    const std::vector<std::string> both = {"/d/from_A.hdw", "/d/from_B.hdw", "/d/old.hdw"};
    EXPECT_EQ(shownA, both);
    EXPECT_EQ(loadRecentFiles(IniFile(ini.path.string())), both);
    // A's own entries the file no longer has (another program pushed them off) come after the
    // file's, still eight at most.
    std::vector<std::string> eight;
    for (int i = 1; i <= 8; ++i) eight.push_back("/d/" + std::to_string(i) + ".hdw");
    EXPECT_EQ(mergedRecentFiles(eight, {"/d/own.hdw"}), eight);
    EXPECT_EQ(mergedRecentFiles({"/d/1.hdw"}, {"/d/own.hdw", "/d/1.hdw"}),
              (std::vector<std::string>{"/d/1.hdw", "/d/own.hdw"}));
}

TEST(RecentFiles, AFolderOutsideCp932StillLetsThePlaceBeSaved) {
    IniPath ini;
    IniFile file(ini.path.string());
    EXPECT_TRUE(saveClosingState(file, "/home/u/Müller", {10, 700, 20, 500}));
    EXPECT_EQ(loadSettings(file, "/prog").currentDir, "/home/u/Müller");
    const WindowBounds b = loadWindowBounds(file);
    EXPECT_EQ((std::array<int, 4>{b.left, b.width, b.top, b.height}),
              (std::array<int, 4>{10, 700, 20, 500}));
}
