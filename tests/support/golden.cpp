#include "golden.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
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

bool wholeNumber(const std::string& s, double& v) {
    if (s.empty()) return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc() && end == s.data() + s.size();
}

bool sameField(const std::string& expected, const std::string& actual) {
    double e = 0, a = 0;
    if (!wholeNumber(expected, e) || !wholeNumber(actual, a)) return expected == actual;
    if (std::isnan(e) || std::isnan(a)) return std::isnan(e) && std::isnan(a);
    return std::fabs(e - a) <= 1e-12 * std::max(std::fabs(e), std::fabs(a));
}

bool sameLine(const std::string& expected, const std::string& actual) {
    const auto e = split(expected, '\t'), a = split(actual, '\t');
    if (e.size() != a.size()) return false;
    for (size_t i = 0; i < e.size(); ++i)
        if (!sameField(e[i], a[i])) return false;
    return true;
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
        if (!sameLine(e[i], a[i])) {
            ADD_FAILURE() << relativePath << ":" << i + 1 << "\n  expected: " << e[i]
                          << "\n  actual:   " << a[i];
            ++reported;
        }
}

}  // namespace humidraw::testing
