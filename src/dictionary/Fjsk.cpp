#include "dictionary/Fjsk.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace vxlo {
namespace {

constexpr std::array<std::string_view, kLabelCount> kLabels = {
    "い", "ろ", "は", "に", "ほ", "へ", "と", "ち", "り", "ぬ",
    "る", "を", "わ", "か", "よ", "た", "れ", "そ", "つ", "ね",
    "な", "ら", "む", "う", "い", "の", "お", "く", "や", "ま",
};

}  // namespace

std::string_view CandidateLabel(int i) {
    if (i < 0 || i >= kLabelCount) throw ERangeError();
    return kLabels[static_cast<std::size_t>(i)];
}

std::uint8_t TLjsk::Byte(int value) {
    if (value < 0 || value > 255) throw ERangeError();
    return static_cast<std::uint8_t>(value);
}

void TLjsk::ResetList() {
    firstRecNo_ = -1;
    parentRecNo_ = -1;
    recNos_.Fill(-1);
    labels_.Fill(-1);
    count_ = 0;
    partial_ = false;
}

void TLjsk::Open(const std::string& path) {
    Attach(std::make_unique<TRecordFile>(path, TRecordFile::Mode::ReadWriteCreate));
}

void TLjsk::Attach(std::unique_ptr<IRecordStore> store) {
    ++revision_;
    store_ = std::move(store);
    ResetList();
}

void TLjsk::Close() {
    ++revision_;
    count_ = 0;
    // Closed even when the close reports an error: the error is the last word.
    const std::unique_ptr<IRecordStore> store = std::move(store_);
    if (store) store->Close();
}

IRecordStore& TLjsk::Store() {
    if (!store_) throw EInOutError(EBADF, "");
    return *store_;
}

TJskRecord TLjsk::ReadRecord(int n) { return DecodeRecord(Store().Read(n)); }

void TLjsk::WriteRecord(int n, const TJskRecord& record) {
    // Counted before the write: a write that failed half way changed the file too.
    ++revision_;
    Store().Write(n, EncodeRecord(record));
}

int TLjsk::FindRecNo(int x, int y) const {
    for (int i = 0; i < count_; ++i) {
        if (cand_[i].X == x && cand_[i].Y == y) return recNos_[i];
    }
    return -1;
}

void TLjsk::WriteList() {
    for (int i = 0; i < count_; ++i) WriteRecord(recNos_[i], cand_[i]);
}

int TLjsk::LoadList(int r) {
    recNos_.Fill(-1);
    count_ = 0;
    partial_ = false;
    if (r < 0 || r >= Store().RecordCount()) return 0;
    // Cleared only once the whole chain is in: a failed read leaves a list
    // that must not be linked behind or unlinked from.
    partial_ = true;
    cand_[0] = ReadRecord(r);
    recNos_[0] = r;
    firstRecNo_ = r;
    MarkPoint(0, 1);
    count_ = 1;
    // A chain that runs past the last slot (a loop, a hand-edited file)
    // stops with the range error of the slot index.
    while (cand_[count_ - 1].More > 0) {
        const int next = cand_[count_ - 1].More;
        // Past the kana a chain is long or loops: a record reached twice
        // stops it at once rather than at the last slot.
        if (count_ >= kLabelCount) {
            for (int i = 0; i < count_; ++i)
                if (recNos_[i] == next) throw ERangeError();
        }
        cand_[count_] = ReadRecord(next);
        recNos_[count_] = next;
        MarkPoint(count_, 1);
        ++count_;
    }
    partial_ = false;
    RankLabels();
    return count_;
}

bool TLjsk::RankLabels() {
    std::vector<int> order(static_cast<std::size_t>(count_));
    std::iota(order.begin(), order.end(), 0);
    if (count_ > kLabelCount && playedCounts_) {
        std::vector<long long> played(order.size());
        for (int i = 0; i < count_; ++i) played[static_cast<std::size_t>(i)] = playedCounts_(recNos_[i]);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return played[static_cast<std::size_t>(a)] > played[static_cast<std::size_t>(b)];
        });
    }
    std::vector<bool> labelled(order.size(), false);
    for (int k = 0; k < count_ && k < kLabelCount; ++k) labelled[static_cast<std::size_t>(order[static_cast<std::size_t>(k)])] = true;
    bool changed = false;
    int next = 0;
    for (int i = 0; i < count_; ++i) {
        const int label = labelled[static_cast<std::size_t>(i)] ? next++ : -1;
        changed = changed || labels_[i] != label;
        labels_[i] = label;
    }
    return changed;
}

std::vector<int> TLjsk::OffBoardRecNos() const {
    std::vector<int> found;
    for (int i = 0; i < count_; ++i) {
        if (!IsMovePoint(cand_[i].X, cand_[i].Y)) found.push_back(recNos_[i]);
    }
    return found;
}

void TLjsk::MarkPoint(int i, int flag) {
    if (IsMovePoint(cand_[i].X, cand_[i].Y)) board_.SetMark(cand_[i].X, cand_[i].Y, flag);
}

int TLjsk::RootRecNoOf(IRecordStore& store) {
    if (store.RecordCount() < 1) return 0;
    const TJskRecord zero = DecodeRecord(store.Read(0));
    if (zero.Aux != kRootRoleAux) return 1;
    return zero.Next > 0 ? zero.Next : 0;
}

