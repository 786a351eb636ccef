// The strongest-first order of a spot list, exactly as a selection sort leaves it.
#pragma once

#include <vector>

namespace xelmor {

// The permutation that a selection sort ("for each position i, exchange the spot at i with the
// first strongest spot at or after i") applies to `intensities`: element r of the result is the
// index, in the input, of the spot that ends at position r. Ties keep the order the exchanges
// give them, which is not a stable sort. Replays the exchanges with a tournament tree, so the
// cost is O(n log n) instead of the selection sort's O(n^2). Intensities must not be NaN.
std::vector<int> SelectionSortOrder(const std::vector<double>& intensities);

// The same order by the plain quadratic selection sort; kept as the reference the fast order
// is checked and measured against.
std::vector<int> SelectionSortOrderLiteral(const std::vector<double>& intensities);

} // namespace xelmor
