#pragma once
#include <string>
#include <vector>

namespace moistek_cli {

// Settings of the instance a call runs on; words in a batch line may add to them.
struct CallOptions {
    bool si = false;     // Mode 1
    bool hasPa = false;  // member PA set
    double pa = 760.0;
    double init = 0.0;  // what a method's output holds before the call
};

// The outcome of one call: the result line, or why it could not be run.
struct CallOutcome {
    bool ok = false;
    std::string text;
};

// Runs `[OPTIONS] NAME ARG...` as given in `words`.
CallOutcome runCall(const std::vector<std::string>& words, CallOptions options);

// Sub-commands; each returns the process exit status.
int callCommand(const std::vector<std::string>& args);
int stateCommand(const std::vector<std::string>& args);
int csvBatchCommand(const std::vector<std::string>& args);

}  // namespace moistek_cli
