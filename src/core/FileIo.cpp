#include "core/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "core/VxloError.h"

namespace vxlo {

TFileDescriptor::~TFileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
}

TFileDescriptor& TFileDescriptor::operator=(TFileDescriptor&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.Release();
    }
    return *this;
}

int TFileDescriptor::Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void TFileDescriptor::Close(const std::string& fileName) {
    // The descriptor is gone whatever close says; a second close could hit
    // a descriptor another thread has been given meanwhile.
    if (fd_ < 0) return;
    if (::close(Release()) != 0 && errno != EINTR) throw EInOutError(errno, fileName);
}

TFileDescriptor OpenRegularFile(const std::string& path, EOpenMode mode) {
    if (path.empty()) throw EInOutError(ENOENT, path);
    int flags = O_RDONLY;
    if (mode == EOpenMode::ReadWrite) flags = O_RDWR;
    if (mode == EOpenMode::ReadWriteCreate) flags = O_RDWR | O_CREAT;
    // Non-blocking only for the open itself: a FIFO must be refused, not
    // wait for a writer forever.
    TFileDescriptor fd(::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0644));
    if (!fd.IsOpen()) throw EInOutError(errno, path);
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) throw EInOutError(errno, path);
    if (S_ISDIR(st.st_mode)) throw EInOutError(EISDIR, path);
    if (!S_ISREG(st.st_mode)) throw EInOutError(EINVAL, path);
    ::fcntl(fd.Get(), F_SETFL, ::fcntl(fd.Get(), F_GETFL) & ~O_NONBLOCK);
    return fd;
}

std::int64_t FileSizeOf(const TFileDescriptor& fd, const std::string& fileName) {
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) throw EInOutError(errno, fileName);
    return static_cast<std::int64_t>(st.st_size);
}

std::size_t ReadSome(const TFileDescriptor& fd, std::span<std::uint8_t> buffer,
                     const std::string& fileName) {
    for (;;) {
        const ssize_t got = ::read(fd.Get(), buffer.data(), buffer.size());
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) throw EInOutError(errno, fileName);
    }
}

namespace {

// Moves size bytes by repeated steps (step(done) moves some of the rest and
// returns the count, as read and write do), retrying after a signal; a step
// that moves nothing raises atEnd.
template <typename Step>
void TransferAll(std::size_t size, const std::string& fileName, const EInOutError& atEnd, Step step) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t moved = step(done);
        if (moved < 0) {
            if (errno == EINTR) continue;
            throw EInOutError(errno, fileName);
        }
        if (moved == 0) throw atEnd;
        done += static_cast<std::size_t>(moved);
    }
}

}  // namespace

