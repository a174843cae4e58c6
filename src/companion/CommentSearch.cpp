#include "companion/CommentSearch.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>

#include "core/VxloError.h"
#include "dictionary/TreeIndex.h"

namespace vxlo {

namespace {

constexpr const char* kCannotSearchText = QT_TRANSLATE_NOOP("vxlo", "コメントを検索できません");
constexpr std::size_t kTrigram = 3;
constexpr std::size_t kSnippetBefore = 15;  // characters kept before the match
constexpr std::size_t kSnippetLength = 50;  // characters in all
constexpr const char* kEllipsis = "…";

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

}  // namespace

TCommentSearch::TCommentSearch(TCompanion db) : db_(std::move(db)) {
    hasComments_ = db_->Has(ECompanionTable::Comments);
    if (!hasComments_) return;
    if (!db_->Has(ECompanionTable::CommentsSearch) && db_->Writable()) db_->Ensure(ECompanionTable::CommentsSearch);
    indexed_ = db_->Has(ECompanionTable::CommentsSearch);
}

std::vector<TCommentHit> TCommentSearch::Find(const std::string& text) {
    std::vector<TCommentHit> hits;
    if (!hasComments_ || text.empty()) return hits;
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
    const TStatement query = db_->Prepare(
        indexed ? "SELECT rowid, comment FROM comments_search WHERE comments_search MATCH ?1 ORDER BY rowid"
                : "SELECT rec, comment FROM comments WHERE comment LIKE ?1 ESCAPE '\\' ORDER BY rec",
        kCannotSearchText);
    sqlite3_bind_text(query.get(), 1, pattern.data(), static_cast<int>(pattern.size()), SQLITE_TRANSIENT);
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(query.get())) == SQLITE_ROW) {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(query.get(), 1));
        const int size = sqlite3_column_bytes(query.get(), 1);
        hits.push_back({sqlite3_column_int(query.get(), 0),
                        std::string(bytes ? bytes : "", static_cast<std::size_t>(size))});
    }
    if (rc != SQLITE_DONE) db_->Fail(kCannotSearchText, rc);
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
