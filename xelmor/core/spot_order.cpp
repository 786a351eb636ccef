#include "xelmor/core/spot_order.h"

#include <numeric>
#include <utility>

namespace xelmor {

namespace {

// A tournament tree over positions 0..n-1: every inner node holds the position of the first
// strongest value below it, so the root of a suffix query is the spot a selection sort picks.
class Tournament {
public:
    explicit Tournament(const std::vector<double>& values) : values_(values) {
        const int n = static_cast<int>(values.size());
        size_ = 1;
        while (size_ < n)
            size_ *= 2;
        tree_.assign(2 * size_, -1);
        for (int i = 0; i < n; ++i)
            tree_[size_ + i] = i;
        for (int node = size_ - 1; node >= 1; --node)
            tree_[node] = Winner(tree_[2 * node], tree_[2 * node + 1]);
    }

    // The first position at or after `from` holding the largest value.
    int FirstMaximumFrom(int from) const { return Query(1, 0, size_ - 1, from); }

    // Position `pos` now holds a new value (values_ is shared with the caller).
    void Update(int pos) {
        int node = (size_ + pos) / 2;
        while (node >= 1) {
            tree_[node] = Winner(tree_[2 * node], tree_[2 * node + 1]);
            node /= 2;
        }
    }

private:
    // The left contender wins ties: a later spot replaces the candidate only when stronger.
    int Winner(int left, int right) const {
        if (left < 0)
            return right;
        if (right < 0)
            return left;
        return values_[right] > values_[left] ? right : left;
    }

    int Query(int node, int lo, int hi, int from) const {
        if (hi < from)
            return -1;
        if (lo >= from)
            return tree_[node];
        const int mid = (lo + hi) / 2;
        return Winner(Query(2 * node, lo, mid, from), Query(2 * node + 1, mid + 1, hi, from));
    }

    const std::vector<double>& values_;
    int size_ = 1;
    std::vector<int> tree_;
};

} // namespace

std::vector<int> SelectionSortOrder(const std::vector<double>& intensities) {
    const int n = static_cast<int>(intensities.size());
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    if (n < 2)
        return order;
    std::vector<double> values = intensities; // values by current position
    Tournament tree(values);
    for (int i = 0; i < n - 1; ++i) {
        const int j = tree.FirstMaximumFrom(i);
        if (j != i) {
            std::swap(values[i], values[j]);
            std::swap(order[i], order[j]);
            // Position i is final and never queried again; only j changed among the rest.
            tree.Update(j);
        }
    }
    return order;
}

std::vector<int> SelectionSortOrderLiteral(const std::vector<double>& intensities) {
    const int n = static_cast<int>(intensities.size());
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::vector<double> values = intensities;
    for (int i = 0; i + 1 < n; ++i) {
        int j = i;
        for (int m = i + 1; m < n; ++m) {
            if (values[m] > values[j])
                j = m;
        }
        if (j != i) {
            std::swap(values[i], values[j]);
            std::swap(order[i], order[j]);
        }
    }
    return order;
}

} // namespace xelmor
