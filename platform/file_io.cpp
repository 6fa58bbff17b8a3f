#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace kalendo {
namespace {

// What AtomicFileWriter gathers before it writes.
constexpr std::size_t kWriteChunk = 64 * 1024;

// Closes fd on every path out of a scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) close(fd_);
    }
    int get() const { return fd_; }
    // Closes now and tells whether the close succeeded (a deferred write
    // error of some file systems shows only here).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The file that is to be replaced: path itself, or the end of the chain of
// symbolic links that starts at it (the link's target may not exist yet).
// nullopt for a chain that does not end (a loop) or a name too long.
std::optional<std::string> ReplacedFile(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        char target[PATH_MAX];
        const ssize_t n = readlink(current.c_str(), target, sizeof target - 1);
        if (n <= 0) return std::nullopt;
        target[n] = '\0';
        if (target[0] == '/') {
            current = target;
        } else {
            // Relative to the folder that holds the link.
            const std::size_t slash = current.rfind('/');
            current = (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) +
                      target;
        }
    }
    return std::nullopt;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// The rename is an entry in the folder: flushed only with the folder.
bool SyncFolder(const std::string& folder) {
    FileDescriptor fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0) return false;
    // Some file systems cannot flush a folder; the rename is then as safe
    // as they make it.
    return fsync(fd.get()) == 0 || errno == EINVAL || errno == ENOTSUP;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    int ignored = 0;
    return ReadWholeFile(path, ignored);
}

std::optional<std::string> ReadWholeFile(const std::string& path, int& error) {
    const auto fail = [&error](int why) -> std::optional<std::string> {
        error = why != 0 ? why : EIO;
        return std::nullopt;
    };
    error = 0;
    // Non-blocking, so that a FIFO is not waited on until a writer comes.
    FileDescriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) return fail(errno);
    struct stat st;
    if (fstat(fd.get(), &st) != 0) return fail(errno);
    if (S_ISDIR(st.st_mode)) return fail(EISDIR);
    if (!S_ISREG(st.st_mode)) return fail(EINVAL);
    if (st.st_size < 0 || static_cast<std::size_t>(st.st_size) > kMaxReadBytes) return fail(EFBIG);
    try {
        std::string bytes;
        bytes.reserve(static_cast<std::size_t>(st.st_size));
        char buf[65536];
        while (true) {
            const ssize_t n = read(fd.get(), buf, sizeof buf);
            if (n == 0) break;
            if (n < 0) {
                if (errno == EINTR) continue;
                return fail(errno);
            }
            // The file may grow while it is read.
            if (bytes.size() + static_cast<std::size_t>(n) > kMaxReadBytes) return fail(EFBIG);
            bytes.append(buf, static_cast<std::size_t>(n));
        }
        return bytes;
    } catch (const std::bad_alloc&) {
        return fail(ENOMEM);
    }
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    int ignored = 0;
    return WriteFileAtomically(path, bytes, ignored);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, int& error) {
    AtomicFileWriter file(path);
    const bool written = file.Write(bytes) && file.Commit();
    error = written ? 0 : file.error() != 0 ? file.error() : EIO;
    return written;
}

AtomicFileWriter::AtomicFileWriter(const std::string& path) {
    errno = 0;
    const std::optional<std::string> target = ReplacedFile(path);
    if (!target) {
        // readlink's reason, or a chain of links that does not end.
        Fail(errno != 0 ? errno : ELOOP);
        return;
    }
    target_ = *target;
    struct stat old;
    const bool hadOld = stat(target_.c_str(), &old) == 0;
    if (hadOld && S_ISDIR(old.st_mode)) {
        Fail(EISDIR);
        return;
    }
    if (hadOld && !S_ISREG(old.st_mode)) {
        Fail(EINVAL);
        return;
    }
    if (hadOld && (old.st_mode & S_IWUSR) == 0) {
        Fail(EACCES);
        return;
    }
    if (!hadOld && errno != ENOENT) {
        Fail(errno);
        return;
    }

    std::string temp = target_ + ".XXXXXX";
    // mkostemp creates the file with O_EXCL: it never opens an existing
    // name, a symbolic link planted there included.
    fd_ = mkostemp(temp.data(), O_CLOEXEC);
    if (fd_ < 0) {
        Fail(errno);
        return;
    }
    temp_ = temp;
    if (hadOld) {
        // The owner first: a change of owner may clear set-id bits.
        if (fchown(fd_, old.st_uid, old.st_gid) != 0) {
            // Only the super-user may give a file away; the group may
            // still be kept.
            [[maybe_unused]] const int ignored = fchown(fd_, static_cast<uid_t>(-1), old.st_gid);
        }
        if (fchmod(fd_, old.st_mode & 07777) != 0) Fail(errno);
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        if (fchmod(fd_, 0644 & ~mask) != 0) Fail(errno);
    }
}

AtomicFileWriter::~AtomicFileWriter() { Abandon(); }

void AtomicFileWriter::Abandon() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (temp_.empty()) return;
    unlink(temp_.c_str());
    temp_.clear();
    if (error_ == 0) error_ = ECANCELED;
}

bool AtomicFileWriter::Write(std::string_view bytes) {
    if (!ok()) return false;
    if (buffer_.size() + bytes.size() < kWriteChunk) {
        buffer_.append(bytes);
        return true;
    }
    if (!Flush()) return false;
    // A large piece (a whole settings or schedule file) goes as it is.
    if (bytes.size() >= kWriteChunk) return WriteAll(fd_, bytes) || Fail(errno);
    buffer_.append(bytes);
    return true;
}

bool AtomicFileWriter::Commit() {
    if (!ok() || !Flush()) return false;
    if (fsync(fd_) != 0) return Fail(errno);
    const int fd = fd_;
    fd_ = -1;
    // A deferred write error of some file systems shows only here.
    if (close(fd) != 0) return Fail(errno);
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) return Fail(errno);
    temp_.clear();
    // The new file is in place; a folder that cannot be flushed is
    // reported, although the rename has been done.
    if (!SyncFolder(FolderOf(target_))) return Fail(errno != 0 ? errno : EIO);
    return true;
}

bool AtomicFileWriter::Fail(int error) {
    if (error_ == 0) error_ = error != 0 ? error : EIO;
    return false;
}

bool AtomicFileWriter::Flush() {
    if (!WriteAll(fd_, buffer_)) return Fail(errno);
    buffer_.clear();
    return true;
}

}  // namespace kalendo
