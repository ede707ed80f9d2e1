// Bounded knapsack: a table over the reduced capacity when it is small, else a
// depth-first branch and bound with the fractional (Dantzig) bound, computed
// from prefix sums in logarithmic time.
#include "optimizer/bounded_knapsack.h"

#include <algorithm>
#include <numeric>

namespace tralvin {

namespace {

struct Item {
  int index;
  int64_t weight;
  double profit;
  int32_t bound;
};

// Binary splitting turns each bounded item into 0/1 items; one bit per split
// item and capacity keeps the choices for rebuilding the counts.
KnapsackResult SolveByTable(const std::vector<Item>& items, int64_t cap, size_t count,
                            int extra_count) {
  struct Part {
    int item;
    int32_t mult;
    int64_t weight;
    double profit;
  };
  std::vector<Part> split;
  for (const Item& it : items) {
    int32_t left = it.bound;
    for (int32_t m = 1; left > 0; m *= 2) {
      const int32_t take = std::min(m, left);
      split.push_back({it.index, take, it.weight * take, it.profit * take});
      left -= take;
    }
  }
  const size_t width = static_cast<size_t>(cap) + 1;
  const size_t words = (width + 63) / 64;
  std::vector<double> best(width, 0.0);
  std::vector<uint64_t> took(split.size() * words, 0);
  for (size_t k = 0; k < split.size(); ++k) {
    const Part& p = split[k];
    if (p.weight > cap) continue;
    uint64_t* bits = took.data() + k * words;
    const size_t w = static_cast<size_t>(p.weight);
    // Word by word from the top; within a word every length reads a shorter
    // one below the word (the piece is at least a word long) that this piece
    // has not changed yet, so the order inside does not matter and the
    // update goes without branches.
    size_t top = static_cast<size_t>(cap);
    if (w >= 64) {
      for (;;) {
        const size_t lo = std::max(top & ~size_t{63}, w);
        double* row = best.data();
        uint64_t mask = 0;
        for (size_t c = lo; c <= top; ++c) {
          const double v = row[c - w] + p.profit;
          const bool take = v > row[c] + 1e-12;
          row[c] = take ? v : row[c];
          mask |= uint64_t{take} << (c & 63);
        }
        bits[top >> 6] |= mask;
        if (lo == w) break;
        top = lo - 1;
      }
      continue;
    }
    for (size_t c = top; c >= w; --c) {
      const double v = best[c - w] + p.profit;
      if (v > best[c] + 1e-12) {
        best[c] = v;
        bits[c >> 6] |= uint64_t{1} << (c & 63);
      }
    }
  }
  auto rebuild = [&](size_t c) {
    std::vector<int32_t> counts(count, 0);
    for (size_t k = split.size(); k-- > 0;) {
      if ((took[k * words + (c >> 6)] >> (c & 63)) & 1) {
        counts[static_cast<size_t>(split[k].item)] += split[k].mult;
        c -= static_cast<size_t>(split[k].weight);
      }
    }
    return counts;
  };
  KnapsackResult r;
  r.counts = rebuild(static_cast<size_t>(cap));
  for (const Item& it : items) r.value += it.profit * r.counts[static_cast<size_t>(it.index)];
  r.upper = r.value;
  if (extra_count > 0) {
    // Lengths where the best value rises are filled exactly by their choice.
    std::vector<std::pair<double, size_t>> rises;
    for (size_t c = 1; c + 1 < width; ++c) {
      if (best[c] > best[c - 1] + 1e-9 && best[c] < r.value - 1e-9) rises.push_back({best[c], c});
    }
    std::stable_sort(rises.begin(), rises.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (size_t k = 0; k < rises.size() && static_cast<int>(k) < extra_count; ++k) {
      r.extra.push_back({rises[k].first, rebuild(rises[k].second)});
    }
  }
  return r;
}

// Items sorted by profit per length; prefix sums of the full bounds give the
// fractional bound of any suffix by a binary search. Prunes against the best
// choice found (or `min_value` while it is higher), and keeps besides the
// best up to `keep` - 1 further maximal choices worth more than `min_value`
// that it meets on the way (a maximal choice has room for no further piece):
// a pricing step wants a few improving patterns, and they cost no search.
class BranchAndBound {
 public:
  BranchAndBound(const std::vector<Item>& items, int64_t cap, int64_t node_limit, size_t keep,
                 double min_value)
      : items_(items),
        cap_(cap),
        node_limit_(node_limit),
        keep_(std::max<size_t>(keep, 1)),
        min_value_(min_value),
        cur_(items.size(), 0),
        pw_(items.size() + 1, 0),
        pp_(items.size() + 1, 0.0),
        lightest_(items.size() + 1, cap + 1) {
    for (size_t k = 0; k < items.size(); ++k) {
      pw_[k + 1] = pw_[k] + items[k].weight * items[k].bound;
      pp_[k + 1] = pp_[k] + items[k].profit * items[k].bound;
    }
    for (size_t k = items.size(); k-- > 0;) {
      lightest_[k] = std::min(lightest_[k + 1], items[k].weight);
    }
  }

  void Solve() { Visit(0, cap_, 0.0); }
  bool proven() const { return nodes_ <= node_limit_; }
  // Best first; empty when nothing is worth more than `min_value`.
  const std::vector<std::pair<double, std::vector<int32_t>>>& kept() const { return kept_; }
  // At least the value of every choice: the fractional bound when the node
  // limit ended the search.
  double Upper() const {
    if (!proven()) return Bound(0, cap_);
    return std::max(min_value_, kept_.empty() ? 0.0 : kept_.front().first);
  }

 private:
  double Threshold() const {
    return kept_.empty() ? min_value_ : std::max(min_value_, kept_.front().first);
  }

  // Fractional bound of the items from k on with `cap` left.
  double Bound(size_t k, int64_t cap) const {
    const int64_t limit = pw_[k] + cap;
    // First item s >= k whose full bound no longer fits.
    const size_t s = static_cast<size_t>(
        std::upper_bound(pw_.begin() + static_cast<std::ptrdiff_t>(k) + 1, pw_.end(), limit) -
        pw_.begin() - 1);
    double v = pp_[s] - pp_[k];
    if (s < items_.size()) {
      v += items_[s].profit * static_cast<double>(limit - pw_[s]) /
           static_cast<double>(items_[s].weight);
    }
    return v;
  }

  // The current choice (items from k on at zero) when it is maximal and among
  // the best kept so far.
  void Offer(size_t k, int64_t cap, double value) {
    const double least =
        kept_.size() < keep_ ? min_value_ : std::max(min_value_, kept_.back().first);
    if (value <= least + 1e-12) return;
    for (size_t i = 0; i < k; ++i) {
      if (cur_[i] < items_[i].bound && items_[i].weight <= cap) return;
    }
    if (lightest_[k] <= cap) return;
    std::vector<int32_t> counts(cur_.begin(), cur_.begin() + static_cast<std::ptrdiff_t>(k));
    counts.resize(items_.size(), 0);
    auto at = std::find_if(kept_.begin(), kept_.end(),
                           [&](const auto& e) { return value > e.first + 1e-12; });
    kept_.insert(at, {value, std::move(counts)});
    if (kept_.size() > keep_) kept_.pop_back();
  }

  void Visit(size_t k, int64_t cap, double value) {
    if (++nodes_ > node_limit_) return;
    Offer(k, cap, value);
    if (k == items_.size() || cap < lightest_[k]) return;
    if (value + Bound(k, cap) <= Threshold() + 1e-12) return;
    const Item& it = items_[k];
    const int32_t most = static_cast<int32_t>(std::min<int64_t>(it.bound, cap / it.weight));
    for (int32_t m = most; m >= 0; --m) {
      const int64_t left = cap - m * it.weight;
      const double v = value + it.profit * m;
      if (m < most && v + Bound(k + 1, left) <= Threshold() + 1e-12) break;  // fewer only lose
      cur_[k] = m;
      Visit(k + 1, left, v);
      if (nodes_ > node_limit_) break;
    }
    cur_[k] = 0;
  }

  const std::vector<Item>& items_;
  int64_t cap_;
  int64_t node_limit_;
  size_t keep_;
  double min_value_;
  int64_t nodes_ = 0;
  std::vector<int32_t> cur_;
  std::vector<int64_t> pw_;
  std::vector<double> pp_;
  std::vector<int64_t> lightest_;  // lightest weight among the items from k on
  std::vector<std::pair<double, std::vector<int32_t>>> kept_;
};

}  // namespace

namespace {

KnapsackResult FromBranchAndBound(const BranchAndBound& bb, const std::vector<Item>& useful,
                                  size_t count) {
  KnapsackResult r;
  r.counts.assign(count, 0);
  r.proven = bb.proven();
  r.upper = bb.Upper();
  auto unsort = [&](const std::vector<int32_t>& sorted) {
    std::vector<int32_t> counts(count, 0);
    for (size_t k = 0; k < useful.size(); ++k) {
      counts[static_cast<size_t>(useful[k].index)] = sorted[k];
    }
    return counts;
  };
  const auto& kept = bb.kept();
  for (size_t k = 0; k < kept.size(); ++k) {
    if (k == 0) {
      r.value = kept[k].first;
      r.counts = unsort(kept[k].second);
    } else {
      r.extra.push_back({kept[k].first, unsort(kept[k].second)});
    }
  }
  return r;
}

}  // namespace

KnapsackResult SolveBoundedKnapsack(const std::vector<KnapsackItem>& items, int64_t capacity,
                                    int64_t node_limit, bool exact, double min_value) {
  KnapsackResult r;
  r.counts.assign(items.size(), 0);
  if (capacity <= 0) return r;
  std::vector<Item> useful;
  int64_t g = capacity;
  for (size_t i = 0; i < items.size(); ++i) {
    const KnapsackItem& it = items[i];
    if (it.profit <= 0 || it.bound <= 0 || it.weight <= 0 || it.weight > capacity) continue;
    useful.push_back({static_cast<int>(i), it.weight, it.profit, it.bound});
    g = std::gcd(g, it.weight);
  }
  if (useful.empty()) return r;
  const int64_t cap = capacity / g;
  for (Item& it : useful) {
    it.weight /= g;
    it.bound = static_cast<int32_t>(std::min<int64_t>(it.bound, cap / it.weight));
  }
  int64_t split_count = 0;
  for (const Item& it : useful) {
    for (int32_t left = it.bound, m = 1; left > 0; m *= 2) {
      left -= std::min(m, left);
      ++split_count;
    }
  }
  const int64_t cells = (cap + 1) * split_count;
  if (cells <= kQuickTableCells && cap <= kKnapsackTableWidth) {
    return SolveByTable(useful, cap, items.size(), kKnapsackExtra);
  }
  const std::vector<Item> by_index = useful;
  // Best profit per length first; equal ratios keep the item order.
  std::stable_sort(useful.begin(), useful.end(), [](const Item& a, const Item& b) {
    return a.profit * static_cast<double>(b.weight) > b.profit * static_cast<double>(a.weight);
  });
  const size_t keep = static_cast<size_t>(kKnapsackExtra) + 1;
  if (exact) {
    // Few pieces per bar make the branch and bound short: it goes first, and
    // the table decides only when it runs out of nodes.
    BranchAndBound first(useful, cap, std::min(node_limit, kKnapsackFirstNodes), keep, min_value);
    first.Solve();
    if (first.proven()) return FromBranchAndBound(first, useful, items.size());
    if (cells <= kKnapsackTableCells && cap <= kKnapsackTableWidth) {
      return SolveByTable(by_index, cap, items.size(), kKnapsackExtra);
    }
    // The long search keeps only the best: the tightest pruning gives it
    // the best chance to prove optimality within its nodes.
    BranchAndBound bb(useful, cap, node_limit, 1, min_value);
    bb.Solve();
    return FromBranchAndBound(bb, useful, items.size());
  }
  // Quick: the better of a table over coarser lengths (weights rounded up, so
  // its choice fits) and a short branch and bound, whose further choices come
  // along.
  const int64_t f = (cells + kQuickTableCells - 1) / kQuickTableCells;
  std::vector<Item> scaled = by_index;
  for (Item& it : scaled) {
    it.weight = (it.weight + f - 1) / f;
    it.bound = static_cast<int32_t>(std::min<int64_t>(it.bound, (cap / f) / it.weight));
  }
  KnapsackResult coarse = SolveByTable(scaled, cap / f, items.size(), 0);
  // When a few pieces fill a bar the search is shallow and its next best
  // choices are real alternatives: they come along as further patterns.
  int64_t lightest = cap;
  for (const Item& it : useful) lightest = std::min(lightest, it.weight);
  const size_t quick_keep = cap / lightest <= kFewPiecesPerBar ? size_t{kQuickKeep} : 1;
  BranchAndBound bb(useful, cap, node_limit, quick_keep, min_value);
  bb.Solve();
  r = FromBranchAndBound(bb, useful, items.size());
  r.proven = false;
  r.upper = bb.Upper();
  if (coarse.value > r.value + 1e-12) {
    if (r.value > 0) r.extra.insert(r.extra.begin(), {r.value, r.counts});
    r.value = coarse.value;
    r.counts = std::move(coarse.counts);
  }
  return r;
}

}  // namespace tralvin
