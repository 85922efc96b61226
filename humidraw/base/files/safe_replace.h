#pragma once
// Replacing a file's contents so that a failed write never costs the previous file: the bytes
// go to a temporary file created exclusively (random name, O_EXCL, no symbolic link followed)
// in the target's folder, which is renamed over the target once it is whole on disk. The
// target keeps its permissions; a symbolic link stays a link and its target gets the bytes.
// When the folder cannot take a temporary file but the file itself is writable, the file is
// rewritten in place after its new size has been reserved on disk.
#include <sys/types.h>

#include <string>
#include <string_view>

#include "result/result.h"

namespace humidraw {

enum class WriteProblem {
    None,
    Permission,  // the file or its folder may not be written
    NoFolder,    // the folder does not exist
    DiskFull,
    IsFolder,    // the name is a folder
    ReadOnly,    // a read-only file system
    Unreadable,  // the file is there but cannot be read, so it is not rewritten (settings)
    NotAFile,    // a name the program chose holds a symbolic link or something not a file
    Other,
};

struct WriteResult {
    WriteProblem problem = WriteProblem::None;
    int error = 0;  // errno of the failed call
    bool ok() const { return problem == WriteProblem::None; }
};

// How the helper writes; tests put a failing write here.
using WriteCall = ssize_t (*)(int fd, const void* data, size_t size);

WriteResult replaceFile(const std::string& path, std::string_view bytes, WriteCall write = nullptr);

// Whose name a file has. The user's own choice of a name is followed through symbolic links
// as above; a name the program derives (a document's companion) is never followed: a link or
// anything but a regular file there is refused, and the file is created or replaced with
// rename, which replaces the name itself.
enum class NameChoice { User, Program };

// A replacement written whole to its temporary file and not yet in place, so that two files
// can be put in place back to back: commit() renames it over its target; one never committed
// removes its temporary file when it goes.
class PendingReplace {
  public:
    PendingReplace() = default;
    PendingReplace(PendingReplace&& other) noexcept;
    PendingReplace& operator=(PendingReplace&& other) noexcept;
    ~PendingReplace();

    const WriteResult& result() const { return result_; }
    bool ok() const { return result_.ok(); }
    WriteResult commit();

  private:
    friend PendingReplace prepareReplace(const std::string&, std::string_view, NameChoice,
                                         WriteCall);
    WriteResult result_;
    std::string temp_, target_;
    // The folder takes no temporary file: the file is rewritten in place on commit.
    bool inPlace_ = false;
    std::string bytes_;
    WriteCall write_ = nullptr;
};

PendingReplace prepareReplace(const std::string& path, std::string_view bytes, NameChoice name,
                              WriteCall write = nullptr);

// The reason in the program's language, e.g. "ディスクの空き容量が足りません".
std::string writeProblemText(const WriteResult& r);
// The same as a Failure: Full for a full disk, Unwritable for every other problem.
Failure writeFailure(const WriteResult& r);
// A write's outcome told the user's way: failed with "PATH: reason" when it did not work.
Status writeOutcome(const std::string& path, const WriteResult& r);

// The file name prefix of our temporary files: ".~NAME." followed by the process id and six
// random characters (".tmp" for those of earlier versions).
constexpr char kTempPrefix[] = ".~";

// Removes temporary files of ours in `folder` left by a save that was killed: those whose
// process is gone or that are older than an hour. Returns how many were removed.
int removeStaleTempFiles(const std::string& folder);

}  // namespace humidraw
