// How lines of a settings file are told apart: section heads, entries, comments, quotes.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "settings/ini_file.h"

namespace fs = std::filesystem;

namespace {
class IniSyntax : public testing::Test {
  protected:
    void SetUp() override {
        path_ = (fs::temp_directory_path() /
                 ("inisyntax-" + std::to_string(getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini"))
                    .string();
    }
    void TearDown() override { fs::remove(path_); }
    void write(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
    std::string contents() const {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string read(const std::string& section, const std::string& key) const {
        return humidraw::IniFile(path_).readString(section, key, "<none>");
    }
    std::string path_;
};
}  // namespace

TEST_F(IniSyntax, OnlyLinesOpeningWithABracketAreSectionHeads) {
    write(
        "[S]\n"
        "Folder=C:]x\n"  // a ']' inside a value opens nothing
        "a]b=2\n"
        "[\n"  // a lone bracket is no head either
        "After=3\n"
        "  [ T ]  \n"
        "K=4\n"
        "[Unclosed\n"  // no closing bracket: no head, the keys after it stay in T
        "L=5\n");
    EXPECT_EQ(read("S", "Folder"), "C:]x");
    EXPECT_EQ(read("S", "a]b"), "2");
    EXPECT_EQ(read("S", "After"), "3");
    EXPECT_EQ(read("T", "K"), "4") << "blanks around the head and its name";
    EXPECT_EQ(read("S", "K"), "<none>");
    EXPECT_EQ(read("T", "L"), "5");
    EXPECT_EQ(read("", "L"), "<none>");
}

TEST_F(IniSyntax, QuotesCommentsAndBlanks) {
    write(
        "[S]\n"
        "A = \"quoted value\" \n"
        "B='single'\n"
        "C=\"unbalanced'\n"
        "D=\"\n"
        "E=''\n"
        ";F=commented\n"
        " = no key\n"
        "G\n");
    EXPECT_EQ(read("S", "A"), "quoted value");
    EXPECT_EQ(read("S", "B"), "single");
    EXPECT_EQ(read("S", "C"), "\"unbalanced'") << "quotes of two kinds stay";
    EXPECT_EQ(read("S", "D"), "\"") << "one quote character is the value";
    EXPECT_EQ(read("S", "E"), "");
    EXPECT_EQ(read("S", ";F"), "<none>");
    EXPECT_EQ(read("S", ""), "<none>");
    EXPECT_EQ(read("S", "G"), "<none>");
}

TEST_F(IniSyntax, WritingAKeyAddsItAfterTheSectionsLastEntry) {
    write("[S]\r\nA=1\r\n\r\n; note\r\n[T]\r\nA=2\r\n");
    humidraw::IniFile ini(path_);
    ASSERT_TRUE(ini.writeString("S", "B", "new"));
    EXPECT_EQ(contents(), "[S]\r\nA=1\r\nB=new\r\n\r\n; note\r\n[T]\r\nA=2\r\n");
    ASSERT_TRUE(ini.writeString("t", "a", "3"));
    EXPECT_EQ(contents(), "[S]\r\nA=1\r\nB=new\r\n\r\n; note\r\n[T]\r\na=3\r\n");
    ASSERT_TRUE(ini.writeString("U", "Z", "9"));
    EXPECT_EQ(contents(), "[S]\r\nA=1\r\nB=new\r\n\r\n; note\r\n[T]\r\na=3\r\n[U]\r\nZ=9\r\n");
    // A file with '\n' alone keeps it.
    write("[S]\nA=1\n");
    ASSERT_TRUE(ini.writeString("S", "A", "2"));
    EXPECT_EQ(contents(), "[S]\nA=2\n");
}

TEST_F(IniSyntax, AFolderInPlaceOfTheFileIsReportedNotRead) {
    fs::create_directories(path_);
    humidraw::IniFile ini(path_);
    EXPECT_EQ(ini.readString("S", "A", "fallback"), "fallback");
    EXPECT_EQ(ini.writeString("S", "A", "1").failure(),
              (humidraw::Failure{humidraw::Reason::Unwritable, "同じ名前のフォルダがあります"}));
    EXPECT_TRUE(fs::is_directory(path_));
    fs::remove(path_);
}

TEST_F(IniSyntax, AFolderReadManyTimesLeavesNoDescriptorOpen) {
    // Reading a folder opens it and then fails: the descriptor must be closed on that path too.
    fs::create_directories(path_);
    const auto openDescriptors = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator{});
    };
    const auto before = openDescriptors();
    humidraw::IniFile ini(path_);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(ini.readString("S", "A", "fallback"), "fallback");
    EXPECT_EQ(openDescriptors(), before);
    fs::remove(path_);
}

TEST_F(IniSyntax, AnInterruptionReportedBeforeTheReadIsNotTakenForOne) {
    // errno keeps what an earlier call left; only a failed read means it was interrupted.
    write("[S]\nA=kept\n");
    errno = EINTR;
    EXPECT_EQ(humidraw::IniFile(path_).readString("S", "A", ""), "kept");
}

TEST_F(IniSyntax, ALineBreakInTheTextIsRefusedWithItsReason) {
    write("[S]\nA=1\n");
    humidraw::IniFile ini(path_);
    // Text that cannot be stored as one value: EILSEQ, 84 on Linux.
    EXPECT_EQ(ini.writeString("S", "A", "2\nB=3").failure(),
              (humidraw::Failure{humidraw::Reason::Unwritable,
                                 "書き込めませんでした（エラー番号 84）"}));
    EXPECT_EQ(contents(), "[S]\nA=1\n");
}

TEST_F(IniSyntax, ReadWhenStandardInputIsClosed) {
    // A program started with its standard input closed gets descriptor 0 for the next file it
    // opens: that is a file like any other.
    write("[S]\nA=read\n");
    const pid_t child = fork();
    if (child == 0) {
        close(0);
        _exit(humidraw::IniFile(path_).readString("S", "A", "") == "read" ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// The largest settings file read is 16 MiB = 16 777 216 bytes: one of exactly that length gives
// its values, one a byte longer is refused as unreadable and left as it is.
TEST_F(IniSyntax, FilesUpTo16MiBAreReadLongerOnesAreRefused) {
    const std::string head = "[S]\nK=v\n;";  // a comment line fills the rest up to the length
    for (const size_t length : {size_t{16} << 20, (size_t{16} << 20) + 1}) {
        const bool taken = length == size_t{16} << 20;
        const std::string bytes = head + std::string(length - head.size() - 1, 'c') + "\n";
        ASSERT_EQ(bytes.size(), length);
        write(bytes);
        EXPECT_EQ(read("S", "K"), taken ? "v" : "<none>") << length;
        humidraw::IniFile ini(path_);
        const humidraw::Status st = ini.writeString("S", "K", "w");
        EXPECT_EQ(st.ok(), taken) << length;
        if (!taken) {
            EXPECT_EQ(st.failure(), (humidraw::Failure{humidraw::Reason::Unwritable,
                                                      "ファイルを読み込めないため、書き換えません"}));
            EXPECT_TRUE(contents() == bytes) << "the file stays as it was";
        }
    }
}
