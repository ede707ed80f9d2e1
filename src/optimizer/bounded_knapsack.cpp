// Bounded knapsack: a table over the reduced capacity when it is small, else a
// depth-first branch and bound with the fractional (Dantzig) bound.
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

// Binary splitting turns each bounded item into 0/1 items; a bit table keeps
// the choices for rebuilding the counts.
KnapsackResult SolveByTable(const std::vector<Item>& items, int64_t cap, size_t count) {
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
  std::vector<double> best(width, 0.0);
  std::vector<std::vector<bool>> took(split.size(), std::vector<bool>(width, false));
  for (size_t k = 0; k < split.size(); ++k) {
    const Part& p = split[k];
    if (p.weight > cap) continue;
    for (int64_t c = cap; c >= p.weight; --c) {
      const double v = best[static_cast<size_t>(c - p.weight)] + p.profit;
      if (v > best[static_cast<size_t>(c)] + 1e-12) {
        best[static_cast<size_t>(c)] = v;
        took[k][static_cast<size_t>(c)] = true;
      }
    }
  }
  KnapsackResult r;
  r.counts.assign(count, 0);
  int64_t c = cap;
  for (size_t k = split.size(); k-- > 0;) {
    if (took[k][static_cast<size_t>(c)]) {
      r.counts[static_cast<size_t>(split[k].item)] += split[k].mult;
      c -= split[k].weight;
    }
  }
  for (const Item& it : items) r.value += it.profit * r.counts[static_cast<size_t>(it.index)];
  return r;
}

class BranchAndBound {
 public:
  BranchAndBound(const std::vector<Item>& items, int64_t cap, int64_t node_limit)
      : items_(items),
        cap_(cap),
        node_limit_(node_limit),
        cur_(items.size(), 0),
        best_counts_(items.size(), 0) {}

  void Solve() { Visit(0, cap_, 0.0); }
  bool proven() const { return nodes_ <= node_limit_; }
  double best() const { return best_; }
  const std::vector<int32_t>& counts() const { return best_counts_; }

 private:
  // Fractional bound of the items from k on.
  double Bound(size_t k, int64_t cap) const {
    double v = 0;
    for (; k < items_.size() && cap > 0; ++k) {
      const Item& it = items_[k];
      const int64_t fit = std::min<int64_t>(it.bound, cap / it.weight);
      v += it.profit * static_cast<double>(fit);
      cap -= fit * it.weight;
      if (fit < it.bound && cap > 0) {
        v += it.profit * static_cast<double>(cap) / static_cast<double>(it.weight);
        break;
      }
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
      cur_[k] = m;
      Visit(k + 1, cap - m * it.weight, value + it.profit * m);
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
};

}  // namespace

KnapsackResult SolveBoundedKnapsack(const std::vector<KnapsackItem>& items, int64_t capacity,
                                    int64_t node_limit) {
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
  if ((cap + 1) * split_count <= kKnapsackTableCells) {
    return SolveByTable(useful, cap, items.size());
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
  return r;
}

}  // namespace tralvin
