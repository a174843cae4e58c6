#include "companion/GameExplorer.h"

#include <algorithm>
#include <climits>

#include "board/Goban.h"

namespace vxlo {

TGameSelection::TGameSelection(TGameStore& store, const TGameFilter& filter) : facts_(store.Facts(filter)) { Index(); }

namespace {

// A game looked up by id costs about as much as this many read in a scan.
constexpr std::int64_t kLookupCost = 16;

std::vector<std::int64_t> GamesOf(const std::vector<TGamePass>& passes) {
    std::vector<std::int64_t> ids;
    ids.reserve(passes.size());
    for (const TGamePass& p : passes) ids.push_back(p.game);
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

}  // namespace

TGameSelection::TGameSelection(TGameStore& store, const TGameFilter& filter, const std::vector<TGamePass>& passes)
    : facts_(static_cast<std::int64_t>(passes.size()) * kLookupCost >= store.LastGameId()
                 ? store.Facts(filter)
                 : store.Facts(filter, GamesOf(passes))) {
    Index();
}

void TGameSelection::Index() {
    const std::int64_t last = facts_.empty() ? 0 : facts_.back().id;
    // Ids are dense: the store hands them out one after another. A few
    // games of many are searched instead.
    if (static_cast<std::int64_t>(facts_.size()) * 8 < last) return;
    slot_.assign(static_cast<std::size_t>(last + 1), -1);
    for (std::size_t i = 0; i < facts_.size(); ++i)
        if (facts_[i].id >= 0) slot_[static_cast<std::size_t>(facts_[i].id)] = static_cast<std::int32_t>(i);
}

const TGameFacts* TGameSelection::Find(std::int64_t id) const {
    if (slot_.empty()) {
        const auto at = std::lower_bound(facts_.begin(), facts_.end(), id,
                                         [](const TGameFacts& g, std::int64_t wanted) { return g.id < wanted; });
        return at != facts_.end() && at->id == id ? &*at : nullptr;
    }
    if (id < 0 || id >= static_cast<std::int64_t>(slot_.size())) return nullptr;
    const std::int32_t i = slot_[static_cast<std::size_t>(id)];
    return i < 0 ? nullptr : &facts_[static_cast<std::size_t>(i)];
}

TPassCounts CountPasses(const std::vector<TGamePass>& passes, const TGameSelection& selection) {
    TPassCounts c;
    for (const TGamePass& p : passes) {
        const TGameFacts* g = selection.Find(p.game);
        if (g == nullptr) continue;
        ++c.games;
        const int starter = p.coloursExchanged ? White : Black;
        if (g->winner == Black || g->winner == White) {
            (g->winner == starter ? c.starterWins : c.starterLosses) += 1;
            (g->winner == Black ? c.blackWins : c.whiteWins) += 1;
        }
        if (g->year > 0) {
            ++c.byYear[g->year];
            c.firstYear = c.firstYear == 0 ? g->year : std::min(c.firstYear, g->year);
            c.lastYear = std::max(c.lastYear, g->year);
        }
    }
    return c;
}

std::optional<EGameSort> GameSortNamed(const std::string& name) {
    static const std::pair<const char*, EGameSort> kNames[] = {
        {"date", EGameSort::Date},   {"black", EGameSort::Black},   {"white", EGameSort::White},
        {"event", EGameSort::Event}, {"result", EGameSort::Result}, {"move", EGameSort::Move}};
    for (const auto& [text, sort] : kNames)
        if (name == text) return sort;
    return std::nullopt;
}

namespace {

const char* ColumnOf(EGameSort by) {
    switch (by) {
    case EGameSort::Black: return "black";
    case EGameSort::White: return "white";
    case EGameSort::Event: return "event";
    case EGameSort::Result: return "result";
    default: return nullptr;
    }
}

}  // namespace

TGamePage ListGames(TGameStore& store, const std::vector<TGamePass>& passes, const TGameSelection& selection,
                    long long limit, long long offset, TGameOrder order) {
    struct TEntry {
        const TGamePass* pass;
        const TGameFacts* game;
        std::int64_t key;  // smaller first; INT64_MAX: no value, last either way
    };
    const char* column = ColumnOf(order.by);
    const std::vector<std::int32_t>* ranks = column ? &store.TextRanks(column) : nullptr;
    std::vector<TEntry> entries;
    for (const TGamePass& p : passes) {
        const TGameFacts* g = selection.Find(p.game);
        if (g == nullptr) continue;
        std::int64_t key = INT64_MAX;
        if (order.by == EGameSort::Date) {
            if (g->dateKey > 0) key = -g->dateKey;
        } else if (order.by == EGameSort::Move) {
            key = p.moveNumber;
        } else if (p.game >= 0 && p.game < static_cast<std::int64_t>(ranks->size())) {
            const std::int32_t rank = (*ranks)[static_cast<std::size_t>(p.game)];
            if (rank != TGameStore::kNoRank) key = rank;
        }
        if (order.reversed && key != INT64_MAX) key = -key;
        entries.push_back({&p, g, key});
    }
    TGamePage page;
    page.total = static_cast<long long>(entries.size());
    const auto before = [](const TEntry& a, const TEntry& b) {
        if (a.key != b.key) return a.key < b.key;
        const bool aDated = a.game->dateKey > 0, bDated = b.game->dateKey > 0;
        if (aDated != bDated) return aDated;
        if (a.game->dateKey != b.game->dateKey) return a.game->dateKey > b.game->dateKey;
        if (a.pass->game != b.pass->game) return a.pass->game < b.pass->game;
        return a.pass->corner < b.pass->corner;
    };
    const long long first = std::clamp<long long>(offset, 0, page.total);
    const long long end = first + std::clamp<long long>(limit, 0, page.total - first);
    std::partial_sort(entries.begin(), entries.begin() + end, entries.end(), before);
    for (long long i = first; i < end; ++i) {
        const TEntry& e = entries[static_cast<std::size_t>(i)];
        std::optional<TKeptGame> game = store.Game(e.pass->game);
        if (game) page.games.push_back({std::move(*game), *e.pass});
    }
    return page;
}

}  // namespace vxlo
