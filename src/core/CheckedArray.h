#pragma once
// Fixed-size array whose every index is checked against its declared bounds
// [Lo, Hi]; a stray index raises the range error instead of corrupting memory.
#include <array>
#include <cstddef>

#include "core/VxloError.h"

namespace vxlo {

template <typename T, int Lo, int Hi>
class TCheckedArray {
    static_assert(Hi >= Lo);
public:
    static constexpr int kLow = Lo;
    static constexpr int kHigh = Hi;
    static constexpr std::size_t kSize = static_cast<std::size_t>(Hi - Lo + 1);

    T& operator[](int i) { return items_[Index(i)]; }
    const T& operator[](int i) const { return items_[Index(i)]; }
    void Fill(const T& value) { items_.fill(value); }
    static bool InRange(int i) { return i >= Lo && i <= Hi; }

private:
    static std::size_t Index(int i) {
        if (!InRange(i)) throw ERangeError();
        return static_cast<std::size_t>(i - Lo);
    }
    std::array<T, kSize> items_{};
};

// A square grid indexed [x][y], both in [Lo, Hi].
template <typename T, int Lo, int Hi>
class TCheckedGrid {
public:
    T& At(int x, int y) { return rows_[x][y]; }
    const T& At(int x, int y) const { return rows_[x][y]; }
    void Fill(const T& value) {
        for (int x = Lo; x <= Hi; ++x) rows_[x].Fill(value);
    }
private:
    TCheckedArray<TCheckedArray<T, Lo, Hi>, Lo, Hi> rows_{};
};

}  // namespace vxlo
