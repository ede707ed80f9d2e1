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
    for (size_t c = static_cast<size_t>(cap); c >= w; --c) {
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
// fractional bound of any suffix by a binary search.
class BranchAndBound {
 public:
  BranchAndBound(const std::vector<Item>& items, int64_t cap, int64_t node_limit)
      : items_(items),
        cap_(cap),
        node_limit_(node_limit),
        cur_(items.size(), 0),
        best_counts_(items.size(), 0),
        pw_(items.size() + 1, 0),
        pp_(items.size() + 1, 0.0) {
    for (size_t k = 0; k < items.size(); ++k) {
      pw_[k + 1] = pw_[k] + items[k].weight * items[k].bound;
      pp_[k + 1] = pp_[k] + items[k].profit * items[k].bound;
    }
  }

  void Solve() { Visit(0, cap_, 0.0); }
  bool proven() const { return nodes_ <= node_limit_; }
  double best() const { return best_; }
  const std::vector<int32_t>& counts() const { return best_counts_; }

 private:
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

  void Visit(size_t k, int64_t cap, double value) {
    if (++nodes_ > node_limit_) return;
    if (value > best_ + 1e-12) {
      best_ = value;
      best_counts_ = cur_;
    }
    if (k == items_.size() || cap <= 0) return;
    if (value + Bound(k, cap) <= best_ + 1e-12) return;
    const Item& it = items_[k];
    const int32_t most = static_cast<int32_t>(std::min<int64_t>(it.bound, cap / it.weight));
    for (int32_t m = most; m >= 0; --m) {
      const int64_t left = cap - m * it.weight;
      const double v = value + it.profit * m;
      if (m < most && v + Bound(k + 1, left) <= best_ + 1e-12) break;  // fewer only lose
      cur_[k] = m;
      Visit(k + 1, left, v);
      if (nodes_ > node_limit_) break;
    }
    cur_[k] = 0;
  }

  const std::vector<Item>& items_;
  int64_t cap_;
  int64_t node_limit_;
  int64_t nodes_ = 0;
  double best_ = 0;
  std::vector<int32_t> cur_;
  std::vector<int32_t> best_counts_;
  std::vector<int64_t> pw_;
  std::vector<double> pp_;
};

}  // namespace

KnapsackResult SolveBoundedKnapsack(const std::vector<KnapsackItem>& items, int64_t capacity,
                                    int64_t node_limit, bool exact) {
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
  if (cells <= (exact ? kKnapsackTableCells : kQuickTableCells) && cap <= kKnapsackTableWidth) {
    return SolveByTable(useful, cap, items.size(), exact ? kKnapsackExtra : 0);
  }
  KnapsackResult coarse;
  if (!exact) {
    const int64_t f = (cells + kQuickTableCells - 1) / kQuickTableCells;
    std::vector<Item> scaled = useful;
    for (Item& it : scaled) {
      it.weight = (it.weight + f - 1) / f;
      it.bound = static_cast<int32_t>(std::min<int64_t>(it.bound, (cap / f) / it.weight));
    }
    coarse = SolveByTable(scaled, cap / f, items.size(), 0);
    coarse.proven = false;
  }
  // Best profit per length first; equal ratios keep the item order.
  std::stable_sort(useful.begin(), useful.end(), [](const Item& a, const Item& b) {
    return a.profit * static_cast<double>(b.weight) > b.profit * static_cast<double>(a.weight);
  });
  BranchAndBound bb(useful, cap, node_limit);
  bb.Solve();
  r.value = bb.best();
  r.proven = bb.proven();
  for (size_t k = 0; k < useful.size(); ++k) {
    r.counts[static_cast<size_t>(useful[k].index)] = bb.counts()[k];
  }
  if (!exact && coarse.value > r.value + 1e-12) return coarse;
  return r;
}

}  // namespace tralvin
