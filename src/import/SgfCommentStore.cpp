#include "import/SgfCommentStore.h"

#include "core/VxloError.h"


namespace vxlo {

namespace {
constexpr const char* kCommentsNotStoredText =
    QT_TRANSLATE_NOOP("vxlo", "%1。SGF のコメントは保存されませんでした（マージした手は定石ファイルに残っています）");
}  // namespace

TSgfCommentStore::TSgfCommentStore(TCompanion db, EAccess access) : store_(memo_) {
    store_.SetCommentUse(true);
    if (access == EAccess::ReadOnly) {
        store_.OpenCommentTableForReading(std::move(db));
    } else {
        store_.OpenCommentTable(std::move(db));
    }
    if (!store_.Writable()) {
        commit_ = ECommit::Done;  // nothing to commit
        return;
    }
    store_.BeginBatch();
}

TSgfCommentStore::~TSgfCommentStore() {
    // Only reached without a Commit while another error is on its way to the
    // user; a failure here adds nothing to that report.
    if (commit_ == ECommit::Pending) {
        try {
            store_.EndBatch();
        } catch (const EVxloError&) {
        }
    }
    // Closing with the transaction still open rolls it back.
    store_.Discard();
}

void TSgfCommentStore::Commit() {
    if (commit_ != ECommit::Pending) return;
    try {
        store_.EndBatch();
    } catch (const EFileRefused& e) {
        commit_ = ECommit::Failed;
        throw EFileRefused(TMessage(kCommentsNotStoredText).Arg(e.Message()), e.FileName());
    }
    commit_ = ECommit::Done;
}

bool TSgfCommentStore::HasComment(int rec) {
    const std::optional<std::string> text = store_.StoredComment(rec);
    return text && !text->empty();
}

void TSgfCommentStore::PutComment(int rec, const std::string& text) {
    // Locating first makes the save land on rec, found row or new.
    store_.LocateComment(rec);
    memo_.Type(text);
    store_.SaveComment(rec, EInputMode::Record);
}

std::optional<std::string> TSgfCommentStore::GetComment(int rec) { return store_.StoredComment(rec); }

}  // namespace vxlo
