#pragma once
// Golden files: expected outputs written once, reviewed by hand, and kept beside the tests.
// A golden file is lines of tab-separated fields compared exactly: numbers are written with the
// shortest digits that read back to the same double, so equal text means bit-equal numbers.
// HUMIDRAW_WRITE_GOLDEN=1 in the environment writes the file instead of comparing; the new file
// must then be reviewed before it is committed.
#include <string>
#include <vector>

namespace humidraw::testing {

// A number with all the digits that tell it apart, independent of the C library's locale.
std::string goldenNumber(double v);

// Joins fields with tabs.
std::string goldenLine(const std::vector<std::string>& fields);

// Checks `actual` (lines ending in '\n') against tests/<relativePath> in the source tree, with a
// gtest failure per differing line (at most 20).
void expectMatchesGolden(const std::string& relativePath, const std::string& actual);

}  // namespace humidraw::testing
