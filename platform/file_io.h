// Whole-file reading and crash-safe replacement. Paths are UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kalendo {

// The largest file ReadWholeFile takes. The biggest definition file the
// readers can use (512 entries of 1023-byte lines with 1023-byte notes) is
// about 1 MB; anything far larger is not a definition or settings file.
inline constexpr std::size_t kMaxReadBytes = std::size_t{16} << 20;

// The bytes of a regular file (symbolic links followed) of at most
// kMaxReadBytes; nullopt when it cannot be opened or read, when it is not
// a regular file (a FIFO, a device or a folder is never waited on) or is
// larger, and when the memory for it cannot be had.
std::optional<std::string> ReadWholeFile(const std::string& path);
// The same, with why it failed as an errno value (0 when read): open's or
// read's own, EISDIR for a folder, EINVAL for anything else that is no
// regular file, EFBIG for a file over kMaxReadBytes, ENOMEM when the
// memory for it cannot be had.
std::optional<std::string> ReadWholeFile(const std::string& path, int& error);

// Replaces the file with `bytes`, so that a crash, a power loss or a full
// disk leaves either the old or the new file, never a mix: the bytes go to
// a temporary file of a unique name created beside it (never through an
// existing name or link), are flushed to disk, the file is renamed over the
// old one and the folder is flushed. When path is a symbolic link its
// target is replaced the same way, in the target's folder, and the link
// stays. The new file keeps the old one's permission bits and, where the
// process may, its owner and group; a new file gets 0644 less the umask.
// false (old file intact, no temporary left) on failure, and when the old
// file is not a regular file or grants its owner no write permission; also
// false when only the last step, flushing the folder, fails: the new file
// is then in place but may not survive a power loss.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);
// The same, with why it failed: AtomicFileWriter::error() (0 when written).
bool WriteFileAtomically(const std::string& path, std::string_view bytes, int& error);

// The same replacement for a file written piece by piece, when its bytes
// are made as they are written (an export of centuries): the constructor
// creates the temporary file, Write adds to it, Commit flushes it and puts
// it in place. Until Commit succeeds the old file is untouched; a writer
// destroyed before (a failure, an abandoned export) removes its temporary
// file. error() is the errno value of the first failure: EISDIR for a
// folder, EINVAL for anything else that is no regular file, EACCES for a
// file its owner may not write, ELOOP for a chain of links without end.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::string& path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // false once anything has failed, from then on.
    bool Write(std::string_view bytes);
    // Flushed, renamed over the old file, the folder flushed. false as
    // WriteFileAtomically is false: also when only the folder's flush
    // failed (the new file is then in place).
    bool Commit();

    // Gives up: the temporary file is removed now, for a path out of the
    // process that runs no destructor (a fatal exit). Later writes fail.
    void Abandon();

    bool ok() const { return error_ == 0; }
    int error() const { return error_; }

private:
    bool Fail(int error);
    bool Flush();

    std::string target_;  // the file replaced (the end of a chain of links)
    std::string temp_;    // the temporary file while it exists
    int fd_ = -1;
    int error_ = 0;
    std::string buffer_;  // bytes not yet written: few large writes
};

}  // namespace kalendo
