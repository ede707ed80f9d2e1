// Bounded knapsack for the pricing step of the near-optimal method: the most
// valuable piece counts that fit one bar, each count within its bound.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace tralvin {

struct KnapsackItem {
  int64_t weight = 0;  // length in internal units (blade included), > 0
  double profit = 0;   // value of one piece; items with profit <= 0 are never taken
  int32_t bound = 0;   // most pieces of this kind one bar may take
};

struct KnapsackResult {
  double value = 0;             // total profit of `counts`
  std::vector<int32_t> counts;  // one count per item, in item order
  bool proven = true;           // false when the node limit ended the search
  double upper = 0;             // no choice is worth more than this
  // Further choices, best first, at most `kKnapsackExtra`: from the exact
  // table the best for each shorter filled length, from the branch and bound
  // further maximal choices it met on the way.
  std::vector<std::pair<double, std::vector<int32_t>>> extra;
};
inline constexpr int kKnapsackExtra = 8;

// Capacity and weights are divided by their greatest common divisor first.
// Both kinds use the exact table while it has at most `kQuickTableCells` cells.
// Exact (`exact`), beyond that: a depth-first branch and bound of at most
// `kKnapsackFirstNodes` nodes, then, when that is not enough, the table while
// it stays at most `kKnapsackTableCells` cells, else a branch and bound of
// `node_limit` nodes. Quick: the better of a table over coarser lengths
// (weights rounded up, so its choice fits) and a branch and bound of
// `node_limit` nodes, which keeps up to `kQuickKeep` choices when few
// pieces fill a bar; not proven. The branch and bound looks only for choices
// worth more than `min_value`: when it finds none, `value` is 0 and, proven,
// no choice is worth more. Its further choices are maximal ones (no further
// piece fits) worth more than `min_value` that it met on the way; they do not
// widen its search. Deterministic.
inline constexpr int64_t kKnapsackTableCells = 64'000'000;
inline constexpr int64_t kKnapsackTableWidth = 2'000'000;  // reduced capacity
inline constexpr int64_t kQuickTableCells = 250'000;
inline constexpr int64_t kKnapsackFirstNodes = 20'000;
// Quick search: choices kept when at most `kFewPiecesPerBar` pieces fit a bar.
inline constexpr int64_t kFewPiecesPerBar = 6;
inline constexpr int kQuickKeep = 3;
KnapsackResult SolveBoundedKnapsack(const std::vector<KnapsackItem>& items, int64_t capacity,
                                    int64_t node_limit = 2'000'000, bool exact = true,
                                    double min_value = 0);

}  // namespace tralvin