int TLjsk::LoadRoot() {
    const bool rootRole =
        Store().RecordCount() >= 1 && ReadRecord(0).Aux == kRootRoleAux;
    const int head = RootRecNo();
    const int count = head > 0 ? LoadList(head) : (EmptyList(0), 0);
    parentRecNo_ = rootRole ? 0 : -1;
    return count;
}

int TLjsk::SelectMove(int x, int y, int& currentRecord) {
    ClearMarks();
    int i = 0;
    while (i < count_ && !(cand_[i].X == x && cand_[i].Y == y)) ++i;
    if (i == count_) return 0;
    currentRecord = recNos_[i];
    parentRecNo_ = i == 0 ? firstRecNo_ : cand_[i - 1].More;
    if (cand_[i].Next > 0) {
        LoadList(cand_[i].Next);
    } else {
        count_ = 0;
        partial_ = false;
    }
    return count_;
}

void TLjsk::AddMove(int x, int y, int limit) {
    if (count_ + 1 > std::min(limit, kCandidateSlots)) return;
    if (board_.PointState(x, y) != Empty) return;
    RefuseEditOfPartialList();
    const TJskRecord fresh{Byte(x), Byte(y), 0, 100, 0, 0};
    std::int64_t n = Store().RecordCount();
    if (n == 0) {
        WriteRecord(0, TJskRecord{});
        n = 1;
    }
    if (n > INT32_MAX) throw ERangeError();
    const int recNo = static_cast<int>(n);
    // The new record goes first, then the link that makes it reachable: a
    // failure in between leaves an unreachable record, never a dangling link.
    // The list, the mark and the label change only once both are written, so
    // a failed write leaves them as they were.
    WriteRecord(recNo, fresh);
    if (count_ == 0) {
        if (parentRecNo_ >= 0) {
            TJskRecord parent = ReadRecord(parentRecNo_);
            parent.Next = recNo;
            WriteRecord(parentRecNo_, parent);
        }
        firstRecNo_ = recNo;
    } else {
        TJskRecord previous = cand_[count_ - 1];
        previous.More = recNo;
        WriteRecord(recNos_[count_ - 1], previous);
        cand_[count_ - 1] = previous;
    }
    cand_[count_] = fresh;
    recNos_[count_] = recNo;
    // Past the kana the new move has none: it has not been played yet.
    int label = -1;
    for (int i = 0; i < count_; ++i) label = std::max(label, labels_[i]);
    labels_[count_] = label + 1 < kLabelCount ? label + 1 : -1;
    board_.SetMark(x, y, 1);
    ++count_;
    DrawLabelOf(count_ - 1);
}

void TLjsk::CycleColor(int x, int y, int steps) {
    int i = 0;
    while (i < count_ && !(cand_[i].X == x && cand_[i].Y == y)) ++i;
    if (i == count_) return;
    TJskRecord stepped = cand_[i];
    for (int k = 0; k < (steps % 5 + 5) % 5; ++k) {
        stepped.Color = static_cast<std::uint8_t>(stepped.Color + 1);
        if (stepped.Color > 4) stepped.Color = 0;
    }
    // Written first, so that a failed write leaves the list as the file has it.
    if (recNos_[i] >= 0) WriteRecord(recNos_[i], stepped);
    cand_[i] = stepped;
    DrawLabelOf(i);
}

void TLjsk::UnlinkMove(int x, int y, int parent) {
    RefuseEditOfPartialList();
    for (int i = 0; i < count_; ++i) {
        if (!(cand_[i].X == x && cand_[i].Y == y)) continue;
        if (i > 0) {
            TJskRecord previous = cand_[i - 1];
            previous.More = i == count_ - 1 ? 0 : recNos_[i + 1];
            WriteRecord(recNos_[i - 1], previous);
            cand_[i - 1] = previous;
        } else {
            TJskRecord head = ReadRecord(parent);
            head.Next = cand_[0].More;
            // The root chain is read from record 1 unless record 0 takes the
            // root role; give it that role so the removal lasts.
            if (parent == 0) head.Aux = kRootRoleAux;
            WriteRecord(parent, head);
        }
    }
}

void TLjsk::EmptyList(int parent) {
    recNos_.Fill(-1);
    count_ = 0;
    parentRecNo_ = parent;
    partial_ = false;
}

void TLjsk::RefuseEditOfPartialList() const {
    if (partial_) throw EVxloError(kPartialListText);
}

void TLjsk::DrawLabelOf(int i) {
    // A point off the board has neither kana nor mark.
    if (!IsMovePoint(cand_[i].X, cand_[i].Y)) return;
    const std::string_view text = labels_[i] >= 0 ? CandidateLabel(labels_[i]) : kUnlabelledMark;
    view_.DrawLabel(text, cand_[i].X, cand_[i].Y, cand_[i].Color);
}

void TLjsk::DrawLabels() {
    for (int i = 0; i < count_; ++i) DrawLabelOf(i);
}

void TLjsk::ClearMarks() {
    for (int i = 0; i < count_; ++i) {
        if (!IsMovePoint(cand_[i].X, cand_[i].Y)) continue;
        board_.SetMark(cand_[i].X, cand_[i].Y, 0);
        view_.ErasePoint(cand_[i].X, cand_[i].Y);
    }
}

void TLjsk::EraseLabels() {
    for (int i = 0; i < count_; ++i) {
        if (IsMovePoint(cand_[i].X, cand_[i].Y)) view_.ErasePoint(cand_[i].X, cand_[i].Y);
    }
}

}  // namespace vxlo
