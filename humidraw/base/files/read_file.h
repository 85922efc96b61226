#pragma once
// Reading what sits at a file name without trusting it: only a regular file is read (a FIFO,
// a device or a folder is refused at once, without waiting for a writer), never more than a
// limit the caller sets, every read checked, and running out of memory told rather than
// aborting. A symbolic link the user named is followed; what it leads to must be regular.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "result/result.h"

namespace humidraw {

enum class FileProblem {
    None,
    NotFound,
    NoPermission,
    IsFolder,
    NotRegular,   // a FIFO, a device, a socket
    TooLarge,     // more bytes than the reader takes
    CannotRead,   // the system refused a read
    OutOfMemory,  // the bytes do not fit in memory
};

// The reason in the program's language, e.g. "読み込みの権限がありません".
std::string fileProblemText(FileProblem p);
// The same as a Failure: TooLarge and OutOfMemory as they are, every other problem Unreadable.
Failure fileFailure(FileProblem p);

// A regular file opened for reading; closed when it goes.
class InputFile {
  public:
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool ok() const { return problem_ == FileProblem::None; }
    FileProblem problem() const { return problem_; }
    // The file's length when it was opened.
    uint64_t size() const { return size_; }
    // Up to `n` bytes into `buffer`: how many, 0 at the end, -1 when reading failed (problem()
    // then says why).
    long read(char* buffer, size_t n);

  private:
    int fd_ = -1;
    uint64_t size_ = 0;
    FileProblem problem_ = FileProblem::None;
};

// The whole file when it is a regular file of at most `limit` bytes; otherwise `problem` says
// why and `out` is left empty.
FileProblem readRegularFile(const std::string& path, uint64_t limit, std::string& out);
// The same as a Result failing with "PATH: reason".
Result<std::string> readRegularFile(const std::string& path, uint64_t limit);

// What a file held, told apart from other contents: its length and a 64-bit FNV-1a hash of
// its bytes. Enough to notice a file changed or belongs elsewhere; no defence against forgery.
struct ContentIdentity {
    uint64_t length = 0;
    uint64_t hash = 0;
    bool operator==(const ContentIdentity&) const = default;
};
ContentIdentity contentIdentity(std::string_view bytes);

}  // namespace humidraw
