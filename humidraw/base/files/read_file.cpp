#include "files/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "lang/language.h"

namespace humidraw {

std::string fileProblemText(FileProblem p) {
    switch (p) {
        case FileProblem::None:
            return {};
        case FileProblem::NotFound:
            return translate("Files", "ファイルが見つかりません");
        case FileProblem::NoPermission:
            return translate("Files", "読み込みの権限がありません");
        case FileProblem::IsFolder:
            return translate("Files", "フォルダです。ファイルを指定して下さい");
        case FileProblem::NotRegular:
            return translate("Files", "通常のファイルではありません");
        case FileProblem::TooLarge:
            return translate("Files", "ファイルが大きすぎます");
        case FileProblem::CannotRead:
            return translate("Files", "ファイルを読み込めません");
        case FileProblem::OutOfMemory:
            return translate("Files", "メモリが足りません");
    }
    return {};
}

Failure fileFailure(FileProblem p) {
    const Reason reason = p == FileProblem::TooLarge      ? Reason::TooLarge
                          : p == FileProblem::OutOfMemory ? Reason::OutOfMemory
                                                          : Reason::Unreadable;
    return failure(reason, fileProblemText(p));
}

InputFile::InputFile(const std::string& path) {
    // O_NONBLOCK so that opening a FIFO with no writer returns at once; it is refused below.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) {
        problem_ = errno == ENOENT || errno == ENOTDIR ? FileProblem::NotFound
                   : errno == EACCES || errno == EPERM ? FileProblem::NoPermission
                   : errno == EISDIR                   ? FileProblem::IsFolder
                                                       : FileProblem::CannotRead;
        return;
    }
    struct stat st;
    if (fstat(fd_, &st) != 0) {
        problem_ = FileProblem::CannotRead;
    } else if (S_ISDIR(st.st_mode)) {
        problem_ = FileProblem::IsFolder;
    } else if (!S_ISREG(st.st_mode)) {
        problem_ = FileProblem::NotRegular;
    } else {
        size_ = static_cast<uint64_t>(st.st_size);
        // A regular file never blocks; reads go on as usual.
        const int flags = fcntl(fd_, F_GETFL);
        if (flags != -1) fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
        return;
    }
    ::close(fd_);
    fd_ = -1;
}

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

long InputFile::read(char* buffer, size_t n) {
    if (fd_ < 0) return -1;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, n);
        if (got >= 0) return static_cast<long>(got);
        if (errno == EINTR) continue;
        problem_ = errno == EISDIR ? FileProblem::IsFolder : FileProblem::CannotRead;
        return -1;
    }
}

FileProblem readRegularFile(const std::string& path, uint64_t limit, std::string& out) {
    out.clear();
    InputFile in(path);
    if (!in.ok()) return in.problem();
    if (in.size() > limit) return FileProblem::TooLarge;
    try {
        out.reserve(static_cast<size_t>(in.size()));
        char buffer[65536];
        for (;;) {
            const long n = in.read(buffer, sizeof buffer);
            if (n < 0) {
                out.clear();
                return in.problem();
            }
            if (n == 0) break;
            // The file may have grown since it was opened.
            if (out.size() + static_cast<uint64_t>(n) > limit) {
                out.clear();
                return FileProblem::TooLarge;
            }
            out.append(buffer, static_cast<size_t>(n));
        }
    } catch (const std::bad_alloc&) {
        std::string().swap(out);
        return FileProblem::OutOfMemory;
    }
    return FileProblem::None;
}

Result<std::string> readRegularFile(const std::string& path, uint64_t limit) {
    std::string out;
    const FileProblem p = readRegularFile(path, limit, out);
    if (p != FileProblem::None) return named(path, fileFailure(p));
    return out;
}

ContentIdentity contentIdentity(std::string_view bytes) {
    uint64_t hash = 0xcbf29ce484222325u;  // the FNV offset basis and prime for 64 bits
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    return {bytes.size(), hash};
}

}  // namespace humidraw
