#include "records/CommentSearch.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/VxloError.h"
#include "dictionary/TreeIndex.h"

namespace vxlo {

namespace {

constexpr const char* kCannotSearchText = QT_TRANSLATE_NOOP("vxlo", "コメントを検索できません");
constexpr std::size_t kTrigram = 3;
constexpr std::size_t kSnippetBefore = 15;  // characters kept before the match
constexpr std::size_t kSnippetLength = 50;  // characters in all
constexpr const char* kEllipsis = "…";

constexpr const char* kSchema =
    "CREATE VIRTUAL TABLE IF NOT EXISTS comments_search USING fts5("
    "  comment, content='comments', content_rowid='rec', tokenize='trigram');"
    "CREATE TRIGGER IF NOT EXISTS comments_search_insert AFTER INSERT ON comments BEGIN"
    "  INSERT INTO comments_search(rowid, comment) VALUES (new.rec, new.comment);"
    " END;"
    "CREATE TRIGGER IF NOT EXISTS comments_search_delete AFTER DELETE ON comments BEGIN"
    "  INSERT INTO comments_search(comments_search, rowid, comment)"
    "    VALUES ('delete', old.rec, old.comment);"
    " END;"
    "CREATE TRIGGER IF NOT EXISTS comments_search_update AFTER UPDATE ON comments BEGIN"
    "  INSERT INTO comments_search(comments_search, rowid, comment)"
    "    VALUES ('delete', old.rec, old.comment);"
    "  INSERT INTO comments_search(rowid, comment) VALUES (new.rec, new.comment);"
    " END;";

std::size_t Characters(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

bool Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset of the first occurrence, ASCII letters compared without case.
std::size_t FindIgnoringCase(const std::string& text, const std::string& part) {
    auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    const auto it = std::search(text.begin(), text.end(), part.begin(), part.end(),
                                [&](char a, char b) { return lower(a) == lower(b); });
    return it == text.end() ? std::string::npos : static_cast<std::size_t>(it - text.begin());
}

// Moves a byte offset back (or on) over n characters.
std::size_t Back(const std::string& text, std::size_t at, std::size_t n) {
    while (at > 0 && n > 0) {
        --at;
        while (at > 0 && Continuation(text[at])) --at;
        --n;
    }
    return at;
}
std::size_t On(const std::string& text, std::size_t at, std::size_t n) {
    while (at < text.size() && n > 0) {
        ++at;
        while (at < text.size() && Continuation(text[at])) ++at;
        --n;
    }
    return at;
}

class TQuery {
public:
    TQuery(sqlite3* db, const char* sql) {
        sqlite3_stmt* raw = nullptr;
        rc_ = sqlite3_prepare_v2(db, sql, -1, &raw, nullptr);
        statement_.reset(raw);
    }
    int Code() const { return rc_; }
    sqlite3_stmt* Get() const { return statement_.get(); }
private:
    TStatement statement_;
    int rc_ = SQLITE_OK;
};

}  // namespace

int EnsureSearchIndex(sqlite3* db) {
    TQuery exists(db, "SELECT count(*) FROM sqlite_schema WHERE name = 'comments_search'");
    if (exists.Code() != SQLITE_OK) return exists.Code();
    int rc = sqlite3_step(exists.Get());
    if (rc != SQLITE_ROW) return rc;
    const bool had = sqlite3_column_int(exists.Get(), 0) > 0;
    rc = sqlite3_reset(exists.Get());
    if (rc != SQLITE_OK) return rc;
    if (had) return sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr);
    // Index, triggers and the comments already there in one transaction: a
    // store never holds an index that misses some of them.
    rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return rc;
    rc = sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(db, "INSERT INTO comments_search(comments_search) VALUES ('rebuild')",
                          nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return rc;
}

TCommentSearch::TCommentSearch(const std::string& dictionaryPath)
    : path_(TCommentStore::StorePathFor(dictionaryPath)) {
    std::error_code error;
    if (!std::filesystem::exists(path_, error)) return;
    if (std::filesystem::is_directory(path_, error)) Fail(SQLITE_CANTOPEN);
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(path_.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    db_.reset(raw);
    if (rc != SQLITE_OK) Fail(rc);
    sqlite3_busy_timeout(db_.get(), 500);
    rc = EnsureSearchIndex(db_.get());
    if (rc == SQLITE_READONLY) {
        indexed_ = false;
    } else if (rc != SQLITE_OK) {
        Fail(rc);
    }
}

void TCommentSearch::Fail(int code) {
    throw EFileRefused(WithReason(kCannotSearchText, sqlite3_errstr(code)), path_);
}

std::vector<TCommentHit> TCommentSearch::Find(const std::string& text) {
    std::vector<TCommentHit> hits;
    if (!db_ || text.empty()) return hits;
    std::string pattern;
    const bool indexed = indexed_ && Characters(text) >= kTrigram;
    if (indexed) {
        // One phrase: the whole text as a substring, quotes doubled.
        pattern = "\"";
        for (const char c : text) pattern += c == '"' ? std::string("\"\"") : std::string(1, c);
        pattern += "\"";
    } else {
        pattern = "%";
        for (const char c : text) {
            if (c == '%' || c == '_' || c == '\\') pattern += '\\';
            pattern += c;
        }
        pattern += "%";
    }
    TQuery query(db_.get(),
                 indexed ? "SELECT rowid, comment FROM comments_search WHERE comments_search MATCH ?1 "
                           "ORDER BY rowid"
                         : "SELECT rec, comment FROM comments WHERE comment LIKE ?1 ESCAPE '\\' "
                           "ORDER BY rec");
    if (query.Code() != SQLITE_OK) Fail(query.Code());
    sqlite3_bind_text(query.Get(), 1, pattern.data(), static_cast<int>(pattern.size()), SQLITE_TRANSIENT);
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(query.Get())) == SQLITE_ROW) {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(query.Get(), 1));
        const int size = sqlite3_column_bytes(query.Get(), 1);
        hits.push_back({sqlite3_column_int(query.Get(), 0),
                        std::string(bytes ? bytes : "", static_cast<std::size_t>(size))});
    }
    if (rc != SQLITE_DONE) Fail(rc);
    return hits;
}

std::string Snippet(const std::string& comment, const std::string& text) {
    std::size_t at = FindIgnoringCase(comment, text);
    if (at == std::string::npos) at = 0;
    const std::size_t from = Back(comment, at, kSnippetBefore);
    const std::size_t to = On(comment, from, kSnippetLength);
    std::string snippet = from > 0 ? kEllipsis : "";
    for (std::size_t i = from; i < to; ++i) {
        const char c = comment[i];
        if (c == '\r') continue;
        snippet += (c == '\n' || c == '\t') ? ' ' : c;
    }
    if (to < comment.size()) snippet += kEllipsis;
    return snippet;
}

std::vector<TSearchResult> SearchComments(TCommentSearch& search, const TTreeIndex& index,
                                          const std::string& text) {
    std::vector<TSearchResult> results;
    for (const TCommentHit& hit : search.Find(text)) {
        if (!index.Reachable(hit.record)) continue;
        results.push_back({hit.record, index.MovesTo(hit.record), Snippet(hit.comment, text)});
    }
    std::stable_sort(results.begin(), results.end(), [](const TSearchResult& a, const TSearchResult& b) {
        return a.moves.size() < b.moves.size();
    });
    return results;
}

}  // namespace vxlo
