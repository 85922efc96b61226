#include "files/standard_streams.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace humidraw {

bool finishStandardOutput(const char* program) {
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    const int reason = errno;
    if (flushed && !std::ferror(stdout)) return true;
    std::fprintf(stderr, "%s: standard output: %s\n", program,
                 !flushed && reason != 0 ? std::strerror(reason) : "a write failed");
    return false;
}

int withOutputChecked(int status, const char* program) {
    return finishStandardOutput(program) ? status : 1;
}

LineReader::~LineReader() {
    std::free(buffer_);
}

bool LineReader::next(std::string& line) {
    errno = 0;
    const ssize_t n = ::getline(&buffer_, &capacity_, in_);
    if (n < 0) {
        if (std::ferror(in_)) error_ = std::strerror(errno != 0 ? errno : EIO);
        return false;
    }
    line.assign(buffer_, static_cast<size_t>(n));
    if (!line.empty() && line.back() == '\n') line.pop_back();
    return true;
}

}  // namespace humidraw
