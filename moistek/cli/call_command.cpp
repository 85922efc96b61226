// `moistek call`: any method or plain function by name, once or line by line from stdin.
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "call_result.h"
#include "callables.h"
#include "commands.h"
#include "numbers.h"

namespace moistek_cli {
namespace {

CallOutcome failure(std::string reason) {
    return {false, std::move(reason)};
}

// Takes the leading options off `words`; returns an error text, or "" when all were understood.
std::string takeOptions(const std::vector<std::string>& words, size_t& i, CallOptions& o) {
    std::set<std::string> seen;  // each option once in one place (a batch line may override)
    for (; i < words.size() && words[i].rfind("--", 0) == 0; ++i) {
        const std::string& w = words[i];
        if ((w == "--si" || w == "--pa" || w == "--init") && !seen.insert(w).second)
            return "option " + w + " is given twice";
        if (w == "--si") {
            o.si = true;
            continue;
        }
        if (w != "--pa" && w != "--init") return "unknown option '" + w + "'";
        if (i + 1 >= words.size()) return "option " + w + " needs a value";
        const auto v = parseNumber(words[i + 1]);
        if (!v) return quoted(words[i + 1]) + " is not a number (" + w + ")";
        if (w == "--pa") {
            o.hasPa = true;
            o.pa = *v;
        } else {
            o.init = *v;
        }
        ++i;
    }
    return {};
}

std::string runOn(const Callable& c, const std::vector<double>& in, const CallOptions& o) {
    char text[kMaxCallText];
    return std::string(text, formatCall(computeCall(c, in.data(), o), text));
}

}  // namespace

CallResult computeCall(const Callable& c, const double* in, const CallOptions& o) {
    MoistekClass m;
    if (o.si) m.Mode = 1;
    if (o.hasPa) m.PA = o.pa;
    CallResult r;
    switch (c.kind) {
        case Kind::Unary: {
            double a = in[0], out = o.init;
            r = {true, (m.*c.unary)(a, out), 1, {out}};
            break;
        }
        case Kind::Binary: {
            double a = in[0], b = in[1], out = o.init;
            r = {true, (m.*c.binary)(a, b, out), 1, {out}};
            break;
        }
        case Kind::Complete: {
            double* p = r.values;
            for (int k = 0; k < 7; ++k) p[k] = in[k];
            r.hasCode = true;
            r.count = 7;
            r.code = (m.*c.complete)(p[0], p[1], p[2], p[3], p[4], p[5], p[6]);
            break;
        }
        case Kind::Plain1:
            r = {false, 0, 1, {c.plain1(in[0])}};
            break;
        case Kind::Plain2:
            r = {false, 0, 1, {c.plain2(in[0], in[1])}};
            break;
        case Kind::Version:
            break;
    }
    return r;
}

char* formatCall(const CallResult& r, char* out) {
    char* const end = out + kMaxCallText;
    char* p = out;
    if (r.hasCode) p = std::to_chars(p, end, r.code).ptr;
    for (int k = 0; k < r.count; ++k) {
        if (p != out) *p++ = ' ';
        const auto c = std::to_chars(p, end, r.values[k], std::chars_format::general, 17);
        if (c.ec == std::errc{}) p = c.ptr;
    }
    return p;
}

CallOutcome runCall(const std::vector<std::string>& words, CallOptions options) {
    size_t i = 0;
    if (std::string e = takeOptions(words, i, options); !e.empty()) return failure(e);
    if (i >= words.size()) return failure("no name given");
    const std::string& name = words[i++];
    const Callable* c = findCallable(name);
    if (!c) return failure("unknown name '" + name + "'");
    const bool plain =
        c->kind == Kind::Plain1 || c->kind == Kind::Plain2 || c->kind == Kind::Version;
    if (plain && (options.si || options.hasPa))
        return failure(name +
                       " always works in engineering units at 760 mmHg: --si and --pa "
                       "do not apply");
    const size_t given = words.size() - i;
    if (given != static_cast<size_t>(c->inputCount()))
        return failure(
            name + " takes " + std::to_string(c->inputCount()) +
            (c->kind == Kind::Complete ? " values (DB RH AH EN SV WB DP)" : " argument(s)") +
            ", not " + std::to_string(given));
    std::vector<double> in;
    for (; i < words.size(); ++i) {
        const auto v = parseNumber(words[i]);
        if (!v) return failure(quoted(words[i]) + " is not a number");
        in.push_back(*v);
    }
    if (c->kind == Kind::Version) {
        char* text = V_Ver();
        if (!text) return failure("the library's version information cannot be read");
        std::string line(text);
        std::free(text);
        return {true, line};
    }
    return {true, runOn(*c, in, options)};
}

int callCommand(const std::vector<std::string>& args) {
    std::vector<std::string> words;
    bool isBatch = false;
    for (const auto& a : args) {
        if (a == "--batch" && isBatch) {
            std::fprintf(stderr, "moistek call: option --batch is given twice\n");
            return 2;
        }
        if (a == "--batch")
            isBatch = true;
        else
            words.push_back(a);
    }
    if (isBatch) {
        CallOptions options;
        size_t i = 0;
        if (std::string e = takeOptions(words, i, options); !e.empty() || i != words.size()) {
            std::fprintf(stderr, "moistek call --batch: %s\n",
                         e.empty() ? "names and arguments come from standard input" : e.c_str());
            return 2;
        }
        return batchCalls(options);
    }
    const CallOutcome out = runCall(words, CallOptions{});
    if (!out.ok) {
        std::fprintf(stderr, "moistek call: %s\n", out.text.c_str());
        return 2;
    }
    std::printf("%s\n", out.text.c_str());
    return 0;
}

}  // namespace moistek_cli
