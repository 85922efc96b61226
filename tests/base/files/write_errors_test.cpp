// What a failed write reports: the reason a caller shows and the errno it logs, for every
// error the system can give while the bytes go to disk.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "files/safe_replace.h"
#include "support/other_user.h"

using namespace humidraw;
namespace fs = std::filesystem;

namespace {

int injected = 0;    // the errno the next write fails with
int interrupts = 0;  // writes that are interrupted before any byte is written
bool zeroOnce = false;

ssize_t failingWrite(int, const void*, size_t) {
    errno = injected;
    return -1;
}

ssize_t interruptedWrite(int fd, const void* data, size_t size) {
    if (interrupts > 0) {
        --interrupts;
        errno = EINTR;
        return -1;
    }
    return ::write(fd, data, size);
}

ssize_t writesNothing(int fd, const void* data, size_t size) {
    if (zeroOnce) {
        errno = EIO;  // left over from some earlier call: not the reason
        return 0;
    }
    return ::write(fd, data, size);
}

std::vector<size_t> asked;  // the sizes a write was asked for
// Takes at most four bytes a call, as a pipe or a slow device may.
ssize_t fourBytesAtATime(int fd, const void* data, size_t size) {
    asked.push_back(size);
    return ::write(fd, data, std::min<size_t>(size, 4));
}

class WriteErrors : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("writeerr-" + std::to_string(getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        path_ = (dir_ / "plan.hdw").string();
        std::ofstream(path_, std::ios::binary) << "old";
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string contents() const {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path dir_;
    std::string path_;
};

}  // namespace

TEST_F(WriteErrors, AFullDiskIsFullAndEveryOtherProblemUnwritable) {
    struct Case {
        int error;
        Failure expected;  // "PATH: " comes before the text
    } const cases[] = {
        {ENOSPC, {Reason::Full, "ディスクの空き容量が足りません"}},
        {EDQUOT, {Reason::Full, "ディスクの空き容量が足りません"}},
        {EACCES, {Reason::Unwritable, "書き込みの権限がありません"}},
        {ENOENT, {Reason::Unwritable, "フォルダがありません"}},
        {EROFS, {Reason::Unwritable, "読み取り専用の場所です"}},
        {EIO, {Reason::Unwritable, "書き込めませんでした（エラー番号 5）"}},  // EIO is 5 on Linux
    };
    for (const Case& c : cases) {
        injected = c.error;
        const Status written = writeOutcome(path_, replaceFile(path_, "new", failingWrite));
        EXPECT_EQ(written.failure(), named(path_, c.expected)) << c.error;
        EXPECT_EQ(contents(), "old") << c.error;
    }
}

TEST_F(WriteErrors, EachErrnoHasItsProblemAndIsKept) {
    struct Case {
        int error;
        WriteProblem problem;
    } const cases[] = {
        {EACCES, WriteProblem::Permission}, {EPERM, WriteProblem::Permission},
        {ENOENT, WriteProblem::NoFolder},   {ENOTDIR, WriteProblem::NoFolder},
        {ENOSPC, WriteProblem::DiskFull},   {EDQUOT, WriteProblem::DiskFull},
        {EFBIG, WriteProblem::DiskFull},    {EISDIR, WriteProblem::IsFolder},
        {EROFS, WriteProblem::ReadOnly},    {EIO, WriteProblem::Other},
        {EBADF, WriteProblem::Other},
    };
    for (const Case& c : cases) {
        injected = c.error;
        const WriteResult r = replaceFile(path_, "new contents", failingWrite);
        EXPECT_EQ(r.problem, c.problem) << c.error;
        EXPECT_EQ(r.error, c.error) << "the errno is reported as the system gave it";
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(contents(), "old") << c.error;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 1)
        << "no temporary file left behind";
}

TEST_F(WriteErrors, InterruptedWritesAreRepeatedAndZeroBytesMeanAFullDisk) {
    interrupts = 3;
    const WriteResult r = replaceFile(path_, "new contents", interruptedWrite);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.error, 0);
    EXPECT_EQ(contents(), "new contents");
    zeroOnce = true;
    const WriteResult none = replaceFile(path_, "third", writesNothing);
    zeroOnce = false;
    EXPECT_EQ(none.problem, WriteProblem::DiskFull);
    EXPECT_EQ(none.error, ENOSPC);
    EXPECT_EQ(contents(), "new contents");
}

TEST_F(WriteErrors, ShortWritesAreContinuedWithTheRest) {
    asked.clear();
    ASSERT_TRUE(replaceFile(path_, "0123456789", fourBytesAtATime).ok());
    EXPECT_EQ(contents(), "0123456789");
    EXPECT_EQ(asked, (std::vector<size_t>{10, 6, 2}));
}

TEST_F(WriteErrors, DeviceOpenedOnDescriptorZero) {
    // With standard input closed, the device gets descriptor 0: still a device to write to.
    const pid_t child = fork();
    if (child == 0) {
        close(0);
        _exit(replaceFile("/dev/null", "bytes").ok() ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(WriteErrors, InPlaceRewriteKeepsTheWritesOwnReason) {
    // A folder only its owner may write, a file anyone may: the file is rewritten in place.
    // A write that takes no bytes is a full disk there too, whatever errno held before.
    const fs::path locked = dir_ / "locked";
    fs::create_directories(locked);
    std::ofstream(locked / "plan.hdw") << "old";
    fs::permissions(locked / "plan.hdw", fs::perms::owner_read | fs::perms::owner_write |
                                             fs::perms::group_read | fs::perms::group_write |
                                             fs::perms::others_read | fs::perms::others_write);
    fs::permissions(locked, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    const int outcome = humidraw_test::asOtherUser([&] {
        zeroOnce = true;
        const WriteResult r = replaceFile((locked / "plan.hdw").string(), "new", writesNothing);
        zeroOnce = false;
        return r.problem == WriteProblem::DiskFull && r.error == ENOSPC ? 0 : 1;
    });
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_EQ(outcome, 0);
}
