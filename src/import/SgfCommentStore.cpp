#include "import/SgfCommentStore.h"

#include "core/VxloError.h"

#include <filesystem>

namespace vxlo {

TSgfCommentStore::TSgfCommentStore(const std::string& dictionaryPath, EAccess access) : store_(memo_) {
    store_.SetCommentUse(true);
    if (access == EAccess::ReadOnly) {
        store_.OpenCommentTableForReading(dictionaryPath);
        return;
    }
    store_.OpenCommentTable(dictionaryPath);
    store_.BeginBatch();
}

TSgfCommentStore::~TSgfCommentStore() {
    // What was put so far belongs to moves already in the dictionary: keep it.
    try {
        store_.EndBatch();
    } catch (const EVxloError&) {
    }
    store_.Discard();
}

bool TSgfCommentStore::Exists(const std::string& dictionaryPath) {
    std::error_code ec;
    return std::filesystem::exists(TCommentStore::StorePathFor(dictionaryPath), ec);
}

bool TSgfCommentStore::HasComment(int rec) {
    const std::optional<std::string> text = store_.StoredComment(rec);
    return text && !text->empty();
}

void TSgfCommentStore::PutComment(int rec, const std::string& text) {
    // Locating first makes the save land on rec, found row or new.
    store_.LocateComment(rec);
    memo_.Type(text);
    store_.SaveComment(rec, 1);
}

std::optional<std::string> TSgfCommentStore::GetComment(int rec) { return store_.StoredComment(rec); }

}  // namespace vxlo
