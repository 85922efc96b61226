#pragma once
// Runs a check as a user the permission bits apply to. Root ignores them, so as root the check
// runs in a child process as "nobody" (uid and gid 65534); as anyone else it runs here.
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace humidraw_test {

constexpr uid_t kNobody = 65534;

// The check's result (0 for success by convention), or -1 when the child could not run it.
inline int asOtherUser(const std::function<int()>& check) {
    if (geteuid() != 0) return check();
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(99);
        _exit(check());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace humidraw_test
