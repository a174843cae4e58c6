#include "import/ImportBatch.h"

namespace vxlo {

TImportBatch::~TImportBatch() {
    if (committed_) return;
    try {
        batch_.Commit();
    } catch (...) {
        ReturnToRoot();
    }
}

void TImportBatch::Commit() {
    committed_ = true;
    try {
        batch_.Commit();
    } catch (...) {
        ReturnToRoot();
        throw;
    }
}

void TImportBatch::ReturnToRoot() noexcept {
    try {
        nav_.ResetToRoot();
    } catch (...) {
        // The root list could not be read either; the error already on its
        // way says what went wrong with the file.
    }
}

}  // namespace vxlo
