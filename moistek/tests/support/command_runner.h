#pragma once
// Runs a command as a user would: arguments, standard input, output and exit status.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

inline std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// `args` are shell words; `input` goes to standard input.
inline CommandRun runCommand(const std::string& program, const std::string& args,
                             const std::string& input = "") {
    const std::string base = "/tmp/command-test-" + std::to_string(getpid());
    std::ofstream(base + ".in") << input;
    const std::string command =
        program + " " + args + " < " + base + ".in > " + base + ".out 2> " + base + ".err";
    const int raw = std::system(command.c_str());
    CommandRun r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(base + ".out"),
                 slurp(base + ".err")};
    for (const char* ext : {".in", ".out", ".err"}) std::remove((base + ext).c_str());
    return r;
}
