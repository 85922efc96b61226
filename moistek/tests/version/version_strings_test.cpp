#include "version/version_strings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string ownPath() {
    return fs::read_symlink("/proc/self/exe").string();
}

VersionStrings filled(char c) {
    VersionStrings r;
    std::memset(&r, c, sizeof r);
    return r;
}

class VersionFiles : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("verstr-" + std::to_string(getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

}  // namespace

TEST(ReadVersionStrings, ReadsOwnStringsWithTranslation) {
    VersionStrings r = filled('?');
    ASSERT_EQ(ReadVersionStrings(r, ownPath().c_str()), 1);
    EXPECT_STREQ(r.FileVersion, "9.8.7.6");
    EXPECT_STREQ(r.ProductVersion, "2.0");
    EXPECT_STREQ(r.FileDescription, "空気線図作成ソフト");
    EXPECT_STREQ(r.InternalName, "with \\ backslash and \"quotes\"");
    // Strings the file does not carry are empty fields, not a failure.
    EXPECT_STREQ(r.ProductName, "");
    EXPECT_STREQ(r.LegalCopyright, "");
    EXPECT_STREQ(r.OriginalFilename, "");
    // A value longer than a field is cut to 259 bytes.
    EXPECT_EQ(std::strlen(r.CompanyName), 259u);
}

TEST(ReadVersionStrings, TranslationChoosesTheStringTable) {
    humidraw::VersionInfo info;
    ASSERT_TRUE(info.load(ownPath()));
    EXPECT_EQ(info.translation(), 0x040904B0u);
    EXPECT_TRUE(info.query("\\StringFileInfo\\040904B0\\FileVersion").has_value());
    EXPECT_TRUE(info.query("\\stringfileinfo\\040904b0\\fileversion").has_value());
    EXPECT_FALSE(info.query("\\StringFileInfo\\041103A4\\FileVersion").has_value());
}

TEST(ReadVersionStrings, BareNameFoundInProgramFolder) {
    VersionStrings r = filled('?');
    const std::string name = fs::path(ownPath()).filename().string();
    ASSERT_EQ(ReadVersionStrings(r, name.c_str()), 1);
    EXPECT_STREQ(r.FileVersion, "9.8.7.6");
}

TEST_F(VersionFiles, BareNameFoundAlongPath) {
    fs::copy_file(ownPath(), dir_ / "carrier");
    const char* old = std::getenv("PATH");
    const std::string saved = old ? old : "";
    setenv("PATH", ("/nonexistent:" + dir_.string()).c_str(), 1);
    EXPECT_EQ(humidraw::resolveLikeLoader("carrier"), (dir_ / "carrier").string());
    VersionStrings r = filled('?');
    EXPECT_EQ(ReadVersionStrings(r, "carrier"), 1);
    setenv("PATH", saved.c_str(), 1);
    EXPECT_STREQ(r.FileVersion, "9.8.7.6");
}

TEST_F(VersionFiles, UnreadableFilesFailAndLeaveRecordUntouched) {
    const VersionStrings before = filled('#');
    const auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return (dir_ / name).string();
    };
    // Our own file cut short at several places: headers or section table missing.
    std::ifstream in(ownPath(), std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(in)), {});
    const std::string paths[] = {
        (dir_ / "missing").string(),
        write("empty", ""),
        write("text", "not an executable at all"),
        write("elfheader", whole.substr(0, 64)),
        write("half", whole.substr(0, whole.size() / 2)),
        write("lastbyte", whole.substr(0, whole.size() - 1)),
    };
    for (const std::string& p : paths) {
        VersionStrings r = before;
        EXPECT_EQ(ReadVersionStrings(r, p.c_str()), 0) << p;
        EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0) << p;
    }
    VersionStrings r = before;
    EXPECT_EQ(ReadVersionStrings(r, nullptr), 0);
    EXPECT_EQ(ReadVersionStrings(r, "no-such-program-anywhere"), 0);
}

TEST_F(VersionFiles, FileWithoutVersionSectionFails) {
    // The shell is an ELF file without our section.
    VersionStrings r = filled('#');
    EXPECT_EQ(ReadVersionStrings(r, "/bin/sh"), 0);
    humidraw::VersionInfo info;
    const humidraw::Status loaded = info.load("/bin/sh");
    EXPECT_FALSE(loaded);
    EXPECT_EQ(loaded.error(), "/bin/sh has no section .verstrings");
}

TEST_F(VersionFiles, CorruptedSectionTableNeverCrashes) {
    std::ifstream in(ownPath(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GT(bytes.size(), 64u);
    // Point the section table far outside the file, then at every byte value in the count.
    std::string far = bytes;
    for (int i = 40; i < 48; ++i) far[i] = '\xff';
    std::ofstream(dir_ / "far", std::ios::binary) << far;
    VersionStrings r = filled('#');
    EXPECT_EQ(ReadVersionStrings(r, (dir_ / "far").c_str()), 0);
    std::string names = bytes;
    names[62] = '\xfe';  // the section-name table index beyond the table
    names[63] = '\xff';
    std::ofstream(dir_ / "names", std::ios::binary) << names;
    EXPECT_EQ(ReadVersionStrings(r, (dir_ / "names").c_str()), 0);
}
