#pragma once
// A fresh temp folder with an open dictionary for every test, and the
// dictionary file's bytes as records.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dictionary/RecordFile.h"
#include "navigation/Navigation.h"

namespace vxlo::testing {

class TRecordingMessages final : public IMessageSink {
public:
    void ShowMessage(const TMessage& message) override { shown.push_back(message.Text()); }
    std::vector<std::string> shown;
};

// A record as every added move gets it: colour 0, Aux 100.
inline TJskRecord Move(int x, int y, int next = 0, int more = 0) {
    return TJskRecord{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0, 100, next, more};
}

inline std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string RecordBytes(const std::vector<TJskRecord>& records) {
    std::string bytes;
    for (const TJskRecord& r : records) {
        const TRecordBytes b = EncodeRecord(r);
        bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
    }
    return bytes;
}

inline std::vector<TJskRecord> FileRecords(const std::filesystem::path& path) {
    const std::string bytes = FileBytes(path);
    std::vector<TJskRecord> records;
    for (std::size_t at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize) {
        TRecordBytes b{};
        for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(bytes[at + i]);
        records.push_back(DecodeRecord(b));
    }
    return records;
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class TImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "vxlo-import-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        dictionary = dir / "test.jsk";
        nav.OpenFile(dictionary.string());
    }
    void TearDown() override {
        nav.CloseFile();
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    // Writes an IG1 file below the temp folder; returns its full path.
    std::string Ig1(const std::string& name, const std::string& text) {
        WriteBytes(dir / name, text);
        return (dir / name).string();
    }
    std::vector<TJskRecord> Records() const { return FileRecords(dictionary); }
    void ExpectFile(const std::vector<TJskRecord>& expected) const {
        EXPECT_EQ(FileBytes(dictionary), RecordBytes(expected));
    }

    std::filesystem::path dir;
    std::filesystem::path dictionary;
    TNullView view;
    TRecordingMessages messages;
    TNullCommentStore comments;
    TNullMenuState menus;
    TNavigation nav{view, messages, comments, menus};
};

}  // namespace vxlo::testing
