#include "navigation/LineTree.h"

#include <unordered_set>

#include "dictionary/Fjsk.h"

namespace vxlo {

std::vector<TLineEntry> LineEntries(IRecordStore& store, std::int64_t record, int limit) {
    std::vector<TLineEntry> entries;
    const std::int64_t count = store.RecordCount();
    if (record < 0 || record >= count) return entries;
    std::int64_t r = record == 0 ? TLjsk::RootRecNoOf(store) : DecodeRecord(store.Read(record)).Next;
    std::unordered_set<std::int64_t> seen;
    while (r > 0 && r < count && static_cast<int>(entries.size()) < limit && seen.insert(r).second) {
        const TJskRecord rec = DecodeRecord(store.Read(r));
        TLineEntry e;
        e.move = {rec.X, rec.Y};
        e.record = r;
        e.color = rec.Color;
        const int i = static_cast<int>(entries.size());
        if (i < kLabelCount) e.label = std::string(CandidateLabel(i));
        e.hasMoves = rec.Next > 0 && rec.Next < count;
        entries.push_back(std::move(e));
        r = rec.More;
    }
    return entries;
}

std::string CommentHead(const std::string& comment, std::size_t length) {
    std::string line = comment.substr(0, comment.find_first_of("\r\n"));
    std::size_t chars = 0, at = 0;
    while (at < line.size() && chars < length) {
        const unsigned char c = static_cast<unsigned char>(line[at]);
        at += c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        ++chars;
    }
    if (at >= line.size()) return line == comment ? line : line + "…";
    return line.substr(0, at) + "…";
}

}  // namespace vxlo
