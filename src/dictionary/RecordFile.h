#pragma once
// Files of fixed 12-byte records, read and written one record at a time at
// its own offset. IRecordStore is the seam under the dictionary: the real
// file, an in-memory store (benchmarks) and fault-injecting stores (tests).
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/FileIo.h"

namespace vxlo {

constexpr int kRecordSize = 12;
using TRecordBytes = std::array<std::uint8_t, kRecordSize>;

// One dictionary record, as laid out in the file (little-endian links).
struct TJskRecord {
    std::uint8_t X = 0;
    std::uint8_t Y = 0;
    std::uint8_t Color = 0;
    std::uint8_t Aux = 0;
    std::int32_t Next = 0;
    std::int32_t More = 0;
    friend bool operator==(const TJskRecord&, const TJskRecord&) = default;
};

TRecordBytes EncodeRecord(const TJskRecord& record);
TJskRecord DecodeRecord(const TRecordBytes& bytes);

class IRecordStore {
public:
    virtual ~IRecordStore() = default;
    // Whole records only: a partial tail does not count.
    virtual std::int64_t RecordCount() = 0;
    // Raises the read-past-end file error for n outside the file.
    virtual TRecordBytes Read(std::int64_t n) = 0;
    virtual void Write(std::int64_t n, const TRecordBytes& bytes) = 0;
    virtual const std::string& Name() const = 0;
    // Records first .. first + out.size() - 1 at once (whole-tree indexes);
    // the same errors as Read. By default one Read per record.
    virtual void ReadRange(std::int64_t first, std::vector<TRecordBytes>& out);
    // Ends the use of the store; a write the system could not complete by
    // now is reported here. Nothing may be called after it.
    virtual void Close() {}

    // Writes between HoldWrites and the matching ReleaseWrites may stay in
    // memory until the outermost ReleaseWrites, which puts them in the file
    // and reports a failure. Reads see them at once. Use TWriteBatch.
    virtual void HoldWrites() {}
    virtual void ReleaseWrites() {}
};

// One operation's writes, put in the file together when it ends: an import
// of a game record, a merge. The file stays sound at every moment, because
// the records appended at its end are written before the links of older
// records that reach them; a crash loses at most the operation in progress.
// Commit reports a failed write; an operation left by an exception still
// writes what it did, as it would have without the batch.
class TWriteBatch {
public:
    explicit TWriteBatch(IRecordStore& store) : store_(store) { store_.HoldWrites(); }
    TWriteBatch(const TWriteBatch&) = delete;
    TWriteBatch& operator=(const TWriteBatch&) = delete;
    ~TWriteBatch();
    void Commit();
private:
    IRecordStore& store_;
    bool released_ = false;
};

class TRecordFile final : public IRecordStore {
public:
    enum class Mode {
        ReadWriteCreate,  // the open dictionary: created when missing, locked
        ReadOnly,         // a merge source: no lock
        ReadShared,       // a file to inspect: no write access, a shared lock,
                          // so readers go together and a writer excludes them
    };
    static constexpr std::int64_t kPageRecords = 256;              // 3 KiB a page
    static constexpr std::size_t kDefaultCachedPages = 16384;      // 48 MiB at most
    // Raises EInOutError for a file that cannot be opened or created, and
    // EFileRefused when another program holds the dictionary open (for
    // ReadShared: open for writing). cachedPages bounds the pages kept in
    // memory of a locked file.
    TRecordFile(const std::string& path, Mode mode, std::size_t cachedPages = kDefaultCachedPages);
    // Closing also releases the lock.
    TRecordFile(const TRecordFile&) = delete;
    TRecordFile& operator=(const TRecordFile&) = delete;

    std::int64_t RecordCount() override;
    TRecordBytes Read(std::int64_t n) override;
    void Write(std::int64_t n, const TRecordBytes& bytes) override;
    const std::string& Name() const override { return path_; }
    void ReadRange(std::int64_t first, std::vector<TRecordBytes>& out) override;
    void Close() override;
    void HoldWrites() override;
    void ReleaseWrites() override;

private:
    static constexpr std::size_t kMaxHeldRecords = 1 << 16;

    struct TCachedPage {
        std::array<TRecordBytes, kPageRecords> records;
        std::size_t size = 0;  // the first records of the page, as the file holds them
        bool referenced = true;
    };

    TRecordBytes ReadFromFile(std::int64_t n);
    void ReadRangeFromFile(std::int64_t first, TRecordBytes* out, std::size_t count);
    void UpdateCache(std::int64_t n, const TRecordBytes& bytes, bool appended = false);
    TCachedPage& CachePage(std::int64_t page);
    void DropCache();
    void WriteHeld();

    std::string path_;
    TFileDescriptor fd_;
    std::int64_t recordCount_ = 0;
    bool cached_ = false;
    std::size_t maxCachedPages_ = 0;
    // Pages by number, and the ones held in the order of the clock that
    // picks which to drop: a walk through a file larger than the cache
    // keeps the pages near the root that every walk passes.
    std::vector<std::unique_ptr<TCachedPage>> pages_;
    std::vector<std::int64_t> resident_;
    std::size_t hand_ = 0;
    // Held writes: records past the end of the file as it is on disk, and
    // new contents of records already in it. The cache holds only what the
    // file holds, so a failed write leaves nothing behind.
    int holdDepth_ = 0;
    std::int64_t fileCount_ = 0;
    std::vector<TRecordBytes> appended_;
    std::unordered_map<std::int64_t, TRecordBytes> updated_;
    // How many of the held updates fall on each page: most reads are of a
    // page without any, and skip the lookup.
    std::vector<std::uint32_t> updatesOnPage_;
};

// A dictionary held in memory only (benchmarks, scratch work).
class TMemoryRecordStore final : public IRecordStore {
public:
    explicit TMemoryRecordStore(std::string name = "(memory)") : name_(std::move(name)) {}
    std::int64_t RecordCount() override { return static_cast<std::int64_t>(records_.size()); }
    TRecordBytes Read(std::int64_t n) override;
    void Write(std::int64_t n, const TRecordBytes& bytes) override;
    const std::string& Name() const override { return name_; }
private:
    std::string name_;
    std::vector<TRecordBytes> records_;
};

}  // namespace vxlo
