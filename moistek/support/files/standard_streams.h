#pragma once
// Standard input and output of the command-line programs, with their errors noticed: a full
// disk or a closed pipe on output, a folder or a failing device on input.
#include <cstdio>
#include <string>

namespace humidraw {

// Flushes standard output and tells whether everything written to it arrived. When not, writes
// "PROGRAM: standard output: REASON" to standard error.
bool finishStandardOutput(const char* program);

// `status` when standard output was written in full, otherwise 1 (with the message above).
int withOutputChecked(int status, const char* program);

// Lines of a stream, read through the C library so that a read error is told from the end.
class LineReader {
  public:
    explicit LineReader(std::FILE* in) : in_(in) {}
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line without its '\n'; false at the end of the input or on a read error.
    bool next(std::string& line);
    // Why reading stopped early ("" at a normal end): the system's reason.
    const std::string& error() const { return error_; }

  private:
    std::FILE* in_;
    char* buffer_ = nullptr;
    size_t capacity_ = 0;
    std::string error_;
};

}  // namespace humidraw
