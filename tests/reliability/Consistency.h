#pragma once
// Checks that survive any failure: what the program holds in memory agrees
// with itself and with the file, and the file's tree is sound.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "dictionary/Check.h"
#include "dictionary/Fjsk.h"
#include "navigation/Navigation.h"

namespace vxlo::testing {

// Every line of the tree as the sequence of its points, e.g. "16,4 17,3".
inline std::set<std::string> ReachableLines(IRecordStore& store) {
    std::set<std::string> lines;
    struct TItem {
        std::int64_t rec;
        std::string prefix;
        int depth;
    };
    std::vector<TItem> todo;
    const int root = TLjsk::RootRecNoOf(store);
    if (root > 0 && root < store.RecordCount()) todo.push_back({root, "", 0});
    std::set<std::int64_t> seen;
    while (!todo.empty()) {
        const TItem item = todo.back();
        todo.pop_back();
        for (std::int64_t rec = item.rec; rec > 0 && rec < store.RecordCount(); ) {
            if (!seen.insert(rec).second) break;
            const TJskRecord r = DecodeRecord(store.Read(rec));
            const std::string line =
                item.prefix + (item.prefix.empty() ? "" : " ") + std::to_string(r.X) + "," + std::to_string(r.Y);
            lines.insert(line);
            if (r.Next > 0) todo.push_back({r.Next, line, item.depth + 1});
            rec = r.More;
        }
    }
    return lines;
}

// The file holds no link to a missing record and no loop.
inline void ExpectSoundFile(IRecordStore& store) {
    const TCheckReport report = CheckDictionary(store);
    for (const TCheckFinding& f : report.findings) {
        EXPECT_NE(f.kind, TCheckFinding::Kind::LinkPastEnd) << f.text;
        EXPECT_NE(f.kind, TCheckFinding::Kind::ReachedTwice) << f.text;
    }
}

// Board, move path and candidate list agree with each other and with the
// file: replaying the path gives the board's stones, exactly the candidates
// are marked, and the list is (a prefix of) the chain the file holds for the
// position. A prefix is allowed only when a read failed while loading it.
inline void ExpectConsistent(TNavigation& nav, bool allowPrefix) {
    TNullView view;
    TTejun path;
    TGoban replay(path, view);
    for (int n = 1; n <= nav.Path().Count(); ++n) {
        const TPoint p = nav.Path().GetMove(n);
        ASSERT_EQ(replay.PlayMove(p.x, p.y), EMoveResult::Ok) << "path move " << n;
        path.Push(p.x, p.y, 0, 0, replay);
    }
    const TGoban& board = nav.Board();
    board.CheckInvariants();
    EXPECT_EQ(board.GetTurn(), replay.GetTurn());
    TLjsk& list = nav.Dictionary();
    std::set<std::pair<int, int>> candidates;
    for (int i = 0; i < list.Count(); ++i) candidates.insert({list.GetMoveXY(i).x, list.GetMoveXY(i).y});
    for (int x = 1; x <= 19; ++x) {
        for (int y = 1; y <= 19; ++y) {
            ASSERT_EQ(board.GetStone(x, y), replay.GetStone(x, y)) << x << "," << y;
            EXPECT_EQ(board.PointState(x, y) == Candidate, candidates.count({x, y}) == 1) << x << "," << y;
        }
    }
    EXPECT_EQ(board.PointState(kTenuki.x, kTenuki.y) == Candidate,
              candidates.count({kTenuki.x, kTenuki.y}) == 1) << "tenuki";
    // The chain the file holds for the current position.
    IRecordStore& store = list.Store();
    std::int64_t head = 0;
    if (nav.Path().Count() == 0) {
        head = TLjsk::RootRecNoOf(store);
    } else {
        head = DecodeRecord(store.Read(nav.Path().LastRecNo())).Next;
    }
    std::vector<std::pair<int, int>> chain;
    for (std::int64_t rec = head; rec > 0 && rec < store.RecordCount() && chain.size() < 31;) {
        const TJskRecord r = DecodeRecord(store.Read(rec));
        chain.push_back({r.X, r.Y});
        rec = r.More;
    }
    ASSERT_LE(static_cast<std::size_t>(list.Count()), chain.size());
    if (!allowPrefix) {
        EXPECT_EQ(static_cast<std::size_t>(list.Count()), chain.size());
    }
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_EQ((std::pair<int, int>{list.GetMoveXY(i).x, list.GetMoveXY(i).y}), chain[static_cast<std::size_t>(i)]);
        EXPECT_EQ(list.GetRecord(i), DecodeRecord(store.Read(list.RecNoAt(i)))) << "slot " << i;
    }
}

}  // namespace vxlo::testing
