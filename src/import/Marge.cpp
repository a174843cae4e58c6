#include "import/Marge.h"

#include <cerrno>
#include <cstdint>
#include <sys/stat.h>
#include <vector>

#include "core/VxloError.h"
#include "dictionary/Fjsk.h"
#include "dictionary/RecordFile.h"
#include "import/ImportBatch.h"

namespace vxlo {

namespace {

struct TSourceRecord {
    int x = 0;
    int y = 0;
    std::int32_t next = 0;
    std::int32_t more = 0;
};

TSourceRecord DecodeSource(const TRecordBytes& b, EMergeFormat format) {
    const TJskRecord r = DecodeRecord(b);
    TSourceRecord s{r.X, r.Y, r.Next, r.More};
    if (format == EMergeFormat::Ver1) {
        s.x = static_cast<std::int16_t>(static_cast<std::uint16_t>(b[0] | (b[1] << 8)));
        s.y = static_cast<std::int16_t>(static_cast<std::uint16_t>(b[2] | (b[3] << 8)));
    }
    return s;
}

bool InFrame(int v) { return v >= 0 && v <= kBoardSize; }
bool OnBoard(int v) { return v >= 1 && v <= kBoardSize; }

// Source records read between two questions whether to stop.
constexpr int kRecordsPerStep = 256;

class TMerger {
public:
    TMerger(TNavigation& nav, IRecordStore& source, EMergeFormat format, IProgress* progress)
        : nav_(nav), source_(source), format_(format), progress_(progress), sourceCount_(source.RecordCount()) {}

    TMergeResult Run() {
        const int root = RootRecNo();
        if (root >= 0) Walk(root);
        return result_;
    }

private:
    // One sibling chain being merged: the record at hand and whether its move
    // was followed (and must be taken back before the next sibling).
    struct TFrame {
        TSourceRecord record;
        bool entered = false;
        bool followed = false;
    };

    // Where the root chain starts; −1 when there is none.
    int RootRecNo() {
        if (format_ == EMergeFormat::Ver1) return 0;
        source_.Read(0);  // an empty file is read past its end
        const int root = TLjsk::RootRecNoOf(source_);
        return root > 0 ? root : -1;  // no root chain
    }

    TSourceRecord ReadSource(std::int64_t n) {
        // In a tree every record is reached once: more reads than records
        // means a loop, which would otherwise never end.
        if (++result_.recordsRead > sourceCount_) throw ERangeError();
        return DecodeSource(source_.Read(n), format_);
    }

    // Pushes the chain that starts at record r, unless its first record lies
    // outside the frame of the board, which ends the chain.
    void PushChain(std::vector<TFrame>& stack, std::int64_t r) {
        const TSourceRecord first = ReadSource(r);
        if (!InFrame(first.x) || !InFrame(first.y)) return;
        stack.push_back(TFrame{first});
    }

    // The stack replaces recursion, so a deep or damaged source cannot
    // overflow it; its depth is bounded by the path's 400 moves.
    void Walk(int root) {
        std::vector<TFrame> stack;
        PushChain(stack, root);
        while (!stack.empty()) {
            if (result_.recordsRead - asked_ >= kRecordsPerStep) {
                asked_ = result_.recordsRead;
                if (StopAsked(progress_, result_.recordsRead, sourceCount_)) {
                    // Every move entered is whole; the rest of the source is left.
                    result_.cancelled = true;
                    nav_.ResetToRoot();
                    return;
                }
            }
            TFrame& frame = stack.back();
            if (!frame.entered) {
                frame.entered = true;
                if (Enter(frame)) {
                    const std::int64_t next = frame.record.next;
                    PushChain(stack, next);  // may reallocate: frame is not used after this
                    continue;
                }
            }
            if (frame.followed) {
                frame.followed = false;
                nav_.MaeNoTe();
            }
            if (frame.record.more <= 0) {
                stack.pop_back();
                continue;
            }
            frame.record = ReadSource(frame.record.more);
            frame.entered = false;
        }
    }

    // Adds the record's move where it is new and follows it when it has
    // continuations. True when it was followed; a move that cannot be
    // followed keeps its continuations out, so the board stays in step.
    bool Enter(TFrame& frame) {
        const int x = frame.record.x;
        const int y = frame.record.y;
        // A move after the path's 400th could be added but never followed.
        // Tenuki exists only in this format; the old one reads its placeholder as (0, 0).
        const bool tenuki = IsTenuki(x, y) && format_ == EMergeFormat::Ver4;
        const bool onBoard = (OnBoard(x) && OnBoard(y)) || tenuki;
        if (!onBoard || nav_.Path().Count() >= kMaxPathMoves) {
            ++result_.movesSkipped;
            return false;
        }
        const bool leaf = frame.record.next <= 0;
        const EEntryStep step = leaf ? EEntryStep::AddOnly : EEntryStep::Follow;
        if (!nav_.EnterMove(x, y, step, ERefusalMessages::Show).Entered()) {
            ++result_.movesSkipped;
            return false;
        }
        if (leaf) return false;
        frame.followed = true;
        return true;
    }

    TNavigation& nav_;
    IRecordStore& source_;
    EMergeFormat format_;
    IProgress* progress_;
    std::int64_t sourceCount_;
    std::int64_t asked_ = 0;
    TMergeResult result_;
};

}  // namespace

TMergeResult Marge(TNavigation& nav, const std::string& sourcePath, EMergeFormat format, IProgress* progress) {
    if (!nav.FileOpen()) throw EVxloError(kOpenFirstText);
    nav.ResetToRoot();
    TOneMoveScope oneMove(nav);
    // Opening a FIFO or a device could block for ever.
    struct stat st {};
    if (::stat(sourcePath.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
        throw EInOutError(EINVAL, sourcePath);
    }
    TRecordFile source(sourcePath, TRecordFile::Mode::ReadOnly);
    TImportBatch batch(nav);
    const TMergeResult result = TMerger(nav, source, format, progress).Run();
    batch.Commit();
    return result;
}

}  // namespace vxlo
