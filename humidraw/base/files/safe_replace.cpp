#include "files/safe_replace.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <utility>

#include "lang/language.h"

namespace humidraw {
namespace {

constexpr int kMaxLinkHops = 40;
constexpr time_t kStaleSeconds = 3600;  // no save of ours takes an hour
constexpr size_t kMaxNameInTemp = 100;  // keeps the temporary name within NAME_MAX

WriteResult failed(int error) {
    WriteResult r;
    r.error = error;
    switch (error) {
        case EACCES:
        case EPERM:
            r.problem = WriteProblem::Permission;
            break;
        case ENOENT:
        case ENOTDIR:
            r.problem = WriteProblem::NoFolder;
            break;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            r.problem = WriteProblem::DiskFull;
            break;
        case EISDIR:
            r.problem = WriteProblem::IsFolder;
            break;
        case EROFS:
            r.problem = WriteProblem::ReadOnly;
            break;
        default:
            r.problem = WriteProblem::Other;
    }
    return r;
}

std::string folderPart(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string namePart(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a chain of symbolic links ends at (the path itself when it is no link).
std::string linkTarget(std::string path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        char buffer[4096];
        const ssize_t n = readlink(path.c_str(), buffer, sizeof buffer - 1);
        if (n < 0) return path;
        const std::string target(buffer, static_cast<size_t>(n));
        path = target.front() == '/' ? target : folderPart(path) + "/" + target;
    }
    return path;
}

bool writeAll(int fd, std::string_view bytes, WriteCall write, int& error) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

mode_t newFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The whole file rewritten where it is: its new size reserved first, so a full disk fails
// before the old contents are touched.
WriteResult rewriteInPlace(const std::string& target, std::string_view bytes, WriteCall write) {
    const int fd = open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return failed(errno);
    int error = posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
    if (error == ENOSPC || error == EDQUOT || error == EFBIG) {
        close(fd);
        return failed(error);
    }
    error = 0;
    const bool ok = writeAll(fd, bytes, write, error) &&
                    ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fsync(fd) == 0;
    if (!ok && error == 0) error = errno;
    if (close(fd) != 0 && ok) return failed(errno);
    return ok ? WriteResult{} : failed(error);
}

// Our temporary name: ".~NAME.PID.XXXXXX" (or ".~NAME.PID.tmp" from earlier versions); the
// process id is returned.
bool isOurTemp(const std::string& name, long& pid) {
    if (name.rfind(kTempPrefix, 0) != 0) return false;
    const size_t lastDot = name.rfind('.');
    if (lastDot == std::string::npos || lastDot < 3) return false;
    const std::string tail = name.substr(lastDot + 1);
    if (tail != "tmp" && tail.size() != 6) return false;
    for (char c : tail)
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    const size_t pidDot = name.rfind('.', lastDot - 1);
    if (pidDot == std::string::npos || pidDot < 2 || pidDot + 1 == lastDot) return false;
    const std::string digits = name.substr(pidDot + 1, lastDot - pidDot - 1);
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    pid = std::atol(digits.c_str());
    return pid > 0;
}

bool processAlive(long pid) {
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// A device or pipe (/dev/null, /dev/stdout) takes the bytes as they are: it is never replaced.
WriteResult writeToDevice(const std::string& path, std::string_view bytes, WriteCall write) {
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return failed(errno);
    int error = 0;
    const bool ok = writeAll(fd, bytes, write, error);
    if (close(fd) != 0 && ok) return failed(errno);
    return ok ? WriteResult{} : failed(error);
}

}  // namespace

int removeStaleTempFiles(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    const time_t now = time(nullptr);
    while (const dirent* e = readdir(dir)) {
        long pid = 0;
        if (!isOurTemp(e->d_name, pid)) continue;
        struct stat st;
        if (fstatat(dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(st.st_mode) || st.st_uid != geteuid()) continue;
        const bool old = now - st.st_mtime > kStaleSeconds;
        if (pid == getpid() || (!old && processAlive(pid))) continue;
        if (unlinkat(dirfd(dir), e->d_name, 0) == 0) ++removed;
    }
    closedir(dir);
    return removed;
}

PendingReplace::PendingReplace(PendingReplace&& other) noexcept {
    *this = std::move(other);
}

PendingReplace& PendingReplace::operator=(PendingReplace&& other) noexcept {
    if (this != &other) {
        if (!temp_.empty()) unlink(temp_.c_str());
        result_ = other.result_;
        temp_ = std::move(other.temp_);
        target_ = std::move(other.target_);
        inPlace_ = other.inPlace_;
        bytes_ = std::move(other.bytes_);
        write_ = other.write_;
        other.temp_.clear();
        other.target_.clear();
        other.inPlace_ = false;
    }
    return *this;
}

PendingReplace::~PendingReplace() {
    if (!temp_.empty()) unlink(temp_.c_str());
}

WriteResult PendingReplace::commit() {
    if (!result_.ok()) return result_;
    if (inPlace_) {
        inPlace_ = false;
        result_ = rewriteInPlace(target_, bytes_, write_);
        return result_;
    }
    if (temp_.empty()) return result_;  // already in place
    if (rename(temp_.c_str(), target_.c_str()) != 0) {
        result_ = failed(errno);
        return result_;
    }
    temp_.clear();
    return result_;
}

PendingReplace prepareReplace(const std::string& path, std::string_view bytes, NameChoice name,
                              WriteCall write) {
    PendingReplace pending;
    if (!write) write = ::write;
    const auto refuse = [&](WriteResult r) {
        pending.result_ = r;
        return std::move(pending);
    };
    std::string target = path;
    struct stat st;
    bool exists = false;
    if (name == NameChoice::User) {
        struct stat through;
        if (stat(path.c_str(), &through) == 0 && !S_ISREG(through.st_mode) &&
            !S_ISDIR(through.st_mode)) {
            // A device or pipe takes the bytes at once: there is nothing to put in place.
            return refuse(writeToDevice(path, bytes, write));
        }
        target = linkTarget(path);
        exists = stat(target.c_str(), &st) == 0;
    } else {
        exists = lstat(path.c_str(), &st) == 0;
        if (exists && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
            return refuse({WriteProblem::NotAFile, 0});
    }
    if (exists && S_ISDIR(st.st_mode)) return refuse(failed(EISDIR));
    if (!exists && errno != ENOENT) return refuse(failed(errno));
    // A file its owner made read-only is not replaced behind its back.
    if (exists && access(target.c_str(), W_OK) != 0) return refuse(failed(errno));
    const std::string folder = folderPart(target);
    removeStaleTempFiles(folder);

    std::string temp = folder + "/" + kTempPrefix + namePart(target).substr(0, kMaxNameInTemp) +
                       "." + std::to_string(getpid()) + ".XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if ((error == EACCES || error == EPERM) && exists && S_ISREG(st.st_mode)) {
            pending.target_ = target;
            pending.inPlace_ = true;
            pending.bytes_ = std::string(bytes);
            pending.write_ = write;
            return pending;
        }
        return refuse(failed(error));
    }
    if (exists && (st.st_uid != geteuid() || st.st_gid != getegid())) {
        // Root saving another user's file gives it back to them; others cannot, and the new
        // file is theirs.
        if (fchown(fd, st.st_uid, st.st_gid) != 0) {
        }
    }
    int error = 0;
    bool ok = fchmod(fd, exists ? st.st_mode & 07777 : newFileMode()) == 0;
    if (!ok) error = errno;
    ok = ok && writeAll(fd, bytes, write, error);
    if (ok && fsync(fd) != 0) ok = false, error = errno;
    if (close(fd) != 0 && ok) ok = false, error = errno;
    pending.temp_ = temp;
    pending.target_ = target;
    if (!ok) {
        unlink(temp.c_str());
        pending.temp_.clear();
        return refuse(failed(error));
    }
    return pending;
}

WriteResult replaceFile(const std::string& path, std::string_view bytes, WriteCall write) {
    PendingReplace pending = prepareReplace(path, bytes, NameChoice::User, write);
    return pending.commit();
}

std::string writeProblemText(const WriteResult& r) {
    switch (r.problem) {
        case WriteProblem::None:
            return {};
        case WriteProblem::Permission:
            return translate("Files", "書き込みの権限がありません");
        case WriteProblem::NoFolder:
            return translate("Files", "フォルダがありません");
        case WriteProblem::DiskFull:
            return translate("Files", "ディスクの空き容量が足りません");
        case WriteProblem::IsFolder:
            return translate("Files", "同じ名前のフォルダがあります");
        case WriteProblem::ReadOnly:
            return translate("Files", "読み取り専用の場所です");
        case WriteProblem::Unreadable:
            return translate("Files", "ファイルを読み込めないため、書き換えません");
        case WriteProblem::NotAFile:
            return translate(
                "Files",
                "シンボリックリンクか通常のファイルではないものがあるため、書き換えません");
        default:
            return withArguments(translate("Files", "書き込めませんでした（エラー番号 %1）"),
                                 {std::to_string(r.error)});
    }
}

Failure writeFailure(const WriteResult& r) {
    return failure(r.problem == WriteProblem::DiskFull ? Reason::Full : Reason::Unwritable,
                   writeProblemText(r));
}

Status writeOutcome(const std::string& path, const WriteResult& r) {
    if (r.ok()) return {};
    return named(path, writeFailure(r));
}

}  // namespace humidraw
