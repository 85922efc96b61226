#include "files/safe_replace.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/other_user.h"

using namespace humidraw;
using humidraw_test::asOtherUser;
namespace fs = std::filesystem;

namespace {

class SafeReplace : public testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("replace-" + std::to_string(getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        fs::permissions(dir, fs::perms::all);  // "nobody" may work here too
    }
    void TearDown() override {
        if (mounted) umount(small.c_str());
        fs::remove_all(dir);
    }
    std::string p(const std::string& name) const { return (dir / name).string(); }
    static std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    static long entries(const fs::path& folder) {
        return std::distance(fs::directory_iterator(folder), fs::directory_iterator{});
    }
    static mode_t modeOf(const fs::path& path) {
        struct stat st;
        return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
    }
    fs::path dir, small;
    bool mounted = false;
};

int writeCalls = 0;
// Two bytes reach the disk, then the disk is full.
ssize_t fullAfterTwoBytes(int fd, const void* data, size_t size) {
    if (++writeCalls == 1) return ::write(fd, data, std::min<size_t>(size, 2));
    errno = ENOSPC;
    return -1;
}

pid_t deadProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

}  // namespace

TEST_F(SafeReplace, ReplacesKeepingPermissionsAndNewFilesFollowTheUmask) {
    write(p("plan.hdw"), "old contents");
    fs::permissions(p("plan.hdw"), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(replaceFile(p("plan.hdw"), "new").ok());
    EXPECT_EQ(read(p("plan.hdw")), "new");
    EXPECT_EQ(modeOf(p("plan.hdw")), 0600u) << "0600 stays 0600";
    const mode_t old = umask(022);
    ASSERT_TRUE(replaceFile(p("fresh.svg"), "<svg/>").ok());
    umask(old);
    EXPECT_EQ(modeOf(p("fresh.svg")), 0644u) << "0666 less the umask, as any new file";
    EXPECT_EQ(entries(dir), 2) << "no temporary file left";
}

TEST_F(SafeReplace, FailedWriteKeepsTheOldFileAndRemovesTheTemporary) {
    write(p("plan.hdw"), "old contents");
    writeCalls = 0;
    const WriteResult r = replaceFile(p("plan.hdw"), "much newer contents", fullAfterTwoBytes);
    EXPECT_EQ(r.problem, WriteProblem::DiskFull);
    EXPECT_EQ(writeProblemText(r), "ディスクの空き容量が足りません");
    EXPECT_EQ(read(p("plan.hdw")), "old contents");
    EXPECT_EQ(entries(dir), 1);
}

TEST_F(SafeReplace, FullFileSystemKeepsTheOldFile) {
    if (geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    small = dir / "small";
    fs::create_directories(small);
    if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=300k") != 0)
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    mounted = true;
    const std::string old(200 * 1024, 'o'), bigger(200 * 1024, 'n');
    ASSERT_TRUE(replaceFile((small / "c.svg").string(), old).ok());
    const WriteResult r = replaceFile((small / "c.svg").string(), bigger);
    EXPECT_EQ(r.problem, WriteProblem::DiskFull);
    EXPECT_EQ(read(small / "c.svg"), old);
    EXPECT_EQ(entries(small), 1) << "the partial temporary file is removed";
}

TEST_F(SafeReplace, LinksStayLinksAndPlantedLinksAreNotFollowed) {
    write(p("real.hdw"), "old");
    fs::create_symlink("real.hdw", dir / "link.hdw");
    ASSERT_TRUE(replaceFile(p("link.hdw"), "through the link").ok());
    EXPECT_TRUE(fs::is_symlink(dir / "link.hdw"));
    EXPECT_EQ(read(p("real.hdw")), "through the link");

    // Links planted where earlier versions put their temporary files.
    write(p("victim"), "secret");
    const std::string pid = std::to_string(getpid());
    const std::vector<std::string> planted = {".~plan.hdw." + pid + ".tmp", "plan.hdw.tmp" + pid,
                                              "plan.hdw.part", ".~plan.hdw." + pid + ".XXXXXX"};
    for (const std::string& name : planted) fs::create_symlink(dir / "victim", dir / name);
    ASSERT_TRUE(replaceFile(p("plan.hdw"), "document").ok());
    EXPECT_EQ(read(p("victim")), "secret");
    EXPECT_EQ(read(p("plan.hdw")), "document");
}

TEST_F(SafeReplace, PendingReplacementsGoInPlaceOnlyWhenCommitted) {
    write(dir / "a", "old a");
    {
        PendingReplace dropped = prepareReplace(p("a"), "new a", NameChoice::User);
        ASSERT_TRUE(dropped.ok());
        EXPECT_EQ(entries(dir), 2) << "the temporary file, whole on disk";
    }
    EXPECT_EQ(read(dir / "a"), "old a");
    EXPECT_EQ(entries(dir), 1) << "an uncommitted replacement leaves nothing";
    PendingReplace first = prepareReplace(p("a"), "new a", NameChoice::User);
    PendingReplace second = prepareReplace(p("b"), "new b", NameChoice::Program);
    ASSERT_TRUE(first.ok() && second.ok());
    EXPECT_TRUE(first.commit().ok());
    EXPECT_TRUE(second.commit().ok());
    EXPECT_EQ(read(dir / "a"), "new a");
    EXPECT_EQ(read(dir / "b"), "new b");
    // A name the program chose is never followed: a link, a FIFO or a device there is refused.
    write(dir / "target", "kept");
    fs::create_symlink(dir / "target", dir / "link");
    ASSERT_EQ(mkfifo(p("fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", dir / "null");
    for (const char* name : {"link", "fifo", "null"}) {
        PendingReplace r = prepareReplace(p(name), "bytes", NameChoice::Program);
        EXPECT_EQ(r.result().problem, WriteProblem::NotAFile) << name;
        EXPECT_EQ(r.commit().problem, WriteProblem::NotAFile) << name;
    }
    EXPECT_EQ(read(dir / "target"), "kept");
    EXPECT_TRUE(fs::is_symlink(dir / "link"));
}

TEST_F(SafeReplace, StaleTemporaryFilesOfOursAreRemoved) {
    const std::string dead = std::to_string(deadProcess());
    write(p(".~plan.hdw." + dead + ".Ab12Cd"), "killed save");
    write(p(".~plan.hdw." + dead + ".tmp"), "killed save of an earlier version");
    write(p(".~plan.hdw.1.Xy34Zw"), "a save running now");
    write(p(".~other.hdw.1.Qw56Er"), "a save two hours old");
    const auto twoHoursAgo = fs::file_time_type::clock::now() - std::chrono::hours(2);
    fs::last_write_time(dir / (".~other.hdw.1.Qw56Er"), twoHoursAgo);
    const std::vector<std::string> kept = {".~notes", "plan.hdw." + dead + ".Ab12Cd",
                                           ".~plan.hdw." + dead + ".toolong",
                                           ".~plan.hdw.x.Ab12Cd"};
    for (const std::string& name : kept) write(p(name), "the user's");
    fs::create_symlink(dir / "nowhere", dir / (".~link.hdw." + dead + ".Zz99Zz"));

    ASSERT_TRUE(replaceFile(p("plan.hdw"), "document").ok());
    EXPECT_FALSE(fs::exists(dir / (".~plan.hdw." + dead + ".Ab12Cd")));
    EXPECT_FALSE(fs::exists(dir / (".~plan.hdw." + dead + ".tmp")));
    EXPECT_FALSE(fs::exists(dir / ".~other.hdw.1.Qw56Er"));
    EXPECT_TRUE(fs::exists(dir / ".~plan.hdw.1.Xy34Zw")) << "its process is alive";
    for (const std::string& name : kept) EXPECT_TRUE(fs::exists(dir / name)) << name;
    EXPECT_TRUE(fs::is_symlink(dir / (".~link.hdw." + dead + ".Zz99Zz")));
}

TEST_F(SafeReplace, ReasonsInTheProgramsLanguage) {
    fs::create_directories(dir / "taken.png");
    const WriteResult folder = replaceFile(p("taken.png"), "x");
    EXPECT_EQ(folder.problem, WriteProblem::IsFolder);
    EXPECT_TRUE(fs::is_directory(dir / "taken.png"));
    const WriteResult missing = replaceFile(p("no/c.png"), "x");
    EXPECT_EQ(missing.problem, WriteProblem::NoFolder);
    const Status failed = writeOutcome("no/c.png", missing);
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.error(), "no/c.png: フォルダがありません");
    const Status written = writeOutcome("c.png", WriteResult{});
    EXPECT_TRUE(written);
    EXPECT_EQ(written.error(), "");
    EXPECT_EQ(writeProblemText(folder), "同じ名前のフォルダがあります");
}

TEST_F(SafeReplace, DevicesTakeTheBytesAndAreNeverReplaced) {
    EXPECT_TRUE(replaceFile("/dev/null", "drawing").ok());
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(replaceFile("/dev/full", "drawing").problem, WriteProblem::DiskFull);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(SafeReplace, SavedInPlaceWhenOnlyTheFileIsWritableNeverWhenReadOnly) {
    const fs::path locked = dir / "locked";
    fs::create_directories(locked);
    write(locked / "plan.hdw", "old contents, longer than the new");
    fs::permissions(locked / "plan.hdw", fs::perms::all & ~fs::perms::owner_exec &
                                             ~fs::perms::group_exec & ~fs::perms::others_exec);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    const int saved = asOtherUser([&] {
        const WriteResult r = replaceFile((locked / "plan.hdw").string(), "new");
        const WriteResult created = replaceFile((locked / "new.hdw").string(), "x");
        return r.ok() && created.problem == WriteProblem::Permission ? 0 : 1;
    });
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_EQ(saved, 0);
    // A read-only file in a folder anyone may write is not replaced either.
    write(p("read-only.hdw"), "kept");
    fs::permissions(p("read-only.hdw"),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(asOtherUser([&] {
                  const WriteResult r = replaceFile(p("read-only.hdw"), "new");
                  return r.problem == WriteProblem::Permission ? 0 : 1;
              }),
              0);
    EXPECT_EQ(read(p("read-only.hdw")), "kept");
    EXPECT_EQ(read(locked / "plan.hdw"), "new");
    EXPECT_EQ(modeOf(locked / "plan.hdw"), 0666u);
    EXPECT_EQ(entries(locked), 1);
}

// While a replacement is pending its bytes wait in ".~NAME.PID.XXXXXX" beside the file, NAME
// the file's whole name up to its first 100 bytes (a longer name keeps the temporary name within
// the 255 bytes a name may have: 2 + 100 + 1 + at most 7 digits + 1 + 6 = 117).
TEST_F(SafeReplace, TheTemporaryNameHoldsTheFilesName) {
    const std::string pid = std::to_string(getpid());
    const std::string longName = std::string(150, 'n') + ".hdw";
    struct Case {
        std::string name, inTemp;
    } cases[] = {
        {"plan.hdw", "plan.hdw"},
        {"a", "a"},
        {longName, std::string(100, 'n')},
    };
    for (const Case& c : cases) {
        PendingReplace pending = prepareReplace(p(c.name), "bytes", NameChoice::User);
        ASSERT_TRUE(pending.ok()) << c.name;
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
        ASSERT_EQ(names.size(), 1u) << c.name;
        const std::string expected = ".~" + c.inTemp + "." + pid + ".";
        EXPECT_EQ(names[0].substr(0, expected.size()), expected) << c.name;
        EXPECT_EQ(names[0].size(), expected.size() + 6) << names[0];
    }
}

// A file saved in place (its folder takes no temporary file) is written once, at the first
// commit: committing again leaves what another program wrote since.
TEST_F(SafeReplace, ASecondCommitOfAnInPlaceSaveWritesNothing) {
    const fs::path locked = dir / "locked";
    fs::create_directories(locked);
    write(locked / "plan.hdw", "old");
    fs::permissions(locked / "plan.hdw", fs::perms::owner_read | fs::perms::owner_write |
                                             fs::perms::group_read | fs::perms::group_write |
                                             fs::perms::others_read | fs::perms::others_write);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    const std::string file = (locked / "plan.hdw").string();
    const int outcome = asOtherUser([&] {
        PendingReplace pending = prepareReplace(file, "new", NameChoice::User);
        if (!pending.ok()) return 1;
        if (read(file) != "old") return 2;  // nothing written before the commit
        if (!pending.commit().ok() || read(file) != "new") return 3;
        write(file, "written since");
        if (!pending.commit().ok()) return 4;
        return read(file) == "written since" ? 0 : 5;
    });
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_EQ(outcome, 0);
}
