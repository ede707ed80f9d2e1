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

// The combinations EnumerateCombinations lists, in the same order, for
// callers that only need the non-zero counts: kinds that cannot take a piece
// (cap 0 or longer than the bar) are left out, a fill stops once no later
// kind fits the rest, and backtracking jumps to the last non-zero count, so a
// combination costs about its own non-zero counts instead of every kind.
// `visit(nz_kind, nz_count, nz)` gets the non-zero kinds ascending with their
// counts and returns false to stop.
struct TSparseEnumerator {
  std::vector<int32_t> kind, cx, qty, suffix_min, counts, stack;
  std::vector<int32_t> nz_kind, nz_count;

  template <typename Visit>
  void Run(int kinds, const int32_t* all_cx, const int32_t* all_qty, int32_t length,
           Visit&& visit) {
    kind.clear();
    cx.clear();
    qty.clear();
    for (int i = 0; i < kinds; ++i) {
      if (all_qty[i] > 0 && all_cx[i] > 0 && all_cx[i] <= length) {
        kind.push_back(i);
        cx.push_back(all_cx[i]);
        qty.push_back(all_qty[i]);
      }
    }
    const int m = static_cast<int>(kind.size());
    if (m == 0) return;
    const bool last_kept = kind.back() == kinds - 1;
    suffix_min.resize(static_cast<size_t>(m));
    int32_t low = cx[static_cast<size_t>(m - 1)];
    for (int j = m - 1; j >= 0; --j) {
      low = std::min(low, cx[static_cast<size_t>(j)]);
      suffix_min[static_cast<size_t>(j)] = low;
    }
    counts.assign(static_cast<size_t>(m), 0);
    stack.clear();
    nz_kind.resize(static_cast<size_t>(m));
    nz_count.resize(static_cast<size_t>(m));
    int i = 0;
    int64_t rest = length;
    for (;;) {
      for (int j = i; j < m; ++j) {
        const size_t u = static_cast<size_t>(j);
        if (rest < suffix_min[u]) break;
        int64_t n = rest / cx[u];
        if (n > qty[u]) n = qty[u];
        if (n == 0) continue;
        counts[u] = static_cast<int32_t>(n);
        rest -= static_cast<int64_t>(cx[u]) * n;
        stack.push_back(j);
      }
      if (stack.empty()) return;
      const size_t nz = stack.size();
      for (size_t k = 0; k < nz; ++k) {
        const size_t u = static_cast<size_t>(stack[k]);
        nz_kind[k] = kind[u];
        nz_count[k] = counts[u];
      }
      if (!visit(static_cast<const int32_t*>(nz_kind.data()),
                 static_cast<const int32_t*>(nz_count.data()), static_cast<int>(nz))) {
        return;
      }
      // Clear the last kind of all, then lower the nearest non-zero count.
      if (last_kept && stack.back() == m - 1) {
        const size_t u = static_cast<size_t>(m - 1);
        rest += static_cast<int64_t>(counts[u]) * cx[u];
        counts[u] = 0;
        stack.pop_back();
      }
      if (stack.empty()) return;
      const int top = stack.back();
      const size_t u = static_cast<size_t>(top);
      --counts[u];
      rest += cx[u];
      if (counts[u] == 0) stack.pop_back();
      i = top + 1;
    }
  }
};

}  // namespace tralvin
