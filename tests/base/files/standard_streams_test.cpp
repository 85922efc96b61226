// Lines read with their read errors told from the end, and standard output checked on exit.
#include "files/standard_streams.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using humidraw::LineReader;

TEST(LineReader, LinesWithoutTheirNewline) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::fputs("first\nsecond\r\n\nlast", f);
    std::rewind(f);
    LineReader reader(f);
    std::string line;
    const char* const expected[] = {"first", "second\r", "", "last"};
    for (const char* e : expected) {
        ASSERT_TRUE(reader.next(line));
        EXPECT_EQ(line, e);
    }
    EXPECT_FALSE(reader.next(line));
    EXPECT_EQ(reader.error(), "") << "a normal end";
    std::fclose(f);
}

TEST(LineReader, AFolderIsAReadError) {
    std::FILE* f = std::fopen(fs::temp_directory_path().c_str(), "r");
    ASSERT_NE(f, nullptr);
    LineReader reader(f);
    std::string line;
    EXPECT_FALSE(reader.next(line));
    EXPECT_EQ(reader.error(), std::strerror(EISDIR));
    std::fclose(f);
}

namespace {
ssize_t failsWithoutReason(void*, char*, size_t) {
    errno = 0;
    return -1;
}
}  // namespace

TEST(LineReader, AReadErrorWithoutReasonIsAnInputOutputError) {
    cookie_io_functions_t io{};
    io.read = failsWithoutReason;
    std::FILE* f = fopencookie(nullptr, "r", io);
    ASSERT_NE(f, nullptr);
    LineReader reader(f);
    std::string line;
    EXPECT_FALSE(reader.next(line));
    EXPECT_EQ(reader.error(), std::strerror(EIO));
    std::fclose(f);
}

namespace {
// Runs `body` in a child whose standard output is `target` (opened unbuffered when asked) and
// whose standard error goes to a file: the child's exit status and what it wrote there.
std::pair<int, std::string> inChild(const char* target, bool unbuffered, void (*body)()) {
    const fs::path err = fs::temp_directory_path() / ("stdstream-" + std::to_string(getpid()));
    const pid_t child = fork();
    if (child == 0) {
        if (!std::freopen(target, "w", stdout) || !std::freopen(err.c_str(), "w", stderr))
            _exit(99);
        if (unbuffered) std::setvbuf(stdout, nullptr, _IONBF, 0);
        body();
        const int result = humidraw::withOutputChecked(7, "prog");
        std::fflush(stderr);
        _exit(result);
    }
    int status = 0;
    waitpid(child, &status, 0);
    std::string text;
    if (std::FILE* f = std::fopen(err.c_str(), "r")) {
        char buf[256];
        while (std::fgets(buf, sizeof buf, f)) text += buf;
        std::fclose(f);
    }
    fs::remove(err);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}
void writeSome() {
    std::fputs("some output\n", stdout);
}
}  // namespace

TEST(StandardOutput, CheckedOnExit) {
    auto [status, text] = inChild("/dev/null", false, writeSome);
    EXPECT_EQ(status, 7) << "everything arrived: the program's own status";
    EXPECT_EQ(text, "");
    std::tie(status, text) = inChild("/dev/full", false, writeSome);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(text, std::string("prog: standard output: ") + std::strerror(ENOSPC) + "\n")
        << "the flush failed: its reason";
    std::tie(status, text) = inChild("/dev/full", true, writeSome);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(text, "prog: standard output: a write failed\n")
        << "the write failed earlier, the flush itself succeeded";
    std::tie(status, text) = inChild("/dev/full", false, [] {});
    EXPECT_EQ(status, 7) << "nothing written, nothing lost";
}
