#include "dictionary/RecordFile.h"

#include <sys/file.h>

#include <algorithm>
#include <cerrno>

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

TRecordFile::TRecordFile(const std::string& path, Mode mode)
    : path_(path),
      fd_(OpenRegularFile(path, mode == Mode::ReadWriteCreate ? EOpenMode::ReadWriteCreate : EOpenMode::ReadOnly)) {
    const int lock = mode == Mode::ReadWriteCreate ? LOCK_EX : mode == Mode::ReadShared ? LOCK_SH : 0;
    if (lock != 0 && ::flock(fd_.Get(), lock | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            throw EFileRefused(QT_TRANSLATE_NOOP("vxlo", "この定石ファイルは他のプログラムが開いています"), path);
        }
        throw EInOutError(errno, path);
    }
    // Counted under the lock: no writer changes the size from here on.
    recordCount_ = FileSizeOf(fd_, path) / kRecordSize;
    // Under a lock no other program writes the file, so what was read stays
    // true: pages read once serve every later read. Without one, every read
    // goes to the file.
    cached_ = lock != 0;
}

// The dictionary is locked while open, so only our own writes change its
// size; a read-only source is a snapshot taken at open.
std::int64_t TRecordFile::RecordCount() { return recordCount_; }

TRecordBytes TRecordFile::Read(std::int64_t n) {
    TRecordBytes bytes{};
    if (n < 0) throw EInOutError::ReadPastEnd(path_);
    if (!cached_) {
        ReadExactAt(fd_, n * kRecordSize, bytes, path_);
        return bytes;
    }
    if (n >= recordCount_) throw EInOutError::ReadPastEnd(path_);
    const std::int64_t page = n / kPageRecords;
    auto found = pages_.find(page);
    if (found == pages_.end()) {
        // A long walk through a huge file must not keep all of it.
        if (pages_.size() >= kMaxCachedPages) pages_.clear();
        const std::int64_t first = page * kPageRecords;
        std::vector<TRecordBytes> records(static_cast<std::size_t>(std::min(kPageRecords, recordCount_ - first)));
        TRecordFile::ReadRange(first, records);
        found = pages_.emplace(page, std::move(records)).first;
    }
    return found->second[static_cast<std::size_t>(n - page * kPageRecords)];
}

void TRecordFile::Write(std::int64_t n, const TRecordBytes& bytes) {
    if (n < 0) throw ERangeError();
    // The file first: a failed write leaves the cache as the file is.
    WriteAllAt(fd_, n * kRecordSize, bytes, path_);
    if (n >= recordCount_) recordCount_ = n + 1;
    const auto found = pages_.find(n / kPageRecords);
    if (found == pages_.end()) return;
    std::vector<TRecordBytes>& records = found->second;
    const auto at = static_cast<std::size_t>(n % kPageRecords);
    if (at < records.size()) {
        records[at] = bytes;
    } else if (at == records.size()) {
        records.push_back(bytes);  // an appended record on the last page
    } else {
        pages_.erase(found);
    }
}

void IRecordStore::ReadRange(std::int64_t first, std::vector<TRecordBytes>& out) {
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = Read(first + static_cast<std::int64_t>(i));
}

void TRecordFile::ReadRange(std::int64_t first, std::vector<TRecordBytes>& out) {
    if (first < 0) throw EInOutError::ReadPastEnd(path_);
    // Records are plain byte arrays laid out back to back, as in the file.
    static_assert(sizeof(TRecordBytes) == kRecordSize);
    auto* bytes = reinterpret_cast<std::uint8_t*>(out.data());
    ReadExactAt(fd_, first * kRecordSize, {bytes, out.size() * kRecordSize}, path_);
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
