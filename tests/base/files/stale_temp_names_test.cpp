// Which names left in a folder are temporary files of ours, and how many a clean-up removes.
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/safe_replace.h"

namespace fs = std::filesystem;

namespace {

std::string deadPid() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return std::to_string(child);
}

class StaleNames : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("stale-" + std::to_string(getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    void make(const std::string& name, bool hoursOld = false) {
        std::ofstream(dir_ / name) << "x";
        if (hoursOld)
            fs::last_write_time(dir_ / name,
                                fs::file_time_type::clock::now() - std::chrono::hours(2));
    }
    bool there(const std::string& name) const { return fs::exists(dir_ / name); }
    fs::path dir_;
};

}  // namespace

TEST_F(StaleNames, CountsWhatItRemoves) {
    EXPECT_EQ(humidraw::removeStaleTempFiles(dir_.string()), 0) << "an empty folder";
    const std::string dead = deadPid();
    make(".~a.hdw." + dead + ".Ab12Cd");
    make(".~b.hdw." + dead + ".tmp");
    make(".~c." + dead + ".zzzzzz");
    EXPECT_EQ(humidraw::removeStaleTempFiles(dir_.string()), 3);
    EXPECT_EQ(humidraw::removeStaleTempFiles(dir_.string()), 0) << "nothing left to remove";
    EXPECT_EQ(humidraw::removeStaleTempFiles((dir_ / "missing").string()), 0);
}

TEST_F(StaleNames, NamesThatAreNotOursStayEvenWhenOld) {
    const std::string dead = deadPid();
    const std::vector<std::string> foreign = {
        ".~a.hdw.0.Ab12Cd",              // process id 0 is no process of a save
        ".~a.hdw.00.Ab12Cd",             // nor is 00
        ".~a.hdw." + dead + ".Ab12C",    // five random characters
        ".~a.hdw." + dead + ".Ab12Cde",  // seven
        ".~a.hdw." + dead + ".Ab-2Cd",   // not letters and digits
        ".~a.hdw.1234567890.Ab12Cd",     // a process id of ten digits
        ".~a.hdw.1x.Ab12Cd",             // digits followed by a letter
        ".~a.hdw..Ab12Cd",               // no process id
        ".~a.hdw.-5.Ab12Cd",             // a sign
        ".~." + dead,                    // the process id where the tail belongs
        "~a.hdw." + dead + ".Ab12Cd",    // one character of the prefix
        ".~." + dead + ".Ab12Cd",        // no name between prefix and process id: ok below
    };
    for (const std::string& name : foreign) make(name, true);
    // ".~.PID.XXXXXX" has its process-id dot at index 2: still one of ours.
    EXPECT_EQ(humidraw::removeStaleTempFiles(dir_.string()), 1);
    for (size_t i = 0; i + 1 < foreign.size(); ++i) EXPECT_TRUE(there(foreign[i])) << foreign[i];
    EXPECT_FALSE(there(foreign.back()));
}

TEST_F(StaleNames, ALiveProcessIsOnlyAskedAboutNeverSignalled) {
    // The child waits for a signal and exits with its number: the first one it gets is the one
    // this test sends when the clean-up is done.
    sigset_t waited, old;
    sigemptyset(&waited);
    sigaddset(&waited, SIGHUP);
    sigaddset(&waited, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &waited, &old);
    const pid_t child = fork();
    if (child == 0) {
        int sig = 0;
        sigwait(&waited, &sig);
        _exit(sig);
    }
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    const std::string name = ".~live.hdw." + std::to_string(child) + ".Ab12Cd";
    make(name);
    EXPECT_EQ(humidraw::removeStaleTempFiles(dir_.string()), 0);
    EXPECT_TRUE(there(name));
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), SIGTERM);
}

TEST_F(StaleNames, OwnAndLiveSavesStayUntilAnHourHasPassed) {
    const std::string own = std::to_string(getpid());
    make(".~mine.hdw." + own + ".Ab12Cd", true);  // this process: never, however old
    make(".~live.hdw.1.Ab12Cd");                  // a live process, saved just now
    make(".~old.hdw.1.Ab12Cd", true);             // a live process, two hours ago
    EXPECT_EQ(humidraw::removeStaleTempFiles(dir_.string()), 1);
    EXPECT_TRUE(there(".~mine.hdw." + own + ".Ab12Cd"));
    EXPECT_TRUE(there(".~live.hdw.1.Ab12Cd"));
    EXPECT_FALSE(there(".~old.hdw.1.Ab12Cd"));
}
