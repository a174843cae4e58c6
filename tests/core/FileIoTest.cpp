#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <filesystem>
#include <vector>

#include "core/FileIo.h"
#include "core/VxloError.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace vxlo {
namespace {

using testing::ReadFileBytes;
using testing::TBytes;
using testing::TTempDir;
using testing::WriteFileBytes;

std::string Text(const std::string& path) {
    const TBytes b = ReadFileBytes(path);
    return std::string(b.begin(), b.end());
}

int ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EInOutError& e) {
        return e.ErrorNumber();
    }
    return 0;
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return 0;
    return st.st_mode & 07777;
}

std::vector<std::string> Names(const TTempDir& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileLayer, OnlyRegularFilesOpenAndNothingWaitsForAFifo) {
    TTempDir dir;
    const std::string fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Without the refusal each of these would wait for a writer forever.
    EXPECT_EQ(ErrorOf([&] { OpenRegularFile(fifo, EOpenMode::ReadOnly); }), EINVAL);
    EXPECT_EQ(ErrorOf([&] { ReadWholeFile(fifo, 100, "big"); }), EINVAL);
    EXPECT_EQ(ErrorOf([&] { OpenRegularFile("/dev/null", EOpenMode::ReadOnly); }), EINVAL);
    EXPECT_EQ(ErrorOf([&] { OpenRegularFile(dir.Path().string(), EOpenMode::ReadOnly); }), EISDIR);
    EXPECT_EQ(ErrorOf([&] { OpenRegularFile(dir / "missing", EOpenMode::ReadOnly); }), ENOENT);
    EXPECT_EQ(ErrorOf([&] { OpenRegularFile("", EOpenMode::ReadOnly); }), ENOENT);
    EXPECT_FALSE(ReadWholeFileIfExists(dir / "missing", 100, "big"));
    // Create makes an empty regular file.
    EXPECT_EQ(FileSizeOf(OpenRegularFile(dir / "new", EOpenMode::ReadWriteCreate), dir / "new"), 0);
}

TEST(FileLayer, ErrorsNameTheFile) {
    TTempDir dir;
    try {
        ReadWholeFile(dir / "missing", 100, "big");
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.FileName(), dir / "missing");
    }
}

TEST(FileLayer, WholeFileReadsUpToTheCapExactly) {
    TTempDir dir;
    const std::string path = dir / "f";
    WriteFileBytes(path, TBytes(100000, 'x'));
    EXPECT_EQ(ReadWholeFile(path, 100000, "big").size(), 100000u);
    try {
        ReadWholeFile(path, 99999, "too big");
        FAIL();
    } catch (const EFileRefused& e) {
        EXPECT_STREQ(e.what(), "too big");
        EXPECT_EQ(e.FileName(), path);
    }
    WriteFileBytes(path, {});
    EXPECT_EQ(ReadWholeFile(path, 0, "big"), "");
}

TEST(FileLayer, PositionedRecordsReadBackAndStopAtTheEnd) {
    TTempDir dir;
    const std::string path = dir / "r";
    const TFileDescriptor fd = OpenRegularFile(path, EOpenMode::ReadWriteCreate);
    const std::vector<std::uint8_t> a{1, 2, 3}, b{7, 8, 9};
    WriteAllAt(fd, 6, b, path);
    WriteAllAt(fd, 0, a, path);
    EXPECT_EQ(Text(path), std::string("\1\2\3\0\0\0\7\10\11", 9));
    std::vector<std::uint8_t> got(3);
    ReadExactAt(fd, 6, got, path);
    EXPECT_EQ(got, b);
    EXPECT_EQ(ErrorOf([&] { ReadExactAt(fd, 7, got, path); }), EInOutError::kReadPastEnd);
    EXPECT_EQ(ErrorOf([&] { ReadExactAt(fd, -3, got, path); }), EInOutError::kReadPastEnd);
    EXPECT_EQ(FileSizeOf(fd, path), 9);
}

TEST(FileLayer, AtomicReplaceKeepsTheModeAndLeavesNoTemporary) {
    TTempDir dir;
    const std::string path = dir / "s.ini";
    ReplaceFileAtomically(path, "one");
    EXPECT_EQ(Text(path), "one");
    ::chmod(path.c_str(), 0640);
    ReplaceFileAtomically(path, "two");
    EXPECT_EQ(Text(path), "two");
    EXPECT_EQ(ModeOf(path), 0640u);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"s.ini"});
}

TEST(FileLayer, AtomicReplaceWritesThroughALink) {
    TTempDir dir;
    const std::string real = dir / "real";
    const std::string link = dir / "link";
    WriteFileBytes(real, {'a'});
    std::filesystem::create_symlink(real, link);
    ReplaceFileAtomically(link, "b");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Text(real), "b");
}

TEST(FileLayer, AFailedReplaceLeavesTheOldFileWhole) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    TTempDir dir;
    const std::string path = dir / "s.ini";
    ReplaceFileAtomically(path, "old");
    ::chmod(dir.Path().c_str(), 0555);
    EXPECT_EQ(ErrorOf([&] { ReplaceFileAtomically(path, "new"); }), EACCES);
    ::chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(Text(path), "old");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"s.ini"});
    EXPECT_EQ(ErrorOf([&] { ReplaceFileAtomically(dir.Path().string(), "x"); }), EISDIR);
}

TEST(FileLayer, AFullDeviceIsReported) {
    TFileDescriptor full(::open("/dev/full", O_WRONLY | O_CLOEXEC));
    if (!full.IsOpen()) GTEST_SKIP() << "no /dev/full";
    const std::vector<std::uint8_t> one{1};
    EXPECT_EQ(ErrorOf([&] { WriteAllAt(full, 0, one, "/dev/full"); }), ENOSPC);
}

}  // namespace
}  // namespace vxlo
