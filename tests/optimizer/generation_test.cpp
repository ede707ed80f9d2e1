// Pattern generation: the enumeration order and limit of FindAllSchemes, the
// pool built for the search, and the best-length proposals checked against a
// dense length table.
// GCC 12 reports false -Wrestrict positives on short string assignments
// inlined from <string> (GCC bug 105329).
#pragma GCC diagnostic ignored "-Wrestrict"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "optimizer/enumerate.h"
#include "optimizer/pattern_pool.h"
#include "optimizer/seeds.h"

namespace tralvin {
namespace {

TPanels Pieces(std::initializer_list<std::pair<int32_t, int32_t>> kinds) {
  TPanels list;
  for (const auto& [cx, qty] : kinds) {
    T2DStock p;
    p.p_id = list.Count();
    p.p_lab = "P" + std::to_string(list.Count());
    p.p_cx = cx;
    p.p_cy = 1000;
    p.p_number = qty;
    list.AddPanel(p);
  }
  return list;
}

TPacket Frame(const TPanels& kinds, int32_t cx) {
  TPacket f(kinds);
  f.p_cx = cx;
  f.p_cy = 1000;
  f.p_lab = "S";
  f.p_id = 0;
  return f;
}

TEST(FindAllSchemes, MaximalPatternsInDecreasingOrder) {
  const TPanels kinds = Pieces({{2505, 3}, {995, 5}});
  TPacket frame = Frame(kinds, 6005);
  TSchemes out;
  EXPECT_EQ(TSeeds::FindAllSchemes(kinds, frame, out, 0), 3);
  ASSERT_EQ(out.Count(), 3);
  const int expected[3][2] = {{2, 1}, {1, 3}, {0, 5}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(out[i].numbers[0].p_number, expected[i][0]);
    EXPECT_EQ(out[i].numbers[1].p_number, expected[i][1]);
    EXPECT_EQ(out[i].p_cx, 6005);
    EXPECT_EQ(out[i].available_rects.Count(), 0);
  }
}

TEST(FindAllSchemes, SpeedLimitsThePatternCount) {
  // Many short kinds: far more than 129 combinations fit.
  TPanels kinds;
  for (int i = 0; i < 12; ++i) kinds.AddPanel(Pieces({{100 + 7 * i, 20}})[0]);
  TPacket frame = Frame(kinds, 1000);
  TSchemes fast;
  EXPECT_EQ(TSeeds::FindAllSchemes(kinds, frame, fast, 0), 129);
  TSchemes slow;
  EXPECT_EQ(TSeeds::FindAllSchemes(kinds, frame, slow, 20), 2689);
  // The fast list is the start of the slow one; the all-zero vector never appears.
  for (int i = 0; i < fast.Count(); ++i) {
    for (int k = 0; k < kinds.Count(); ++k) {
      EXPECT_EQ(fast[i].numbers[k].p_number, slow[i].numbers[k].p_number);
    }
  }
  for (const TPacket& p : slow.schemes) EXPECT_GT(p.PieceCount(), 0);
}

TEST(PatternPool, MatchesFindAllSchemes) {
  std::mt19937 rng(7);
  for (int round = 0; round < 20; ++round) {
    TPanels kinds;
    const int n = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < n; ++i) {
      kinds.AddPanel(
          Pieces({{static_cast<int32_t>(300 + rng() % 3000), static_cast<int32_t>(rng() % 6)}})[0]);
    }
    std::stable_sort(kinds.Items().begin(), kinds.Items().end(),
                     [](const T2DStock& a, const T2DStock& b) { return a.p_cx > b.p_cx; });
    T2DStock stock;
    stock.p_id = 0;
    stock.p_lab = "S";
    stock.p_cx = static_cast<int32_t>(3000 + rng() % 9000);
    stock.p_cy = 1000;
    TPacket frame = Frame(kinds, stock.p_cx);
    TSchemes list;
    TSeeds::FindAllSchemes(kinds, frame, list, 1);
    TPatternPool pool;
    pool.Clear(kinds.Count());
    TPatternScratch scratch;
    AppendStockPatterns(pool, kinds, stock, 0, 1, scratch);
    ASSERT_EQ(pool.Count(), list.Count());
    for (int p = 0; p < pool.Count(); ++p) {
      int64_t used = 0;
      for (int k = 0; k < kinds.Count(); ++k) {
        EXPECT_EQ(pool.Counts(p)[k], list[p].numbers[k].p_number);
        EXPECT_LE(pool.Counts(p)[k], kinds[k].p_number);
        used += int64_t{pool.Counts(p)[k]} * kinds[k].p_cx;
      }
      EXPECT_LE(used, stock.p_cx);
      EXPECT_EQ(pool.Util(p), list[p].UtRateShape());
    }
  }
}

// The proposals as a dense table of counters indexed by length would give them.
int DenseProposals(const TPanels& parts, int32_t min_length, int32_t max_length,
                   std::array<int32_t, 10>& out) {
  int32_t min_len = min_length;
  for (const T2DStock& p : parts.Items()) {
    if (p.p_number > 0) min_len = std::max(min_len, p.p_cx);
  }
  std::vector<int64_t> table(static_cast<size_t>(max_length) + 1, 0);
  const int kinds = parts.Count();
  std::vector<int32_t> cx, qty, counts(static_cast<size_t>(kinds));
  for (const T2DStock& p : parts.Items()) {
    cx.push_back(p.p_cx);
    qty.push_back(p.p_number);
  }
  int64_t counted = 0;
  EnumerateCombinations(kinds, cx.data(), qty.data(), max_length, counts.data(),
                        [&](const int32_t* w, int32_t rest) {
                          const int32_t used = max_length - rest;
                          if (used >= min_len) {
                            TPanels wp = parts;
                            for (int k = 0; k < kinds; ++k) wp[k].p_number = w[k];
                            table[static_cast<size_t>(used)] += parts.DividPanels(wp);
                          }
                          return ++counted <= 1048576;
                        });
  const int32_t w = (max_length - min_len) / 128;
  int64_t sum = 0;
  std::vector<std::pair<int32_t, int64_t>> c;
  for (int32_t len = min_len; len <= max_length; ++len) {
    if (w > 0 && len - w >= 0) sum -= table[static_cast<size_t>(len - w)];
    sum += table[static_cast<size_t>(len)];
    if (sum == 0 || table[static_cast<size_t>(len)] == 0) continue;
    if (c.size() < 10) {
      c.emplace_back(len, sum);
    } else {
      c[9] = {len, sum};
    }
    if (c.size() == 10) {
      for (size_t i = 0; i < c.size(); ++i) {
        for (size_t j = i + 1; j < c.size(); ++j) {
          if (c[j].second > c[i].second) std::swap(c[i], c[j]);
        }
      }
    }
  }
  for (size_t i = 0; i < c.size(); ++i) out[i] = c[i].first;
  return static_cast<int>(c.size());
}

TEST(BestLength, SameProposalsAsADenseTable) {
  std::mt19937 rng(11);
  for (int round = 0; round < 30; ++round) {
    TPanels kinds;
    const int n = 1 + static_cast<int>(rng() % 5);
    for (int i = 0; i < n; ++i) {
      kinds.AddPanel(
          Pieces({{static_cast<int32_t>(50 + rng() % 900), static_cast<int32_t>(rng() % 5)}})[0]);
    }
    const int32_t min_length = static_cast<int32_t>(rng() % 1500);
    // Some ranges give a window of 0 (range below 128), most a wider one.
    const int32_t max_length = min_length + (round % 3 == 0 ? static_cast<int32_t>(rng() % 120)
                                                            : static_cast<int32_t>(rng() % 4000));
    std::array<int32_t, 10> sparse{}, dense{};
    const int ns = TSeeds::FindTheBestPanelDimension(kinds, min_length, max_length, sparse);
    const int nd = DenseProposals(kinds, min_length, max_length, dense);
    ASSERT_EQ(ns, nd) << "round " << round;
    for (int i = 0; i < ns; ++i) EXPECT_EQ(sparse[i], dense[i]) << "round " << round;
  }
}

TEST(BestLength, RealStockLengths) {
  // 12,000 mm bars in internal units, far beyond 10,000,000.
  const TPanels kinds = Pieces({{2500000, 4}, {1200000, 6}, {950000, 3}});
  std::array<int32_t, 10> out{};
  const int n = TSeeds::FindTheBestPanelDimension(kinds, 9000000, 12000000, out);
  ASSERT_GT(n, 0);
  for (int i = 0; i < n; ++i) {
    EXPECT_GE(out[i], 9000000);
    EXPECT_LE(out[i], 12000000);
  }
  // A kind with quantity 0 does not raise the smallest length.
  const TPanels zero = Pieces({{5000, 0}, {300, 4}});
  const int nz = TSeeds::FindTheBestPanelDimension(zero, 0, 1000, out);
  ASSERT_GT(nz, 0);
  EXPECT_EQ(out[0] % 300, 0);
}

}  // namespace
}  // namespace tralvin

