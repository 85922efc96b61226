#pragma once
// One call's result as numbers, and its text: the return code (methods only) and the outputs,
// each with seventeen significant digits, separated by single blanks.
#include <cstddef>

#include "callables.h"
#include "commands.h"

namespace moistek_cli {

struct CallResult {
    bool hasCode = false;  // methods return a code; plain functions only their value
    int code = 0;
    int count = 0;  // values in `values`
    double values[7] = {};
};

// Runs `c` on `in` (c.inputCount() values) with a fresh instance set up by `o`. Not for the
// version query.
CallResult computeCall(const Callable& c, const double* in, const CallOptions& o);

// The most characters formatCall writes.
constexpr size_t kMaxCallText = 256;

// Writes the result's text at `out` (room for kMaxCallText) and returns its end.
char* formatCall(const CallResult& r, char* out);

// `moistek call --batch`: one call per line of standard input, one result or error line each.
int batchCalls(const CallOptions& options);

}  // namespace moistek_cli
