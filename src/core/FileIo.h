#pragma once
// The one file layer: every reader and writer of the program opens, reads,
// writes and replaces files through these calls, so that the refusal of
// FIFOs and devices, the retry after a signal, the size caps and the atomic
// replace are written once. Every failure is an EInOutError naming the file.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/Message.h"

namespace vxlo {

// An owned descriptor: closed when it goes. Close() is for writers, whose
// last close can still report a lost write.
class TFileDescriptor {
public:
    TFileDescriptor() = default;
    explicit TFileDescriptor(int fd) : fd_(fd) {}
    ~TFileDescriptor();
    TFileDescriptor(TFileDescriptor&& other) noexcept : fd_(other.Release()) {}
    TFileDescriptor& operator=(TFileDescriptor&& other) noexcept;
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    int Release();
    // Closes now; EInOutError naming fileName when the close fails.
    void Close(const std::string& fileName);

private:
    int fd_ = -1;
};

enum class EOpenMode {
    ReadOnly,
    ReadWrite,
    ReadWriteCreate,  // created (mode 0644 less the umask) when missing
};

// Opens a regular file. A folder is refused with EISDIR, a FIFO, device or
// socket with EINVAL, and the open never waits for the other end of a FIFO.
// The descriptor blocks as usual afterwards.
TFileDescriptor OpenRegularFile(const std::string& path, EOpenMode mode);

// The size of the open file in bytes.
std::int64_t FileSizeOf(const TFileDescriptor& fd, const std::string& fileName);

// Up to buffer.size() bytes from the current position; 0 at the end.
std::size_t ReadSome(const TFileDescriptor& fd, std::span<std::uint8_t> buffer,
                     const std::string& fileName);

// Exactly buffer.size() bytes at offset; the read-past-end error when the
// file ends before them.
void ReadExactAt(const TFileDescriptor& fd, std::int64_t offset, std::span<std::uint8_t> buffer,
                 const std::string& fileName);
// All of bytes at offset; a device that takes nothing counts as full.
void WriteAllAt(const TFileDescriptor& fd, std::int64_t offset, std::span<const std::uint8_t> bytes,
                const std::string& fileName);

// The whole of a regular file. A file larger than maxBytes is refused with
// EFileRefused(tooLargeText) before or while it is read.
std::string ReadWholeFile(const std::string& path, std::size_t maxBytes,
                          const TMessage& tooLargeText);
// The same, but nothing when the file does not exist.
std::optional<std::string> ReadWholeFileIfExists(const std::string& path, std::size_t maxBytes,
                                                 const TMessage& tooLargeText);

// Replaces the file at path (the file a link names, not the link) with
// bytes: written to a temporary file in the same folder, synced, and renamed
// over it, so that a failure at any step leaves the old file whole and no
// temporary behind. An existing file keeps its permission bits; a new one
// gets 0666 less the umask. Errors name path.
void ReplaceFileAtomically(const std::string& path, std::string_view bytes);

class TTemporaryFile;

// The same replacement written in pieces, for a text too large to hold
// whole: nothing changes at path until Commit; without it the temporary
// file goes away with the object.
class TFileReplacement {
public:
    explicit TFileReplacement(const std::string& path);
    ~TFileReplacement();
    TFileReplacement(const TFileReplacement&) = delete;
    TFileReplacement& operator=(const TFileReplacement&) = delete;
    void Write(std::string_view bytes);
    // Syncs, closes and renames over path.
    void Commit();
private:
    std::string path_;
    std::string target_;
    std::unique_ptr<TTemporaryFile> temp_;
};

// The path with links and "." and ".." resolved; the path itself when it
// does not exist.
std::string ResolvedPath(const std::string& path);

}  // namespace vxlo
