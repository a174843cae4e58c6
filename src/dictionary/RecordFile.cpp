#include "dictionary/RecordFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/VxloError.h"

namespace vxlo {

TRecordBytes EncodeRecord(const TJskRecord& r) {
    TRecordBytes b{};
    b[0] = r.X;
    b[1] = r.Y;
    b[2] = r.Color;
    b[3] = r.Aux;
    const auto next = static_cast<std::uint32_t>(r.Next);
    const auto more = static_cast<std::uint32_t>(r.More);
    for (int i = 0; i < 4; ++i) {
        b[static_cast<std::size_t>(4 + i)] = static_cast<std::uint8_t>(next >> (8 * i));
        b[static_cast<std::size_t>(8 + i)] = static_cast<std::uint8_t>(more >> (8 * i));
    }
    return b;
}

TJskRecord DecodeRecord(const TRecordBytes& b) {
    TJskRecord r;
    r.X = b[0];
    r.Y = b[1];
    r.Color = b[2];
    r.Aux = b[3];
    std::uint32_t next = 0, more = 0;
    for (int i = 0; i < 4; ++i) {
        next |= static_cast<std::uint32_t>(b[static_cast<std::size_t>(4 + i)]) << (8 * i);
        more |= static_cast<std::uint32_t>(b[static_cast<std::size_t>(8 + i)]) << (8 * i);
    }
    r.Next = static_cast<std::int32_t>(next);
    r.More = static_cast<std::int32_t>(more);
    return r;
}

TRecordFile::TRecordFile(const std::string& path, Mode mode) : path_(path) {
    if (path.empty()) throw EInOutError(ENOENT, path);
    const int flags = mode == Mode::ReadOnly ? O_RDONLY : O_RDWR | O_CREAT;
    // Non-blocking only for the open itself: a FIFO given as a dictionary
    // must be refused, not wait for a writer forever.
    fd_ = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd_ < 0) throw EInOutError(errno, path);
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : S_ISREG(st.st_mode) ? errno : EINVAL;
        ::close(fd_);
        fd_ = -1;
        throw EInOutError(error, path);
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    recordCount_ = static_cast<std::int64_t>(st.st_size) / kRecordSize;
    if (mode == Mode::ReadWriteCreate && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd_);
        fd_ = -1;
        if (error == EWOULDBLOCK) {
            throw EFileRefused("この定石ファイルは他のプログラムが開いています", path);
        }
        throw EInOutError(error, path);
    }
}

TRecordFile::~TRecordFile() {
    if (fd_ >= 0) ::close(fd_);  // also releases the lock
}

// The dictionary is locked while open, so only our own writes change its
// size; a read-only source is a snapshot taken at open.
std::int64_t TRecordFile::RecordCount() { return recordCount_; }

TRecordBytes TRecordFile::Read(std::int64_t n) {
    TRecordBytes bytes{};
    if (n < 0) throw EInOutError::ReadPastEnd(path_);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(fd_, bytes.data() + done, bytes.size() - done,
                                    static_cast<off_t>(n * kRecordSize + static_cast<std::int64_t>(done)));
        if (got < 0) {
            if (errno == EINTR) continue;
            throw EInOutError(errno, path_);
        }
        if (got == 0) throw EInOutError::ReadPastEnd(path_);
        done += static_cast<std::size_t>(got);
    }
    return bytes;
}

void TRecordFile::Write(std::int64_t n, const TRecordBytes& bytes) {
    if (n < 0) throw ERangeError();
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::pwrite(fd_, bytes.data() + done, bytes.size() - done,
                                     static_cast<off_t>(n * kRecordSize + static_cast<std::int64_t>(done)));
        if (put < 0) {
            if (errno == EINTR) continue;
            throw EInOutError(errno, path_);
        }
        if (put == 0) throw EInOutError(ENOSPC, path_);
        done += static_cast<std::size_t>(put);
    }
    if (n >= recordCount_) recordCount_ = n + 1;
}

void IRecordStore::ReadRange(std::int64_t first, std::vector<TRecordBytes>& out) {
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = Read(first + static_cast<std::int64_t>(i));
}

void TRecordFile::ReadRange(std::int64_t first, std::vector<TRecordBytes>& out) {
    if (first < 0) throw EInOutError::ReadPastEnd(path_);
    // Records are plain byte arrays laid out back to back, as in the file.
    static_assert(sizeof(TRecordBytes) == kRecordSize);
    auto* bytes = reinterpret_cast<std::uint8_t*>(out.data());
    const std::size_t size = out.size() * kRecordSize;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd_, bytes + done, size - done,
                                    static_cast<off_t>(first * kRecordSize + static_cast<std::int64_t>(done)));
        if (got < 0) {
            if (errno == EINTR) continue;
            throw EInOutError(errno, path_);
        }
        if (got == 0) throw EInOutError::ReadPastEnd(path_);
        done += static_cast<std::size_t>(got);
    }
}

TRecordBytes TMemoryRecordStore::Read(std::int64_t n) {
    if (n < 0 || n >= RecordCount()) throw EInOutError::ReadPastEnd(name_);
    return records_[static_cast<std::size_t>(n)];
}

void TMemoryRecordStore::Write(std::int64_t n, const TRecordBytes& bytes) {
    if (n < 0 || n > RecordCount()) throw ERangeError();
    if (n == RecordCount()) {
        records_.push_back(bytes);
    } else {
        records_[static_cast<std::size_t>(n)] = bytes;
    }
}

}  // namespace vxlo
