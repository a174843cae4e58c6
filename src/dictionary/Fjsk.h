#pragma once
// TLjsk: the open dictionary and the candidate list, the records that continue
// the current position in the order of their sibling chain. Every change is
// written through at once, a record at a time; nothing is cached beyond the
// list. Loaded candidates are marked on the board; labels go to the view.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "board/Goban.h"
#include "core/CheckedArray.h"
#include "core/Message.h"
#include "dictionary/RecordFile.h"

namespace vxlo {

// A chain of distinct moves holds at most every point and the tenuki; the
// corner import fills chains that far, the old reader saw their first 30.
constexpr int kCandidateSlots = kBoardSize * kBoardSize + 1;
constexpr int kMaxCandidates = 30;    // entry by hand refuses beyond this
constexpr int kLabelCount = 30;
// Drawn for a candidate past the 30 kana: a click still plays it.
inline constexpr std::string_view kUnlabelledMark = "・";

// Shown when a move would be added to or unlinked from a candidate list whose
// chain could not be read to its end.
inline constexpr const char* kPartialListText =
    QT_TRANSLATE_NOOP("vxlo", "候補を最後まで読み込めなかったため、この局面には追加も削除もできません");

// Label i of the いろは table (entry 24 repeats い); range error outside 0..29.
std::string_view CandidateLabel(int i);

// Where candidate labels are drawn and erased (the renderer).
class ILabelView {
public:
    virtual ~ILabelView() = default;
    virtual void DrawLabel(std::string_view text, int x, int y, int colorCode) = 0;
    virtual void ErasePoint(int x, int y) = 0;
};

class TLjsk {
public:
    TLjsk(IBoardMarks& board, ILabelView& view) : board_(board), view_(view) { ResetList(); }

    // Opens (creating when missing) and locks the dictionary file.
    void Open(const std::string& path);
    // Uses an already opened store instead of a file (memory, fault injection).
    void Attach(std::unique_ptr<IRecordStore> store);
    void Close();
    bool IsOpen() const { return store_ != nullptr; }
    IRecordStore& Store();
    // Changes with every record written and every open or close: an index
    // built from the file is stale once this differs from when it was built.
    std::uint64_t Revision() const { return revision_; }

    int Count() const { return count_; }
    // False while the list holds only the part of its chain read before a
    // failure; AddMove and UnlinkMove then refuse with an error.
    bool ListComplete() const { return !partial_; }
    int FirstRecNo() const { return firstRecNo_; }
    int ParentRecNo() const { return parentRecNo_; }
    int RecNoAt(int i) const { return recNos_[i]; }
    int FindRecNo(int x, int y) const;
    TJskRecord GetRecord(int i) const { return cand_[i]; }
    // The kana of candidate i (CandidateLabel's index), -1 when it has none.
    // Up to 30 candidates they go in chain order; past that to the 30 most
    // played by the counts given (chain order among equals), in chain order.
    int LabelIndex(int i) const { return labels_[i]; }
    // How often the game records played each record (the evidence counts);
    // none, or all 0, leaves the kana in chain order.
    using TPlayedCount = std::function<long long(int recNo)>;
    void SetPlayedCounts(TPlayedCount counts) { playedCounts_ = std::move(counts); }
    // Gives the kana again by the counts; true when a candidate's changed.
    bool RankLabels();
    TPoint GetMoveXY(int i) const { return {cand_[i].X, cand_[i].Y}; }

    void SetX(int i, int value) { cand_[i].X = Byte(value); }
    void SetY(int i, int value) { cand_[i].Y = Byte(value); }
    void SetColor(int i, int value) { cand_[i].Color = Byte(value); }
    void SetAux(int i, int value) { cand_[i].Aux = Byte(value); }
    void SetNext(int i, int value) { cand_[i].Next = value; }
    void SetMore(int i, int value) { cand_[i].More = value; }
    void WriteList();

    // The chain that begins at record r becomes the list, its points marked.
    // A record whose point is neither on the board nor the tenuki point stays
    // in the list (its links keep the chain whole) but gets no mark and no
    // label; OffBoardRecNos names it.
    int LoadList(int r);
    // The records of the list whose point no move can have.
    std::vector<int> OffBoardRecNos() const;
    // The root chain: record 1, or record 0's Next once record 0 carries the
    // root role (Aux 1, written when the first root move is deleted). Also sets
    // the parent to which AddMove links a first root move.
    int LoadRoot();
    // Record where the root chain starts, 0 when it is empty.
    int RootRecNo() { return RootRecNoOf(Store()); }
    // The same rule for any file of this format (merge sources, checks).
    static int RootRecNoOf(IRecordStore& store);
    // Follows the candidate at (x, y); sets currentRecord to its record.
    int SelectMove(int x, int y, int& currentRecord);
    // Appends (x, y) to the list unless it holds limit candidates already:
    // by hand 30, the corner import every move the games played.
    void AddMove(int x, int y, int limit = kMaxCandidates);
    // The next colour of the candidate at (x, y), or the steps'th next
    // (4 goes one back), written once.
    void CycleColor(int x, int y, int steps = 1);
    // Unlinks the candidate at (x, y); parent is the record whose Next heads
    // the list, 0 for the root chain. The list itself is left as it was.
    void UnlinkMove(int x, int y, int parent);
    // Empties the list so that a later AddMove links below parent.
    void EmptyList(int parent);

    void DrawLabels();
    void ClearMarks();
    void EraseLabels();

    static constexpr std::uint8_t kRootRoleAux = 1;

private:
    static std::uint8_t Byte(int value);
    void ResetList();
    void RefuseEditOfPartialList() const;
    TJskRecord ReadRecord(int n);
    void WriteRecord(int n, const TJskRecord& record);
    void DrawLabelOf(int i);
    // Sets the board's mark of candidate i, when its point is on the board.
    void MarkPoint(int i, int flag);

    IBoardMarks& board_;
    ILabelView& view_;
    std::unique_ptr<IRecordStore> store_;

    TCheckedArray<TJskRecord, 0, kCandidateSlots - 1> cand_;
    TCheckedArray<int, 0, kCandidateSlots - 1> recNos_;
    TCheckedArray<int, 0, kCandidateSlots - 1> labels_;
    TPlayedCount playedCounts_;
    int count_ = 0;
    int firstRecNo_ = -1;
    int parentRecNo_ = -1;
    bool partial_ = false;
    std::uint64_t revision_ = 0;
};

}  // namespace vxlo
