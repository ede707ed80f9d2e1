// The enumeration of maximal piece-count combinations of one bar, shared by
// the pattern lists of the search and the best-length proposals.
#pragma once

#include <algorithm>
#include <cstdint>
#include <type_traits>
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
// combination costs about its changed counts instead of every kind.
// `visit(nz_kind, nz_count, nz)` gets the non-zero kinds ascending with their
// counts and returns false to stop. During a visit, Sum(), TermSum(),
// Pieces() and Mask() describe the combination (see Run).
struct TSparseEnumerator {
  // A term of no value (see Run).
  struct NoTerm {
    double operator()(int32_t, int32_t) const { return 0.0; }
  };

  std::vector<int32_t> kind, cx, qty, suffix_min, counts, stack;
  size_t depth = 0;  // entries of `stack` in use
  std::vector<int32_t> nz_kind, nz_count;
  // Per depth of the stack: the running sum of count times weight (added in
  // ascending kind order, as a loop over the combination would add them),
  // of the counts, and of the kind bits; entry d + 1 for depth d, entry 0
  // the empty stack's zeros.
  std::vector<double> sum, term_sum;
  std::vector<int64_t> pieces;
  std::vector<uint64_t> mask;

  double Sum() const { return sum[depth]; }
  double TermSum() const { return term_sum[depth]; }
  int64_t Pieces() const { return pieces[depth]; }
  // Bits of the kinds below 64.
  uint64_t Mask() const { return mask[depth]; }

  // `weight` (per kind, optional) is what Sum() adds up, count times weight;
  // TermSum() adds up `term(kind, count)` (only with a term given).
  template <typename Visit, typename Term = NoTerm>
  void Run(int kinds, const int32_t* all_cx, const int32_t* all_qty, int32_t length, Visit&& visit,
           const double* weight = nullptr, Term term = Term{}) {
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
    stack.resize(static_cast<size_t>(m));
    depth = 0;
    nz_kind.resize(static_cast<size_t>(m));
    nz_count.resize(static_cast<size_t>(m));
    sum.assign(static_cast<size_t>(m) + 1, 0.0);
    if constexpr (!std::is_same_v<Term, NoTerm>) term_sum.assign(static_cast<size_t>(m) + 1, 0.0);
    pieces.assign(static_cast<size_t>(m) + 1, 0);
    mask.assign(static_cast<size_t>(m) + 1, 0);
    // The loop works on plain pointers and a local depth: through the
    // vectors the compiler reloads every array's address after each store.
    // `depth` is written back before each visit (the accessors read it).
    const int32_t* const kind_at = kind.data();
    const int32_t* const cx_at = cx.data();
    const int32_t* const qty_at = qty.data();
    const int32_t* const low_at = suffix_min.data();
    int32_t* const count_at = counts.data();
    int32_t* const stack_at = stack.data();
    int32_t* const nzk = nz_kind.data();
    int32_t* const nzc = nz_count.data();
    double* const sum_at = sum.data();
    double* const term_at = term_sum.data();
    int64_t* const pieces_at = pieces.data();
    uint64_t* const mask_at = mask.data();
    // The running values at depth d from those below it (inlined: it runs
    // for every combination).
    auto account = [&](size_t d) __attribute__((always_inline)) {
      const int32_t i = nzk[d];
      const int32_t c = nzc[d];
      const double add = weight != nullptr ? static_cast<double>(c) * weight[i] : 0.0;
      sum_at[d + 1] = sum_at[d] + add;
      if constexpr (!std::is_same_v<Term, NoTerm>) term_at[d + 1] = term_at[d] + term(i, c);
      pieces_at[d + 1] = pieces_at[d] + c;
      mask_at[d + 1] = mask_at[d] | (i < 64 ? uint64_t{1} << i : 0);
    };
    size_t dep = 0;
    int i = 0;
    int64_t rest = length;
    for (;;) {
      for (int j = i; j < m; ++j) {
        const size_t u = static_cast<size_t>(j);
        if (rest < low_at[u]) break;
        int64_t n = rest / cx_at[u];
        if (n > qty_at[u]) n = qty_at[u];
        if (n == 0) continue;
        count_at[u] = static_cast<int32_t>(n);
        rest -= static_cast<int64_t>(cx_at[u]) * n;
        const size_t d = dep++;
        stack_at[d] = j;
        nzk[d] = kind_at[u];
        nzc[d] = count_at[u];
        account(d);
      }
      if (dep == 0) return;
      depth = dep;
      if (!visit(static_cast<const int32_t*>(nzk), static_cast<const int32_t*>(nzc),
                 static_cast<int>(dep))) {
        return;
      }
      // Clear the last kind of all, then lower the nearest non-zero count.
      if (last_kept && stack_at[dep - 1] == m - 1) {
        const size_t u = static_cast<size_t>(m - 1);
        rest += static_cast<int64_t>(count_at[u]) * cx_at[u];
        count_at[u] = 0;
        --dep;
      }
      if (dep == 0) return;
      const int top = stack_at[dep - 1];
      const size_t u = static_cast<size_t>(top);
      --count_at[u];
      rest += cx_at[u];
      if (count_at[u] == 0) {
        --dep;
      } else {
        const size_t d = dep - 1;
        nzc[d] = count_at[u];
        account(d);
      }
      i = top + 1;
    }
  }
};

}  // namespace tralvin
