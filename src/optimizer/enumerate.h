// The enumeration of maximal piece-count combinations of one bar, shared by
// the pattern lists of the search and the best-length proposals.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tralvin {

// Works through the combinations of counts of `kinds` piece kinds (lengths
// `cx`, caps `qty`) that fit a bar of `length`, greedy first, each maximal in
// its last position, in decreasing lexicographic order. `visit(counts, rest)`
// gets every complete non-zero combination and returns false to stop.
// `counts` is scratch space of `kinds` entries.
template <typename Visit>
void EnumerateCombinations(int kinds, const int32_t* cx, const int32_t* qty, int32_t length,
                           int32_t* counts, Visit&& visit) {
  if (kinds <= 0) return;
  std::fill(counts, counts + kinds, 0);
  int i = 0;
  int64_t rest = length;
  int64_t sum = 0;
  for (;;) {
    // Fill from position i to the last.
    for (;;) {
      int64_t n = rest / cx[i];
      if (n > qty[i]) n = qty[i];
      if (n < 0) n = 0;
      counts[i] = static_cast<int32_t>(n);
      rest -= static_cast<int64_t>(cx[i]) * n;
      sum += n;
      if (i == kinds - 1) break;
      ++i;
    }
    if (sum == 0) return;  // nothing fits any more
    if (!visit(static_cast<const int32_t*>(counts), static_cast<int32_t>(rest))) return;
    // Backtrack: clear the last position, then lower the nearest non-zero count.
    rest += static_cast<int64_t>(counts[i]) * cx[i];
    sum -= counts[i];
    counts[i] = 0;
    --i;
    while (i >= 0 && counts[i] == 0) --i;
    if (i < 0) return;
    --counts[i];
    --sum;
    rest += cx[i];
    ++i;
  }
}

}  // namespace tralvin
