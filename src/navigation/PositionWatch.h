#pragma once
// TPositionWatch: the comment store as navigation sees it, passing every call
// on and telling a listener each time a position is shown, so that what the
// window shows per position (evidence, and whatever comes next) follows the
// board without navigation knowing of it.
#include <functional>
#include <utility>

#include "navigation/Navigation.h"

namespace vxlo {

class TPositionWatch final : public ICommentStore {
public:
    explicit TPositionWatch(ICommentStore& inner) : inner_(inner) {}
    // listener(record) after the comment of the shown position is located.
    void SetListener(std::function<void(int)> listener) { listener_ = std::move(listener); }
    void SaveComment(int currentRecord, EInputMode inputMode) override {
        inner_.SaveComment(currentRecord, inputMode);
    }
    void LocateComment(int n) override {
        inner_.LocateComment(n);
        if (listener_) listener_(n);
    }

private:
    ICommentStore& inner_;
    std::function<void(int)> listener_;
};

}  // namespace vxlo
