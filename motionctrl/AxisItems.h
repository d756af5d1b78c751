#pragma once

// How a pair of an axis (0 x, 1 y, 2 z) and a direction (0 or 1) is
// numbered where the dialog lists all six: each axis's first direction,
// then its second. A translation combo's item is such a number, and the
// rotation pictures are kept in the same order.
namespace axis_items {
constexpr int count = 6;
constexpr int of(int axis, int direction) {
    return 2 * axis + direction;
}
constexpr int axis(int item) {
    return item / 2;
}
constexpr int direction(int item) {
    return item % 2;
}
} // namespace axis_items
