// `moistek call --batch`: lines of `[OPTIONS] NAME ARG...` from standard input, one output line
// each. An ordinary line (a known name, the right count of numbers, no options) is read in
// place and its result written straight into an output buffer; every other line goes through
// runCall, which words the errors, so the text is the same either way.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "call_result.h"
#include "files/standard_streams.h"
#include "numbers.h"

namespace moistek_cli {
namespace {

// Standard output in blocks. Text goes in up to its first NUL, as fputs writes it; a failed
// write leaves the stream's error flag for the program's closing check.
class Output {
  public:
    explicit Output(std::FILE* out) : out_(out) {}
    ~Output() { flush(); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // Room for `n` characters at the returned position; commit(end) keeps what was written.
    char* room(size_t n) {
        if (sizeof buffer_ - used_ < n) flush();
        return buffer_ + used_;
    }
    void commit(const char* end) { used_ = static_cast<size_t>(end - buffer_); }

    void text(const std::string& s) {
        const size_t n = std::strlen(s.c_str());
        if (n > sizeof buffer_ / 2) {
            flush();
            write(s.c_str(), n);
            return;
        }
        char* p = room(n);
        std::memcpy(p, s.data(), n);
        commit(p + n);
    }

    void flush() {
        write(buffer_, used_);
        used_ = 0;
    }

  private:
    void write(const char* p, size_t n) {
        if (n > 0 && !failed_ && std::fwrite(p, 1, n, out_) != n) failed_ = true;
    }

    std::FILE* out_;
    bool failed_ = false;
    size_t used_ = 0;
    char buffer_[1 << 16];
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// An ordinary line's result, written to `out`; false for any other line.
// Batches mostly repeat one name: the last one found is kept.
const Callable* lookUp(std::string_view name) {
    static const Callable* last = nullptr;
    if (!last || name != last->name) last = findCallable(name);
    return last;
}

bool ordinaryLine(std::string_view line, const CallOptions& o, Output& out) {
    constexpr int kMaxWords = 8;  // a name and at most seven numbers
    std::string_view w[kMaxWords];
    int n = 0;
    for (size_t i = 0; i < line.size();) {
        while (i < line.size() && isBlank(line[i])) ++i;
        size_t j = i;
        while (j < line.size() && !isBlank(line[j])) ++j;
        if (j > i) {
            if (n == kMaxWords) return false;
            w[n++] = line.substr(i, j - i);
        }
        i = j;
    }
    if (n == 0 || w[0].substr(0, 2) == "--") return false;
    const Callable* c = lookUp(w[0]);
    if (!c || c->kind == Kind::Version || c->inputCount() != n - 1) return false;
    const bool plain = c->kind == Kind::Plain1 || c->kind == Kind::Plain2;
    if (plain && (o.si || o.hasPa)) return false;
    double in[7];
    for (int k = 1; k < n; ++k) {
        const auto v = parseNumber(w[k]);
        if (!v) return false;
        in[k - 1] = *v;
    }
    char* p = out.room(kMaxCallText + 1);
    p = formatCall(computeCall(*c, in, o), p);
    *p++ = '\n';
    out.commit(p);
    return true;
}

}  // namespace

int batchCalls(const CallOptions& options) {
    bool anyFailed = false;
    std::string line;
    humidraw::LineReader input(stdin);
    Output out(stdout);
    while (input.next(line)) {
        if (ordinaryLine(line, options, out)) continue;
        const CallOutcome result = runCall(splitWords(line), options);
        if (!result.ok) anyFailed = true;
        out.text(result.ok ? result.text : "error: " + result.text);
        out.text("\n");
    }
    out.flush();
    if (!input.error().empty()) {
        std::fprintf(stderr, "moistek call --batch: standard input: %s\n", input.error().c_str());
        return 1;
    }
    return anyFailed ? 1 : 0;
}

}  // namespace moistek_cli
