// Bounded knapsack for the pricing step of the near-optimal method: the most
// valuable piece counts that fit one bar, each count within its bound.
#pragma once

#include <cstdint>
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
};

// Capacity and weights are divided by their greatest common divisor first.
// A table over the reduced capacity is used while it stays small (at most
// `kKnapsackTableCells` cells for all items together); otherwise a depth-first
// branch and bound explores at most `node_limit` nodes. Deterministic.
inline constexpr int64_t kKnapsackTableCells = 30'000'000;
KnapsackResult SolveBoundedKnapsack(const std::vector<KnapsackItem>& items, int64_t capacity,
                                    int64_t node_limit = 2'000'000);

}  // namespace tralvin
