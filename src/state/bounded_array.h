// Fixed-bounds arrays indexed as the game indexes them (side 1..2, slot 0..9, square 1..12, ...).
// A wrong index is a bug: it aborts loudly instead of reading a neighbour's memory.
#pragma once

#include <array>
#include <cstddef>

#include "platform/window/controls.h"

namespace vr {

template <typename T, int Lo, int Hi>
class BoundedArray {
public:
    static constexpr int kLo = Lo;
    static constexpr int kHi = Hi;

    T& operator()(int index) { return items_[checked(index)]; }
    const T& operator()(int index) const { return items_[checked(index)]; }
    T& operator[](int index) { return (*this)(index); }
    const T& operator[](int index) const { return (*this)(index); }

    void fill(const T& value) { items_.fill(value); }

private:
    static std::size_t checked(int index) {
        if (index < Lo || index > Hi) index_out_of_range("array", index, Lo, Hi);
        return static_cast<std::size_t>(index - Lo);
    }
    std::array<T, Hi - Lo + 1> items_{};
};

template <typename T, int Lo1, int Hi1, int Lo2, int Hi2>
class BoundedArray2 {
public:
    T& operator()(int i, int j) { return rows_(i)(j); }
    const T& operator()(int i, int j) const { return rows_(i)(j); }

private:
    BoundedArray<BoundedArray<T, Lo2, Hi2>, Lo1, Hi1> rows_;
};

}  // namespace vr
