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

TRecordFile::TRecordFile(const std::string& path, Mode mode, std::size_t cachedPages)
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
    fileCount_ = recordCount_;
    // Under a lock no other program writes the file, so what was read stays
    // true: pages read once serve every later read. Without one, every read
    // goes to the file.
    cached_ = lock != 0 && cachedPages > 0;
    maxCachedPages_ = cachedPages;
}

// The dictionary is locked while open, so only our own writes change its
// size; a read-only source is a snapshot taken at open.
std::int64_t TRecordFile::RecordCount() { return recordCount_; }

TRecordBytes TRecordFile::Read(std::int64_t n) {
    if (n < 0) throw EInOutError::ReadPastEnd(path_);
    if (n >= fileCount_ && n < recordCount_ && !appended_.empty()) {
        return appended_[static_cast<std::size_t>(n - fileCount_)];
    }
    const auto page = static_cast<std::size_t>(n / kPageRecords);
    if (page < updatesOnPage_.size() && updatesOnPage_[page] > 0) {
        const auto held = updated_.find(n);
        if (held != updated_.end()) return held->second;
    }
    return ReadFromFile(n);
}

TRecordBytes TRecordFile::ReadFromFile(std::int64_t n) {
    TRecordBytes bytes{};
    if (!cached_) {
        ReadExactAt(fd_, n * kRecordSize, bytes, path_);
        return bytes;
    }
    if (n >= fileCount_) throw EInOutError::ReadPastEnd(path_);
    const std::int64_t page = n / kPageRecords;
    const auto at = static_cast<std::size_t>(n - page * kPageRecords);
    if (static_cast<std::size_t>(page) < pages_.size() && pages_[static_cast<std::size_t>(page)]) {
        TCachedPage& held = *pages_[static_cast<std::size_t>(page)];
        // A page cached from its first appended record may not reach n yet.
        if (at < held.size) {
            held.referenced = true;
            return held.records[at];
        }
    }
    TCachedPage& fresh = CachePage(page);
    const std::int64_t first = page * kPageRecords;
    const auto size = static_cast<std::size_t>(std::min(kPageRecords, fileCount_ - first));
    fresh.size = 0;
    ReadRangeFromFile(first, fresh.records.data(), size);
    fresh.size = size;
    return fresh.records[at];
}

TRecordFile::TCachedPage& TRecordFile::CachePage(std::int64_t page) {
    const auto index = static_cast<std::size_t>(page);
    if (index >= pages_.size()) pages_.resize(index + 1);
    if (pages_[index]) return *pages_[index];
    // Made before any page is dropped: a failed allocation leaves the clock whole.
    auto fresh = std::make_unique<TCachedPage>();
    if (resident_.size() < maxCachedPages_) {
        resident_.push_back(page);
    } else {
        // The clock: a page read since the hand last passed gets another round.
        for (;;) {
            TCachedPage& candidate = *pages_[static_cast<std::size_t>(resident_[hand_])];
            if (!candidate.referenced) break;
            candidate.referenced = false;
            hand_ = (hand_ + 1) % resident_.size();
        }
        pages_[static_cast<std::size_t>(resident_[hand_])].reset();
        resident_[hand_] = page;
        hand_ = (hand_ + 1) % resident_.size();
    }
    pages_[index] = std::move(fresh);
    return *pages_[index];
}

void TRecordFile::DropCache() {
    pages_.clear();
    resident_.clear();
    hand_ = 0;
}

void TRecordFile::Write(std::int64_t n, const TRecordBytes& bytes) {
    if (n < 0) throw ERangeError();
    if (holdDepth_ > 0 && n <= recordCount_) {
        if (n >= fileCount_) {
            const auto at = static_cast<std::size_t>(n - fileCount_);
            if (at == appended_.size()) {
                appended_.push_back(bytes);
                recordCount_ = n + 1;
            } else {
                appended_[at] = bytes;
            }
        } else if (const auto [held, added] = updated_.try_emplace(n, bytes); !added) {
            held->second = bytes;
        } else {
            const auto page = static_cast<std::size_t>(n / kPageRecords);
            if (page >= updatesOnPage_.size()) updatesOnPage_.resize(page + 1);
            ++updatesOnPage_[page];
        }
        if (appended_.size() + updated_.size() >= kMaxHeldRecords) WriteHeld();
        return;
    }
    // A write past the end leaves a gap the held records cannot describe.
    WriteHeld();
    // The file first: a failed write leaves the cache as the file is.
    WriteAllAt(fd_, n * kRecordSize, bytes, path_);
    const bool appended = n >= recordCount_;
    if (appended) recordCount_ = n + 1;
    fileCount_ = recordCount_;
    UpdateCache(n, bytes, appended);
}