namespace tralvin {
namespace {

TEST(PatternPool, SortedLikeAPlan) {
  TPanels kinds;
  for (int i = 0; i < 7; ++i) kinds.AddPanel(Pieces({{900 - 60 * i, 6}})[0]);
  TPanels stocks;
  const char* labels[] = {"M", "B", "M2"};
  const int32_t lengths[] = {5000, 4000, 4500};
  for (int s = 0; s < 3; ++s) {
    T2DStock st;
    st.p_id = s;
    st.p_lab = labels[s];
    st.p_cx = lengths[s];
    st.p_cy = 1000;
    stocks.AddPanel(st);
  }
  TPatternPool pool;
  pool.Clear(kinds.Count());
  TPatternScratch scratch;
  for (int s = 0; s < 3; ++s) AppendStockPatterns(pool, kinds, stocks[s], s, 3, scratch);
  ASSERT_GT(pool.Count(), 1024);
  TSchemes plan = pool.ToSchemes(kinds, stocks);
  plan.SortUtilization();
  pool.SortUtilization({1, 0, 2});  // ranks of "M", "B", "M2"
  ASSERT_EQ(pool.Count(), plan.Count());
  for (int p = 0; p < pool.Count(); ++p) {
    ASSERT_EQ(pool.Sheet(p), plan[p].p_id) << p;
    for (int k = 0; k < kinds.Count(); ++k)
      ASSERT_EQ(pool.Counts(p)[k], plan[p].numbers[k].p_number);
    ASSERT_EQ(pool.Util(p), plan[p].rFastUtil);
  }
}

// The sparse enumeration lists the dense one's combinations in the same order,
// also with kinds that cannot take a piece (cap 0 or below, longer than the
// bar) at the ends and between, and when stopped early.
TEST(SparseEnumerator, SameCombinationsAsTheDenseEnumeration) {
  std::mt19937 rng(7);
  TSparseEnumerator sparse;
  for (int trial = 0; trial < 3000; ++trial) {
    const int kinds = 1 + static_cast<int>(rng() % 24);
    std::vector<int32_t> cx(static_cast<size_t>(kinds)), qty(cx.size()), counts(cx.size());
    for (size_t i = 0; i < cx.size(); ++i) {
      cx[i] = 1 + static_cast<int32_t>(rng() % 60);
      qty[i] = static_cast<int32_t>(rng() % 7) - 2;
    }
    const int32_t length = static_cast<int32_t>(rng() % 300);
    const size_t stop = 1 + rng() % 150;
    std::vector<std::vector<int32_t>> dense, listed;
    EnumerateCombinations(kinds, cx.data(), qty.data(), length, counts.data(),
                          [&](const int32_t* w, int32_t) {
                            dense.emplace_back(w, w + kinds);
                            return dense.size() < stop;
                          });
    sparse.Run(kinds, cx.data(), qty.data(), length,
               [&](const int32_t* nz_kind, const int32_t* nz_count, int nz) {
                 std::vector<int32_t> w(static_cast<size_t>(kinds), 0);
                 for (int k = 0; k < nz; ++k) {
                   EXPECT_GT(nz_count[k], 0);
                   if (k > 0) {
                     EXPECT_LT(nz_kind[k - 1], nz_kind[k]);
                   }
                   w[static_cast<size_t>(nz_kind[k])] = nz_count[k];
                 }
                 listed.push_back(std::move(w));
                 return listed.size() < stop;
               });
    ASSERT_EQ(dense, listed) << "trial " << trial;
  }
}

}  // namespace
}  // namespace tralvin
