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
};

class TRecordFile final : public IRecordStore {
public:
    enum class Mode {
        ReadWriteCreate,  // the open dictionary: created when missing, locked
        ReadOnly,         // a merge source: no lock
        ReadShared,       // a file to inspect: no write access, a shared lock,
                          // so readers go together and a writer excludes them
    };
    // Raises EInOutError for a file that cannot be opened or created, and
    // EFileRefused when another program holds the dictionary open (for
    // ReadShared: open for writing).
    TRecordFile(const std::string& path, Mode mode);
    // Closing also releases the lock.
    TRecordFile(const TRecordFile&) = delete;
    TRecordFile& operator=(const TRecordFile&) = delete;

    std::int64_t RecordCount() override;
    TRecordBytes Read(std::int64_t n) override;
    void Write(std::int64_t n, const TRecordBytes& bytes) override;
    const std::string& Name() const override { return path_; }
    void ReadRange(std::int64_t first, std::vector<TRecordBytes>& out) override;
    void Close() override { fd_.Close(path_); }

private:
    static constexpr std::int64_t kPageRecords = 1024;     // 12 KiB a page
    static constexpr std::size_t kMaxCachedPages = 4096;   // 48 MiB at most

    std::string path_;
    TFileDescriptor fd_;
    std::int64_t recordCount_ = 0;
    bool cached_ = false;
    std::unordered_map<std::int64_t, std::vector<TRecordBytes>> pages_;
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