void TRecordFile::UpdateCache(std::int64_t n, const TRecordBytes& bytes, bool appended) {
    if (!cached_) return;
    const std::int64_t page = n / kPageRecords;
    const auto at = static_cast<std::size_t>(n % kPageRecords);
    const bool held = static_cast<std::size_t>(page) < pages_.size() && pages_[static_cast<std::size_t>(page)];
    // A record appended at the start of a page begins its cached copy: a
    // growing dictionary reads its newest records soonest.
    if (!held && !(appended && at == 0)) return;
    TCachedPage& cached = held ? *pages_[static_cast<std::size_t>(page)] : CachePage(page);
    if (at < cached.size) {
        cached.records[at] = bytes;
    } else if (at == cached.size) {
        cached.records[at] = bytes;  // an appended record on the last page
        ++cached.size;
    }
    // Past the end of a partial copy: the file serves it, as for any
    // record beyond what a page holds.
}

void TRecordFile::HoldWrites() { ++holdDepth_; }

void TRecordFile::ReleaseWrites() {
    if (holdDepth_ > 0 && --holdDepth_ > 0) return;
    WriteHeld();
}

void TRecordFile::WriteHeld() {
    if (appended_.empty() && updated_.empty()) return;
    std::vector<TRecordBytes> appended;
    appended.swap(appended_);
    std::vector<std::pair<std::int64_t, TRecordBytes>> updates(updated_.begin(), updated_.end());
    updated_.clear();
    updatesOnPage_.clear();
    std::sort(updates.begin(), updates.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    try {
        // New records first, in one write: nothing in the file reaches them
        // yet. Then the older records whose links now reach them.
        if (!appended.empty()) {
            WriteAllAt(fd_, fileCount_ * kRecordSize,
                       {reinterpret_cast<const std::uint8_t*>(appended.data()), appended.size() * kRecordSize}, path_);
        }
        for (std::size_t i = 0; i < updates.size();) {
            // Neighbouring records go in one write.
            std::size_t end = i + 1;
            while (end < updates.size() && updates[end].first == updates[end - 1].first + 1) ++end;
            std::vector<TRecordBytes> run;
            run.reserve(end - i);
            for (std::size_t k = i; k < end; ++k) run.push_back(updates[k].second);
            WriteAllAt(fd_, updates[i].first * kRecordSize,
                       {reinterpret_cast<const std::uint8_t*>(run.data()), run.size() * kRecordSize}, path_);
            i = end;
        }
    } catch (...) {
        // What the file holds now is unknown past the failed write: read it
        // again from the file from here on.
        DropCache();
        try {
            fileCount_ = FileSizeOf(fd_, path_) / kRecordSize;
        } catch (...) {
        }
        recordCount_ = fileCount_;
        throw;
    }
    for (std::size_t i = 0; i < appended.size(); ++i) UpdateCache(fileCount_ + static_cast<std::int64_t>(i), appended[i], true);
    fileCount_ += static_cast<std::int64_t>(appended.size());
    for (const auto& [n, bytes] : updates) UpdateCache(n, bytes);
}

void TRecordFile::Close() {
    holdDepth_ = 0;
    WriteHeld();
    fd_.Close(path_);
}

TWriteBatch::~TWriteBatch() {
    if (released_) return;
    try {
        store_.ReleaseWrites();
    } catch (...) {
        // The exception that ends the operation is the one reported.
    }
}

void TWriteBatch::Commit() {
    released_ = true;
    store_.ReleaseWrites();
}

void IRecordStore::ReadRange(std::int64_t first, std::vector<TRecordBytes>& out) {
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = Read(first + static_cast<std::int64_t>(i));
}

void TRecordFile::ReadRange(std::int64_t first, std::vector<TRecordBytes>& out) {
    if (first < 0) throw EInOutError::ReadPastEnd(path_);
    if (!appended_.empty() || !updated_.empty()) {
        IRecordStore::ReadRange(first, out);
        return;
    }
    ReadRangeFromFile(first, out.data(), out.size());
}

void TRecordFile::ReadRangeFromFile(std::int64_t first, TRecordBytes* out, std::size_t count) {
    // Records are plain byte arrays laid out back to back, as in the file.
    static_assert(sizeof(TRecordBytes) == kRecordSize);
    auto* bytes = reinterpret_cast<std::uint8_t*>(out);
    ReadExactAt(fd_, first * kRecordSize, {bytes, count * kRecordSize}, path_);
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
