// The record file: encoding, whole records only, the lock on the open
// dictionary, and the file errors with their fixed texts.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <random>

#include "core/VxloError.h"
#include "dictionary/RecordFile.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

namespace vxlo::testing {
namespace {

TEST(RecordFile, RecordsAreLittleEndianAndSigned) {
    const TJskRecord r{16, 4, 3, 100, 0x01020304, -1};
    EXPECT_EQ(Rec(16, 4, 3, 100, 0x01020304, -1),
              (TBytes{0x10, 0x04, 0x03, 0x64, 0x04, 0x03, 0x02, 0x01, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(DecodeRecord(EncodeRecord(r)), r);
}

TEST(RecordFile, CountsWholeRecordsAndWritesAtTheRecordsOffset) {
    TTempDir dir;
    const std::string path = dir.File("a.jsk");
    WriteFileBytes(path, TBytes(25, 0x11));
    TRecordFile file(path, TRecordFile::Mode::ReadWriteCreate);
    EXPECT_EQ(file.RecordCount(), 2);
    file.Write(2, EncodeRecord({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(file.RecordCount(), 3);
    const TBytes bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 36u);
    EXPECT_EQ(TBytes(bytes.begin() + 24, bytes.end()), Rec(1, 2, 3, 4, 5, 6));
    EXPECT_EQ(bytes[23], 0x11);
    EXPECT_EQ(DecodeRecord(file.Read(2)), (TJskRecord{1, 2, 3, 4, 5, 6}));
}

TEST(RecordFile, ReadingAtOrPastTheEndIsTheReadPastEndError) {
    TTempDir dir;
    const std::string path = dir.File("a.jsk");
    WriteFileBytes(path, TBytes(18, 0));  // one record and half of another
    TRecordFile file(path, TRecordFile::Mode::ReadOnly);
    EXPECT_NO_THROW(file.Read(0));
    for (std::int64_t n : {std::int64_t{1}, std::int64_t{5}, std::int64_t{-1}}) {
        try {
            file.Read(n);
            ADD_FAILURE() << "record " << n;
        } catch (const EInOutError& e) {
            EXPECT_STREQ(e.what(), "ファイルの末尾以降を読み込みました");
            EXPECT_EQ(e.FileName(), path);
        }
    }
}

TEST(RecordFile, ASecondOpenOfTheOpenDictionaryIsRefused) {
    TTempDir dir;
    const std::string path = dir.File("a.jsk");
    auto first = std::make_unique<TRecordFile>(path, TRecordFile::Mode::ReadWriteCreate);
    try {
        TRecordFile second(path, TRecordFile::Mode::ReadWriteCreate);
        FAIL() << "second open allowed";
    } catch (const EFileRefused& e) {
        EXPECT_EQ(e.FileName(), path);
    }
    // Reading it (a merge of the open dictionary into itself) is allowed.
    EXPECT_NO_THROW(TRecordFile(path, TRecordFile::Mode::ReadOnly));
    first.reset();
    EXPECT_NO_THROW(TRecordFile(path, TRecordFile::Mode::ReadWriteCreate));
}

TEST(RecordFile, OpenFailuresCarryTheirFixedTexts) {
    TTempDir dir;
    auto textOf = [](const std::string& path, TRecordFile::Mode mode) {
        try {
            TRecordFile file(path, mode);
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.FileName(), path);
            return std::string(e.what());
        }
        return std::string("opened");
    };
    EXPECT_EQ(textOf(dir.File("missing/a.jsk"), TRecordFile::Mode::ReadWriteCreate), "ファイルが見つかりません");
    EXPECT_EQ(textOf(dir.File("absent.jsk"), TRecordFile::Mode::ReadOnly), "ファイルが見つかりません");
    EXPECT_EQ(textOf(dir.Path().string(), TRecordFile::Mode::ReadOnly), "不正なファイル名です");
    EXPECT_EQ(textOf("", TRecordFile::Mode::ReadWriteCreate), "ファイルが見つかりません");
    if (::geteuid() != 0) {  // root reads everything
        const std::string locked = dir.File("locked.jsk");
        WriteFileBytes(locked, {});
        ::chmod(locked.c_str(), 0);
        EXPECT_EQ(textOf(locked, TRecordFile::Mode::ReadWriteCreate), "ファイルへのアクセスが拒否されました");
    }
}

TEST(RecordFile, TheMemoryStoreBehavesLikeTheFile) {
    TMemoryRecordStore store;
    EXPECT_EQ(store.RecordCount(), 0);
    EXPECT_THROW(store.Read(0), EInOutError);
    store.Write(0, EncodeRecord({}));
    store.Write(1, EncodeRecord({4, 4, 0, 100, 0, 0}));
    store.Write(0, EncodeRecord({0, 0, 0, 1, 1, 0}));
    EXPECT_EQ(store.RecordCount(), 2);
    EXPECT_EQ(DecodeRecord(store.Read(0)).Aux, 1);
    EXPECT_THROW(store.Write(5, EncodeRecord({})), ERangeError);
}

TEST(VxloError, DisplayTextGetsAFullStopAfterTextsThatSortAfterIt) {
    EXPECT_EQ(ErrorDisplayText(std::string("範囲チェックエラー")), "範囲チェックエラー.");
    EXPECT_EQ(ErrorDisplayText(std::string("I/O エラー (5)")), "I/O エラー (5)");
    EXPECT_EQ(ErrorDisplayText(std::string("done.")), "done.");
    EXPECT_EQ(ErrorDisplayText(std::string("")), "");
    EXPECT_EQ(ErrorDisplayText(EInOutError(ENOENT, "/x/a.jsk")), "ファイルが見つかりません.\n/x/a.jsk");
}

TEST(VxloError, StrToIntAcceptsOnlyThirtyTwoBitDecimals) {
    EXPECT_EQ(StrToInt("  -42"), -42);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", " ", "-", "12a", "2147483648", "1 ", "0x10", "99999999999999999999"}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' は整数ではありません");
        }
    }
}

TRecordBytes RandomRecord(std::mt19937& rng) {
    TRecordBytes b{};
    for (auto& byte : b) byte = static_cast<std::uint8_t>(rng());
    return b;
}

// Reads of a locked dictionary come from pages kept in memory: whatever is
// written, appended or read in any order, in batches or not, they agree with
// an independent model and with the bytes on disk, also across page
// boundaries and with a cache far smaller than the file, whose pages are
// dropped and read again.
TEST(RecordFile, CachedReadsAgreeWithTheFileUnderRandomWritesAndAppends) {
    for (const std::size_t cachedPages : {TRecordFile::kDefaultCachedPages, std::size_t{3}}) {
        SCOPED_TRACE(cachedPages);
        TTempDir dir;
        const std::string path = dir / "cache.jsk";
        std::vector<TRecordBytes> model;
        std::mt19937 rng(20261209);
        {
            TRecordFile file(path, TRecordFile::Mode::ReadWriteCreate, cachedPages);
            for (int i = 0; i < 2500; ++i) {
                model.push_back(RandomRecord(rng));
                file.Write(i, model.back());
            }
            bool held = false;
            for (int op = 0; op < 20000; ++op) {
                const unsigned roll = rng() % 100;
                // Reads favour the first pages, as walks from the root do.
                const auto n = static_cast<std::int64_t>(rng() % (roll % 2 ? model.size() : 300));
                if (roll < 60) {
                    ASSERT_EQ(file.Read(n), model[static_cast<std::size_t>(n)]) << "op " << op;
                } else if (roll < 88) {
                    model[static_cast<std::size_t>(n)] = RandomRecord(rng);
                    file.Write(n, model[static_cast<std::size_t>(n)]);
                } else if (roll < 98) {
                    model.push_back(RandomRecord(rng));
                    file.Write(static_cast<std::int64_t>(model.size()) - 1, model.back());
                } else {
                    held ? file.ReleaseWrites() : file.HoldWrites();
                    held = !held;
                }
            }
            EXPECT_THROW(file.Read(static_cast<std::int64_t>(model.size())), EInOutError);
            file.Close();
        }
        TBytes expected;
        for (const TRecordBytes& r : model) expected.insert(expected.end(), r.begin(), r.end());
        EXPECT_EQ(ReadFileBytes(path), expected);
    }
}

TBytes Concat(const std::vector<TRecordBytes>& records) {
    TBytes bytes;
    for (const TRecordBytes& r : records) bytes.insert(bytes.end(), r.begin(), r.end());
    return bytes;
}

// Held writes: reads see them at once, the file sees none of them until the
// batch ends, and then exactly the model, across flushes forced by size.
TEST(RecordFile, HeldWritesReachTheFileWhenTheBatchEndsAndNotBefore) {
    TTempDir dir;
    const std::string path = dir / "held.jsk";
    std::vector<TRecordBytes> model;
    std::mt19937 rng(91);
    TRecordFile file(path, TRecordFile::Mode::ReadWriteCreate);
    for (int i = 0; i < 1500; ++i) {
        model.push_back(RandomRecord(rng));
        file.Write(i, model.back());
    }
    for (int round = 0; round < 6; ++round) {
        const TBytes before = ReadFileBytes(path);
        TWriteBatch batch(file);
        {
            TWriteBatch nested(file);  // an operation inside another one
            model.push_back(RandomRecord(rng));
            file.Write(static_cast<std::int64_t>(model.size()) - 1, model.back());
            nested.Commit();
        }
        // The last round holds more than is ever kept back at once.
        const int ops = round == 5 ? 200000 : 3000;
        for (int op = 0; op < ops; ++op) {
            const unsigned roll = rng() % 10;
            const auto n = static_cast<std::int64_t>(rng() % model.size());
            if (roll < 5) {
                ASSERT_EQ(file.Read(n), model[static_cast<std::size_t>(n)]) << "round " << round << " op " << op;
            } else if (roll < 8) {
                model[static_cast<std::size_t>(n)] = RandomRecord(rng);
                file.Write(n, model[static_cast<std::size_t>(n)]);
            } else {
                model.push_back(RandomRecord(rng));
                file.Write(static_cast<std::int64_t>(model.size()) - 1, model.back());
            }
        }
        ASSERT_EQ(file.RecordCount(), static_cast<std::int64_t>(model.size()));
        if (round < 5) {
            ASSERT_EQ(ReadFileBytes(path), before) << "round " << round;
        }
        batch.Commit();
        ASSERT_EQ(ReadFileBytes(path), Concat(model)) << "round " << round;
    }
    std::vector<TRecordBytes> all(model.size());
    file.ReadRange(0, all);
    EXPECT_EQ(all, model);
}

// A batch whose write fails (the file may grow no further) reports it, and
// the file object then answers with what the file holds, not what was held.
TEST(RecordFile, AFailedBatchIsReportedAndReadsFallBackToTheFile) {
    TTempDir dir;
    const std::string path = dir / "full.jsk";
    TRecordFile file(path, TRecordFile::Mode::ReadWriteCreate);
    const TRecordBytes old = EncodeRecord({1, 1, 1, 0, 0, 0});
    for (int i = 0; i < 100; ++i) file.Write(i, old);

    {
        TWriteBatch batch(file);
        for (int i = 100; i < 3000; ++i) file.Write(i, EncodeRecord({2, 2, 2, 0, i + 1, 0}));
        file.Write(5, EncodeRecord({3, 3, 3, 0, 100, 0}));
        EXPECT_EQ(file.Read(5), EncodeRecord({3, 3, 3, 0, 100, 0}));
        const TFileSizeLimit limit(100 * kRecordSize + 1000);
        ASSERT_TRUE(limit.Set());
        try {
            batch.Commit();
            ADD_FAILURE() << "a write past the size limit was not reported";
        } catch (const EInOutError& e) {
            EXPECT_STREQ(e.what(), "ディスクがいっぱいです");
            EXPECT_EQ(e.FileName(), path);
        }
    }
    // The link to the new records was never written; part of them were.
    EXPECT_EQ(file.Read(5), old);
    const TBytes onDisk = ReadFileBytes(path);
    EXPECT_EQ(file.RecordCount(), static_cast<std::int64_t>(onDisk.size()) / kRecordSize);
    EXPECT_LT(file.RecordCount(), 3000);
    // The file takes writes again once there is room.
    const std::int64_t n = file.RecordCount();
    file.Write(n, old);
    file.Close();
    const TBytes after = ReadFileBytes(path);
    ASSERT_GE(after.size(), static_cast<std::size_t>(n + 1) * kRecordSize);
    EXPECT_EQ(TBytes(after.begin() + n * kRecordSize, after.begin() + (n + 1) * kRecordSize), TBytes(old.begin(), old.end()));
}

}  // namespace
}  // namespace vxlo::testing
