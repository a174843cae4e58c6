#pragma once
// The dictionary tree as text, one line per move in pre-order with children
// in chain order: "depth x,y colour comment". Record numbers do not show, so
// two files that hold the same tree in different record orders compare equal.
#include <string>
#include <vector>

#include "dictionary/Fjsk.h"
#include "import/SgfComments.h"
#include "companion/Markup.h"

namespace vxlo::testing {

// The markup of a position as " [kind x,y label]...", empty without markup.
inline std::string MarkupDump(IPositionMarkup* markup, int rec) {
    std::string text;
    if (!markup) return text;
    for (const TMarkup& m : markup->GetMarkup(rec)) {
        text += " [" + std::to_string(static_cast<int>(m.kind)) + " " + std::to_string(m.x) + "," +
                std::to_string(m.y) + " " + m.label + "]";
    }
    return text;
}

inline std::string TreeDump(IRecordStore& store, ISgfComments& comments, IPositionMarkup* markup = nullptr) {
    std::string dump = "root " + comments.GetComment(0).value_or("") + MarkupDump(markup, 0) + "\n";
    struct TItem {
        std::int64_t rec;
        int depth;
    };
    std::vector<TItem> todo;
    const int root = TLjsk::RootRecNoOf(store);
    std::vector<TItem> chain;
    const auto pushChain = [&](std::int64_t head, int depth) {
        chain.clear();
        for (std::int64_t rec = head; rec > 0 && rec < store.RecordCount();
             rec = DecodeRecord(store.Read(rec)).More) {
            chain.push_back({rec, depth});
        }
        todo.insert(todo.end(), chain.rbegin(), chain.rend());
    };
    pushChain(root, 1);
    while (!todo.empty()) {
        const TItem item = todo.back();
        todo.pop_back();
        const TJskRecord r = DecodeRecord(store.Read(item.rec));
        dump += std::to_string(item.depth) + " " + std::to_string(r.X) + "," + std::to_string(r.Y) + " " +
                std::to_string(r.Color) + " " + comments.GetComment(static_cast<int>(item.rec)).value_or("") +
                MarkupDump(markup, static_cast<int>(item.rec)) + "\n";
        if (r.Next > 0) pushChain(r.Next, item.depth + 1);
    }
    return dump;
}

}  // namespace vxlo::testing
