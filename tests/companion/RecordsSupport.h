#pragma once
// Shared pieces of the record grid and comment store tests: a fresh folder
// per test, a memo without a window, the rows of a store file read directly.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "navigation/Navigation.h"
#include "companion/CommentStore.h"
#include "support/TempDir.h"

namespace vxlo::testing {

inline std::vector<char> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Every row of a comment store file, read with a connection of its own.
inline std::map<int, std::string> StoredRows(const std::string& storePath) {
    std::map<int, std::string> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(storePath.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        ADD_FAILURE() << "cannot open " << storePath;
        return rows;
    }
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT rec, comment FROM comments ORDER BY rec", -1, &s, nullptr) ==
        SQLITE_OK) {
        while (sqlite3_step(s) == SQLITE_ROW) {
            const auto* text = static_cast<const char*>(sqlite3_column_blob(s, 1));
            rows[sqlite3_column_int(s, 0)] =
                std::string(text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(s, 1)));
        }
    } else {
        ADD_FAILURE() << sqlite3_errmsg(db);
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return rows;
}

// The memo of the comment window without the window.
class TTestMemo final : public IMemo {
public:
    std::string Text() const override { return text; }
    void Load(const std::string& loaded) override {
        text = loaded;
        modified = false;
    }
    bool Modified() const override { return modified; }
    void ClearModified() override { modified = false; }
    void SetReadOnly(bool value) override { readOnly = value; }
    // What the user does: only an editable memo takes the typing.
    void Type(const std::string& typed) {
        if (readOnly) return;
        text = typed;
        modified = true;
    }
    std::string text = "untouched";
    bool modified = false;
    bool readOnly = false;
};

class TRecordedMessages final : public IMessageSink {
public:
    void ShowMessage(const TMessage& message) override { shown.push_back(message.Text()); }
    std::vector<std::string> shown;
};

}  // namespace vxlo::testing
