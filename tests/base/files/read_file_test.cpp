// What sits at a file name is read only when it is a regular file within the limit: FIFOs and
// devices are refused without blocking, folders and missing files told apart.
#include "files/read_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using humidraw::ContentIdentity;
using humidraw::contentIdentity;
using humidraw::FileProblem;
using humidraw::readRegularFile;

namespace {

class ReadFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("humidraw-read-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    std::string write(const std::string& name, const std::string& bytes) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
    fs::path dir_;
};

TEST_F(ReadFile, WhatEachKindOfNameGives) {
    const std::string text = write("a.txt", std::string("line\n\0binary", 12));
    const std::string fifo = (dir_ / "fifo").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string link = (dir_ / "link").string();
    fs::create_symlink(text, link);
    fs::create_symlink("/dev/zero", dir_ / "zero");
    const std::string noRead = write("private", "x");
    fs::permissions(noRead, fs::perms::none);

    struct Case {
        std::string path;
        uint64_t limit;
        FileProblem problem;
        std::string bytes;
    } cases[] = {
        {text, 100, FileProblem::None, std::string("line\n\0binary", 12)},
        {text, 12, FileProblem::None, std::string("line\n\0binary", 12)},  // the limit itself
        {text, 11, FileProblem::TooLarge, ""},
        {link, 100, FileProblem::None, std::string("line\n\0binary", 12)},  // a link the user named
        {fifo, 100, FileProblem::NotRegular, ""},  // would wait for a writer if opened plainly
        {(dir_ / "zero").string(), 100, FileProblem::NotRegular, ""},
        {"/dev/null", 100, FileProblem::NotRegular, ""},
        {dir_.string(), 100, FileProblem::IsFolder, ""},
        {(dir_ / "none").string(), 100, FileProblem::NotFound, ""},
        {(dir_ / "a.txt" / "below").string(), 100, FileProblem::NotFound, ""},
        {write("empty", ""), 0, FileProblem::None, ""},
    };
    const bool root = geteuid() == 0;  // root reads a file of mode 000
    for (const Case& c : cases) {
        std::string out = "left over";
        EXPECT_EQ(readRegularFile(c.path, c.limit, out), c.problem) << c.path;
        EXPECT_EQ(out, c.bytes) << c.path;
    }
    std::string out;
    EXPECT_EQ(readRegularFile(noRead, 100, out),
              root ? FileProblem::None : FileProblem::NoPermission);
}

TEST_F(ReadFile, AFailureNamesTheFileAndTheReason) {
    const auto r = readRegularFile((dir_ / "gone.hdw").string(), 10);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error(), (dir_ / "gone.hdw").string() + ": ファイルが見つかりません");
    const auto big = readRegularFile(write("big", std::string(11, 'x')), 10);
    EXPECT_EQ(big.error(), (dir_ / "big").string() + ": ファイルが大きすぎます");
    const auto good = readRegularFile(write("ok", "0123456789"), 10);
    ASSERT_TRUE(good.ok());
    EXPECT_EQ(*good, "0123456789");
}

TEST_F(ReadFile, EachFailureHasItsReason) {
    using humidraw::Failure;
    using humidraw::Reason;
    const std::string fifo = (dir_ / "fifo").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string big = write("big", std::string(11, 'x'));
    const std::string gone = (dir_ / "gone.hdw").string();
    const struct {
        std::string path;
        Failure expected;
    } cases[] = {
        {gone, {Reason::Unreadable, gone + ": ファイルが見つかりません"}},
        {dir_.string(), {Reason::Unreadable, dir_.string() + ": フォルダです。ファイルを指定して下さい"}},
        {fifo, {Reason::Unreadable, fifo + ": 通常のファイルではありません"}},
        {big, {Reason::TooLarge, big + ": ファイルが大きすぎます"}},
    };
    for (const auto& c : cases) EXPECT_EQ(readRegularFile(c.path, 10).failure(), c.expected);
    EXPECT_EQ(humidraw::fileFailure(FileProblem::OutOfMemory),
              (Failure{Reason::OutOfMemory, "メモリが足りません"}));
}

namespace {

// The file status flags of the open descriptor of `path`, as the system shows them in
// /proc/self/fdinfo (octal); -1 when no descriptor of this process is open on it.
long openFlagsOf(const std::string& path) {
    std::error_code e;
    const fs::path target = fs::canonical(path, e);
    for (const auto& fd : fs::directory_iterator("/proc/self/fd", e)) {
        std::error_code le;
        if (fs::read_symlink(fd.path(), le) != target || le) continue;
        std::ifstream info("/proc/self/fdinfo/" + fd.path().filename().string());
        std::string key;
        while (info >> key)
            if (key == "flags:") {
                std::string octal;
                info >> octal;
                return std::stol(octal, nullptr, 8);
            }
    }
    return -1;
}

}  // namespace

// The descriptor is opened without blocking so that a FIFO cannot hang the open; a regular file
// is then read as any other, on a descriptor that blocks (a file system that honours the flag
// for files would otherwise have reads fail half way), and is not passed on to other programs.
TEST_F(ReadFile, ARegularFileIsReadOnABlockingDescriptor) {
    const std::string path = write("plain.txt", "0123456789");
    humidraw::InputFile in(path);
    ASSERT_TRUE(in.ok());
    const long flags = openFlagsOf(path);
    ASSERT_NE(flags, -1);
    const struct {
        const char* what;
        long mask, value;
    } cases[] = {
        {"read only", O_ACCMODE, O_RDONLY},
        {"blocking", O_NONBLOCK, 0},
        {"closed on exec", O_CLOEXEC, O_CLOEXEC},
    };
    for (const auto& c : cases) EXPECT_EQ(flags & c.mask, c.value) << c.what;
    char buffer[16];
    EXPECT_EQ(in.read(buffer, sizeof buffer), 10);
    EXPECT_EQ(std::string(buffer, 10), "0123456789");
}

TEST(ContentIdentity, LengthAndFnv1a64OfTheBytes) {
    // The published FNV-1a 64-bit test vectors.
    struct Case {
        std::string bytes;
        uint64_t hash;
    } cases[] = {
        {"", 0xcbf29ce484222325u},
        {"a", 0xaf63dc4c8601ec8cu},
        {"foobar", 0x85944171f73967e8u},
        {std::string("\0", 1), 0xaf63bd4c8601b7dfu},
    };
    for (const Case& c : cases) {
        const ContentIdentity id = contentIdentity(c.bytes);
        EXPECT_EQ(id.length, c.bytes.size()) << c.bytes;
        EXPECT_EQ(id.hash, c.hash) << c.bytes;
    }
}

}  // namespace
