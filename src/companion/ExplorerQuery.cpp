#include "companion/ExplorerQuery.h"

#include <algorithm>
#include <cctype>

#include "board/Goban.h"

namespace vxlo {

namespace {

std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

// Four digits at most: a year, never a number that overflows.
std::optional<int> Year(const std::string& text, bool& valid) {
    const std::string t = Trim(text);
    valid = true;
    if (t.empty()) return std::nullopt;
    if (t.size() > 4 || !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        valid = false;
        return std::nullopt;
    }
    return std::stoi(t);
}

bool SameFilter(const TGameFilter& a, const TGameFilter& b) {
    return a.from == b.from && a.to == b.to && a.player == b.player && a.event == b.event;
}

}  // namespace

TParsedFilter ParseFilterText(const TFilterText& text) {
    TParsedFilter p;
    p.filter.from = Year(text.from, p.fromValid);
    p.filter.to = Year(text.to, p.toValid);
    p.filter.player = Trim(text.player);
    p.filter.event = Trim(text.event);
    return p;
}

long long PageCount(long long total, long long pageSize) {
    pageSize = std::max<long long>(1, pageSize);
    return std::max<long long>(1, (std::max<long long>(0, total) + pageSize - 1) / pageSize);
}

long long ClampPage(long long page, long long total, long long pageSize) {
    return std::clamp<long long>(page, 0, PageCount(total, pageSize) - 1);
}

TExplorerQuery::TExplorerQuery(TCompanion db) : store_(std::move(db)) {}

bool TExplorerQuery::Any() {
    if (!any_) any_ = store_.Any();
    return *any_;
}

void TExplorerQuery::SetFilter(const TGameFilter& filter) {
    if (selection_ && SameFilter(filter, filter_)) return;
    filter_ = filter;
    selection_.reset();
}

TGameSelection& TExplorerQuery::Selection() {
    if (!selection_) selection_.emplace(store_, filter_);
    return *selection_;
}

TExplorerPosition TExplorerQuery::Position(const TLjsk& list, int record) {
    TExplorerPosition position;
    position.record = record;
    const TGameSelection& selection = Selection();
    position.counts = CountPasses(store_.PassesAt(record), selection);
    long long total = 0;
    for (int i = 0; i < list.Count(); ++i) {
        TExplorerCandidate c;
        c.move = list.GetMoveXY(i);
        c.label = list.LabelIndex(i) >= 0 ? std::string(CandidateLabel(list.LabelIndex(i))) : std::string();
        c.record = list.RecNoAt(i);
        c.counts = CountPasses(store_.PassesAt(c.record), selection);
        total += c.counts.games;
        position.candidates.push_back(std::move(c));
    }
    for (TExplorerCandidate& c : position.candidates)
        c.share = total > 0 ? static_cast<double>(c.counts.games) / static_cast<double>(total) : 0.0;
    std::stable_sort(position.candidates.begin(), position.candidates.end(),
                     [](const TExplorerCandidate& a, const TExplorerCandidate& b) { return a.counts.games > b.counts.games; });
    return position;
}

TGamePage TExplorerQuery::Games(int record, long long page, long long pageSize, TGameOrder order) {
    pageSize = std::max<long long>(1, pageSize);
    const std::vector<TGamePass> passes = store_.PassesAt(record);
    const TGameSelection& selection = Selection();
    // The page asked for may lie past the end once the filter narrowed.
    TGamePage first = ListGames(store_, passes, selection, 0, 0, order);
    const long long shown = ClampPage(page, first.total, pageSize);
    return ListGames(store_, passes, selection, pageSize, shown * pageSize, order);
}

namespace {

int Index(int x, int y) { return (y - 1) * kBoardSize + (x - 1); }
bool OnBoard(int x, int y) { return x >= 1 && x <= kBoardSize && y >= 1 && y <= kBoardSize; }

// The stones of the group at (x, y) when it has no liberty, else none.
std::vector<int> DeadGroup(const TBoardStones& stones, int x, int y) {
    const int colour = stones[static_cast<std::size_t>(Index(x, y))];
    std::vector<int> group{Index(x, y)};
    std::vector<bool> seen(stones.size(), false);
    seen[static_cast<std::size_t>(Index(x, y))] = true;
    for (std::size_t i = 0; i < group.size(); ++i) {
        const int gx = group[i] % kBoardSize + 1, gy = group[i] / kBoardSize + 1;
        const int around[4][2] = {{gx - 1, gy}, {gx + 1, gy}, {gx, gy - 1}, {gx, gy + 1}};
        for (const auto& n : around) {
            if (!OnBoard(n[0], n[1])) continue;
            const auto k = static_cast<std::size_t>(Index(n[0], n[1]));
            if (stones[k] == Empty) return {};
            if (stones[k] == colour && !seen[k]) {
                seen[k] = true;
                group.push_back(static_cast<int>(k));
            }
        }
    }
    return group;
}

}  // namespace

TBoardStones StonesAfter(const std::vector<TReplayMove>& moves, int n) {
    TBoardStones stones{};
    const int end = std::clamp(n, 0, static_cast<int>(moves.size()));
    for (int i = 0; i < end; ++i) {
        const TReplayMove& m = moves[static_cast<std::size_t>(i)];
        if (!OnBoard(m.x, m.y) || (m.color != Black && m.color != White)) continue;
        if (stones[static_cast<std::size_t>(Index(m.x, m.y))] != Empty) continue;
        stones[static_cast<std::size_t>(Index(m.x, m.y))] = m.color;
        const int around[4][2] = {{m.x - 1, m.y}, {m.x + 1, m.y}, {m.x, m.y - 1}, {m.x, m.y + 1}};
        for (const auto& a : around) {
            if (!OnBoard(a[0], a[1])) continue;
            const int other = stones[static_cast<std::size_t>(Index(a[0], a[1]))];
            if (other == Empty || other == m.color) continue;
            for (const int k : DeadGroup(stones, a[0], a[1])) stones[static_cast<std::size_t>(k)] = Empty;
        }
        // A suicide in a record takes its own group.
        for (const int k : DeadGroup(stones, m.x, m.y)) stones[static_cast<std::size_t>(k)] = Empty;
    }
    return stones;
}

int ShownMove(const TGamePass& pass, std::size_t gameMoves) {
    return std::clamp(pass.moveNumber, 0, static_cast<int>(gameMoves));
}

TSquare CornerSquare(int corner) {
    const bool right = (corner & 1) != 0, bottom = (corner & 2) != 0;
    return {right ? 10 : 1, bottom ? 10 : 1, right ? kBoardSize : 10, bottom ? kBoardSize : 10};
}

}  // namespace vxlo