void ReadExactAt(const TFileDescriptor& fd, std::int64_t offset, std::span<std::uint8_t> buffer,
                 const std::string& fileName) {
    if (offset < 0) throw EInOutError::ReadPastEnd(fileName);
    TransferAll(buffer.size(), fileName, EInOutError::ReadPastEnd(fileName), [&](std::size_t done) {
        return ::pread(fd.Get(), buffer.data() + done, buffer.size() - done,
                       static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
    });
}

void WriteAllAt(const TFileDescriptor& fd, std::int64_t offset, std::span<const std::uint8_t> bytes,
                const std::string& fileName) {
    // A device that takes nothing is full.
    TransferAll(bytes.size(), fileName, EInOutError(ENOSPC, fileName), [&](std::size_t done) {
        return ::pwrite(fd.Get(), bytes.data() + done, bytes.size() - done,
                        static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
    });
}

namespace {

std::string ReadOpened(const TFileDescriptor& fd, const std::string& path, std::size_t maxBytes,
                       const TMessage& tooLargeText) {
    if (static_cast<std::uint64_t>(FileSizeOf(fd, path)) > maxBytes) throw EFileRefused(tooLargeText, path);
    std::string bytes;
    std::uint8_t buffer[65536];
    // The size may grow while we read: the cap holds for what is read too.
    while (const std::size_t got = ReadSome(fd, buffer, path)) {
        bytes.append(reinterpret_cast<const char*>(buffer), got);
        if (bytes.size() > maxBytes) throw EFileRefused(tooLargeText, path);
    }
    return bytes;
}

void WriteAll(const TFileDescriptor& fd, std::string_view bytes, const std::string& fileName) {
    TransferAll(bytes.size(), fileName, EInOutError(ENOSPC, fileName), [&](std::size_t done) {
        return ::write(fd.Get(), bytes.data() + done, bytes.size() - done);
    });
}


}  // namespace

std::string ReadWholeFile(const std::string& path, std::size_t maxBytes,
                          const TMessage& tooLargeText) {
    return ReadOpened(OpenRegularFile(path, EOpenMode::ReadOnly), path, maxBytes, tooLargeText);
}

std::optional<std::string> ReadWholeFileIfExists(const std::string& path, std::size_t maxBytes,
                                                 const TMessage& tooLargeText) {
    try {
        const TFileDescriptor fd = OpenRegularFile(path, EOpenMode::ReadOnly);
        return ReadOpened(fd, path, maxBytes, tooLargeText);
    } catch (const EInOutError& e) {
        if (e.ErrorNumber() == ENOENT) return std::nullopt;
        throw;
    }
}

std::string ResolvedPath(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string result(real);
    std::free(real);
    return result;
}

// A temporary file beside its target, removed unless it was renamed into place.
class TTemporaryFile {
public:
    TTemporaryFile(const std::string& target, const std::string& errorName) {
        namespace fs = std::filesystem;
        const fs::path t(target);
        const fs::path folder = t.parent_path().empty() ? fs::path(".") : t.parent_path();
        for (int attempt = 0; attempt < 100 && !fd_.IsOpen(); ++attempt) {
            path_ = (folder / ("." + t.filename().string() + "." + std::to_string(::getpid()) + "-" +
                               std::to_string(attempt) + ".tmp"))
                        .string();
            // 0666 so that the umask decides, as for any new file.
            fd_ = TFileDescriptor(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (!fd_.IsOpen() && errno != EEXIST) throw EInOutError(errno, errorName);
        }
        if (!fd_.IsOpen()) throw EInOutError(EEXIST, errorName);
    }
    ~TTemporaryFile() {
        if (!renamed_) ::unlink(path_.c_str());
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    TFileDescriptor& Fd() { return fd_; }
    const std::string& Path() const { return path_; }
    void MarkRenamed() { renamed_ = true; }

private:
    std::string path_;
    TFileDescriptor fd_;
    bool renamed_ = false;
};

void ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    TFileReplacement replacement(path);
    replacement.Write(bytes);
    replacement.Commit();
}

TFileReplacement::TFileReplacement(const std::string& path) : path_(path) {
    if (path.empty()) throw EInOutError(ENOENT, path);
    target_ = ResolvedPath(path);
    struct stat st {};
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) throw EInOutError(errno, path);
    if (exists && S_ISDIR(st.st_mode)) throw EInOutError(EISDIR, path);
    temp_ = std::make_unique<TTemporaryFile>(target_, path);
    if (exists && ::fchmod(temp_->Fd().Get(), st.st_mode & 07777) != 0) throw EInOutError(errno, path);
}

TFileReplacement::~TFileReplacement() = default;

void TFileReplacement::Write(std::string_view bytes) { WriteAll(temp_->Fd(), bytes, path_); }

void TFileReplacement::Commit() {
    if (::fsync(temp_->Fd().Get()) != 0) throw EInOutError(errno, path_);
    temp_->Fd().Close(path_);
    if (::rename(temp_->Path().c_str(), target_.c_str()) != 0) throw EInOutError(errno, path_);
    temp_->MarkRenamed();
}

}  // namespace vxlo
