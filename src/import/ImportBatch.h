#pragma once
// The writes of one import or merge, held and written together (see
// TWriteBatch). When they cannot all be written, the navigation goes back to
// the empty board as the file now holds it: the position it showed was
// built from records the file may lack, and a move recorded there would link
// to them.
#include "dictionary/RecordFile.h"
#include "navigation/Navigation.h"

namespace vxlo {

class TImportBatch {
public:
    explicit TImportBatch(TNavigation& nav) : nav_(nav), batch_(nav.Dictionary().Store()) {}
    TImportBatch(const TImportBatch&) = delete;
    TImportBatch& operator=(const TImportBatch&) = delete;
    // An operation left by an exception still writes what it did; that
    // exception is the one reported.
    ~TImportBatch();
    // Reports a failed write.
    void Commit();

private:
    void ReturnToRoot() noexcept;

    TNavigation& nav_;
    TWriteBatch batch_;
    bool committed_ = false;
};

}  // namespace vxlo
