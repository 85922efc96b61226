#include "golden.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace humidraw::testing {
namespace {

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        const size_t end = s.find(sep, start);
        out.push_back(s.substr(start, end - start));
        if (end == std::string::npos) return out;
        start = end + 1;
    }
}

}  // namespace

std::string goldenNumber(double v) {
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, end) : "?";
}

std::string goldenLine(const std::vector<std::string>& fields) {
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) out += (i ? "\t" : "") + fields[i];
    return out + "\n";
}

void expectMatchesGolden(const std::string& relativePath, const std::string& actual) {
    const std::string path = std::string(HUMIDRAW_TESTS_SOURCE_DIR) + "/" + relativePath;
    const char* write = std::getenv("HUMIDRAW_WRITE_GOLDEN");
    if (write && std::string(write) == "1") {
        std::ofstream out(path, std::ios::binary);
        out << actual;
        out.close();
        ASSERT_TRUE(out) << "cannot write " << path;
        GTEST_SKIP() << "wrote " << path << ": review it before committing";
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "missing golden file " << path;
    std::stringstream buffer;
    buffer << in.rdbuf();
    const auto e = split(buffer.str(), '\n'), a = split(actual, '\n');
    EXPECT_EQ(e.size(), a.size()) << "lines in " << relativePath;
    int reported = 0;
    for (size_t i = 0; i < std::min(e.size(), a.size()) && reported < 20; ++i)
        if (e[i] != a[i]) {
            ADD_FAILURE() << relativePath << ":" << i + 1 << "\n  expected: " << e[i]
                          << "\n  actual:   " << a[i];
            ++reported;
        }
}

}  // namespace humidraw::testing
