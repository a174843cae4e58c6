#pragma once
// Full-text search of the comments. The comment store carries an FTS5 index
// (trigram tokenizer: Japanese and English alike match as substrings) that
// triggers on the comments table keep in step with every write, whoever
// writes. Texts shorter than three characters, below what trigrams answer
// (定石, 三々), are found by a scan of the table instead.
#include <string>
#include <vector>

#include "board/Goban.h"
#include "companion/CommentStore.h"

namespace vxlo {

class TTreeIndex;

struct TCommentHit {
    int record = 0;
    std::string comment;
};

struct TSearchResult {
    int record = 0;
    std::vector<TPoint> moves;  // from the empty board
    std::string snippet;
};

class TCommentSearch {
public:
    // Searches the comments of the companion database; a writer's database
    // that has comments but no index yet (a store made before it) gets it.
    // A store without comments has none to find.
    explicit TCommentSearch(TCompanion db);

    // Every comment that contains text, case ignored, by record number. An
    // empty text finds nothing.
    std::vector<TCommentHit> Find(const std::string& text);

private:
    TCompanion db_;
    bool hasComments_ = false;
    // False for a store that cannot be written and has no index yet: every
    // text is then found by a scan.
    bool indexed_ = true;
};

// The comment around the first place where text occurs, on one line, with
// "…" where it was cut.
std::string Snippet(const std::string& comment, const std::string& text);

// The hits that the tree reaches, with their moves and snippets, nearest the
// empty board first.
std::vector<TSearchResult> SearchComments(TCommentSearch& search, const TTreeIndex& index,
                                          const std::string& text);

}  // namespace vxlo
