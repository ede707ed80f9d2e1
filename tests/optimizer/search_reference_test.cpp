// The search against a plain formulation built from the list operations
// (FindAllSchemes into plans, IsOverflow, GetCloseRate, AddToResult, Minus,
// Plus): on random stages both must give the same best plan, the same
// remaining stocks and leave the random generator in the same state.
// GCC 12 reports false -Wrestrict positives on short string assignments
// inlined from <string> (GCC bug 105329).
#pragma GCC diagnostic ignored "-Wrestrict"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "optimizer/optimize2d.h"

namespace tralvin {
namespace {

double CostValue(const TPacket& p, double value) {
  const double d = p.p_cost * 1.0 + 0.0001;
  return (p.area() * p.area() * value + 0.0001) / (d * d) + 1;
}

// One greedy step: the index of the pattern to cut next, or -1.
int Pick(const TOptimize2d& d, const TSchemes& pool, const TPanels& left, const TPanels& work,
         const TPanels& weights, double avgArea, int way) {
  double B = 0;
  int best = -1;
  int32_t best_prio = 999999;
  for (int i = 0; i < pool.Count(); ++i) {
    const TPacket& p = pool[i];
    if (p.Priority > best_prio) continue;
    if (work[p.p_id].p_number == 0) continue;
    if (p.numbers.IsOverflow(left)) continue;
    double c = p.numbers.GetCloseRate(left, d.parts, weights, d.MinParts, avgArea);
    if (c < 0) continue;
    if (d.params.cost_optimize) {
      c = CostValue(p, c);
    } else {
      const double u = p.rFastUtil / 100;
      const double u2 = u * u;
      const double u8 = (u2 * u2) * (u2 * u2);
      c = (d.FewPiecesPerKind ? u8 : u2) * c + 1;
    }
    if (p.Priority < best_prio || B <= 0) {
      best = i;
      B = c;
      best_prio = p.Priority;
      continue;
    }
    const TPacket& q = pool[best];
    if (d.ImprovementPassesPending) B = c = 1.0;
    if (p.p_number > 0) c *= d.params.bundle_optimize ? 99 : 1.1;
    double a = p.rFastUtil;
    double b = q.rFastUtil;
    if (way == 1) {
      a = (d.FewPiecesPerKind ? a * a : a) * c + 1;
      b = (d.FewPiecesPerKind ? b * b : b) * B + 1;
    }
    if (d.params.cost_optimize) {
      a = CostValue(p, a);
      b = CostValue(q, b);
    }
    int verdict = 0;  // 1: p wins, -1: q stays, 0: size rule
    if (way == 2) {
      if (std::fabs((c + 1) / (B + 1) - 1) >= 0.05) {
        verdict = c > B ? 1 : -1;
      } else if (std::fabs((a + 1) / (b + 1) - 1) >= 0.004) {
        verdict = a > b ? 1 : -1;
      }
    } else if (std::fabs(a / b - 1) >= 0.004) {
      verdict = a > b ? 1 : -1;
    } else if (std::fabs(c / B - 1) >= 0.004) {
      verdict = c > B ? 1 : -1;
    }
    if (verdict == 0) {
      if (std::fabs(p.area() / q.area() - 1) >= 0.05) {
        verdict = p.area() < q.area() ? 1 : -1;
      } else {
        verdict = p.area() / p.PieceCount() > q.area() / q.PieceCount() ? 1 : -1;
      }
    }
    if (verdict > 0) {
      B = c;
      best = i;
      best_prio = p.Priority;
    }
  }
  return best;
}

TSchemes PatternsFor(const TOptimize2d& d, const TPanels& pieces, const TPanels& work) {
  TSchemes out;
  for (int s = 0; s < d.sheets.Count(); ++s) {
    if (work[s].p_number == 0) continue;
    TPacket frame(d.parts);
    SetPatternHeader(frame, d.sheets[s], 1);
    TSeeds::FindAllSchemes(pieces, frame, out, d.params.speed);
  }
  for (TPacket& p : out.schemes) {
    p.p_number = 0;
    p.rFastUtil = p.UtRateShape();
  }
  return out;
}

void Flush(TSchemes& pool, TSchemes& trial) {
  for (TPacket& p : pool.schemes) {
    trial.AddToResult(p);
    p.p_number = 0;
  }
}

// Returns the progress steps the search reports: one per bar cut and one per
// pass.
int ReferenceSearch(TOptimize2d& d, int m_way) {
  int steps = 0;
  const int kinds = d.parts.Count();
  d.FewPiecesPerKind = static_cast<double>(d.parts.GetTotalNumber()) / kinds < 8.0;
  TPanels all_work(d.sheets);
  for (T2DStock& s : all_work.Items()) s.p_number = 1;
  TSchemes all = PatternsFor(d, d.parts, all_work);
  TPanels WeightList(d.parts);
  const double avgArea = d.GenPowerValue(WeightList, 0);
  int family = -1, last = -1;
  bool seen = false;
  TPanels PassWeights;
  for (int r = 0; r < d.params.speed * 5 + 20; ++r) {
    if (r % 5 == 0) {
      ++family;
      PassWeights = d.parts;
      d.GenPowerValue(PassWeights, family);
    } else if (PassWeights.IsEqual(WeightList)) {
      ++last;
      continue;
    } else {
      PassWeights = WeightList;
    }
    if (!d.best_result.Empty() && r - last > 20 && r > 30) break;
    if (all.Count() > 32768 && !d.best_result.Empty() && r - last > 20) break;
    TSchemes trial;
    TPanels left(d.parts), work(d.sheets);
    for (TPacket& p : all.schemes) p.p_number = 0;
    TSchemes regen;
    TSchemes* pool = &all;
    WeightList = PassWeights;
    int regens = 0, picks = 0;
    bool unlimited = false, nothing = false, cut = false, success = false;
    for (;;) {
      const int i = Pick(d, *pool, left, work, PassWeights, avgArea, nothing ? 1 : m_way);
      if (i >= 0) {
        TPacket& p = (*pool)[i];
        ++picks;
        ++steps;
        left.Minus(p.numbers);
        ++p.p_number;
        --work[p.p_id].p_number;
        cut = true;
        bool done = true;
        for (int k = 0; k < kinds; ++k) {
          done = done && d.parts[k].p_number - left[k].p_number >= d.MinParts[k].p_number;
        }
        if (done) {
          Flush(*pool, trial);
          success = true;
          break;
        }
        if (regens == 0 && picks % 5 == 1) {
          int worst = -1;
          double value = 999.0;
          for (int j = 0; j < pool->Count(); ++j) {
            const TPacket& w = (*pool)[j];
            if (w.p_number == 0) continue;
            const double v = d.params.cost_optimize
                                 ? (w.area() * w.rFastUtil + 0.0001) / (w.p_cost * 1.0 + 0.0001) + 1
                                 : w.rFastUtil;
            if (v < value) {
              value = v;
              worst = j;
            }
          }
          if (worst >= 0 && worst != i) {
            TPacket& w = (*pool)[worst];
            left.Plus(w.numbers);
            --w.p_number;
            ++work[w.p_id].p_number;
          }
        }
        continue;
      }
      Flush(*pool, trial);
      nothing = true;
      if (left.IsZero()) {
        success = true;
        break;
      }
      WeightList.MinusSquare(left, d.parts, left, avgArea);
      if (regens >= 1 && !cut) {
        picks = 0;
        if (unlimited) break;
        unlimited = true;
        for (T2DStock& s : work.Items()) {
          if (s.owner == PANEL_OWNER::owSheet) s.p_number = 99999;
        }
        nothing = false;
        pool = &all;
        cut = false;
        continue;
      }
      picks = 0;
      ++regens;
      regen = PatternsFor(d, left, work);
      if (regen.Count() > 1024) regen.SortUtilization();
      pool = &regen;
      cut = false;
      if (regens >= 22) break;
    }
    ++steps;
    trial.SortByUtilizationDescending();
    const int n = trial.Count();
    if (n >= 2 && trial[n - 1].p_number > 0) {
      for (int k = 0; k < trial[n - 1].p_number; ++k) {
        WeightList.MinusSquare(trial[n - 1].numbers, d.parts, d.parts, avgArea);
      }
    }
    for (int pos = n - 2; pos >= n / 2 + 1; --pos) {
      for (int k = 0; k < trial[pos].p_number; ++k) {
        WeightList.MinusSquare(trial[pos].numbers, d.parts, d.parts, avgArea);
      }
    }
    for (int pos = 0; pos < n / 2; ++pos) {
      for (int k = 0; k < trial[pos].p_number; ++k) {
        WeightList.PlusSquare(trial[pos].numbers, d.parts, d.parts, avgArea);
      }
    }
    if (!success) continue;
    if (!(seen && unlimited) &&
        (d.best_result.Empty() || d.CompareResult(d.best_result, trial) < 0)) {
      d.best_result = trial;
      last = r;
    }
    if (d.ImprovementPassesPending && r - last > 3 && !d.best_result.Empty()) break;
    if (d.sheets.Count() == 1 && d.best_result.Count() == 1 && d.best_result[0].p_number == 1) {
      break;
    }
    if (!unlimited) seen = true;
  }
  if (d.best_result.Empty()) return steps;
  d.m_rest_sheets = d.sheets;
  for (const TPacket& p : d.best_result.schemes) {
    d.m_rest_sheets[p.p_id].p_number -= p.p_number;
  }
  return steps;
}

std::vector<std::vector<int32_t>> Summary(const TOptimize2d& d) {
  std::vector<std::vector<int32_t>> rows;
  for (const TPacket& p : d.best_result.schemes) {
    std::vector<int32_t> row{p.p_id, p.p_number};
    for (const T2DStock& e : p.numbers.Items()) row.push_back(e.p_number);
    rows.push_back(row);
  }
  std::vector<int32_t> rest;
  for (const T2DStock& s : d.m_rest_sheets.Items()) rest.push_back(s.p_number);
  rows.push_back(rest);
  return rows;
}

// The stage set up for both searches: ids, sizes with the blade, seeds and
// the candidate patterns.
void Prepare(TOptimize2d& d) {
  ASSERT_EQ(d.GenAllPartsId(), "");
  d.GenAllRealXY();
  ASSERT_EQ(d.GenAllSeeds(), "");
  d.GenAllSchemes();
}

// All three ways of the search on `fast` and the list formulation on a copy,
// with the same progress steps (passes that repeat an earlier one must still
// report theirs).
void ExpectSameAsReference(TOptimize2d& fast, int round) {
  TOptimize2d plain = fast;
  int steps = 0;
  fast.params.progress = [&steps](TProgressKind kind) { steps += kind == TProgressKind::Step; };
  for (int way : {2, 1, 0}) {
    steps = 0;
    fast.GenBestResultClosest(way);
    const int plain_steps = ReferenceSearch(plain, way);
    ASSERT_EQ(Summary(fast), Summary(plain)) << "round " << round << " way " << way;
    ASSERT_EQ(fast.OptimizerRandomState, plain.OptimizerRandomState);
    ASSERT_EQ(steps, plain_steps) << "round " << round << " way " << way;
  }
}

TEST(SearchReference, SameBestPlanAsTheListFormulation) {
  std::mt19937 rng(424242);
  for (int round = 0; round < 16; ++round) {
    TOptimize2d fast;
    fast.params.clock = [] { return 0.0; };
    fast.params.blade_width = static_cast<int32_t>(rng() % 3) * 4;
    fast.params.speed = static_cast<int32_t>(rng() % 2);
    fast.params.cost_optimize = rng() % 3 == 0;
    fast.params.bundle_optimize = rng() % 4 == 0;
    fast.SingleStageRun = rng() % 2 == 0;
    fast.ImprovementPassesPending = rng() % 3 == 0;
    fast.OptimizerRandomState = 479 + round;
    const int nstocks = 1 + static_cast<int>(rng() % 3);
    for (int s = 0; s < nstocks; ++s) {
      fast.AddSheet("S" + std::to_string(s), "", "1", "", "",
                    3000 + static_cast<int32_t>(rng() % 6000), 0, 1000,
                    static_cast<int32_t>(rng() % 12), static_cast<int32_t>(rng() % 2),
                    100 + static_cast<int32_t>(rng() % 500));
    }
    const int nkinds = 1 + static_cast<int>(rng() % 9);
    for (int k = 0; k < nkinds; ++k) {
      const int32_t max = 1 + static_cast<int32_t>(rng() % (round % 2 ? 4 : 15));
      fast.AddPart("P" + std::to_string(k), "", "1", "", 200 + static_cast<int32_t>(rng() % 2800),
                   1000, false, max, static_cast<int32_t>(rng() % (max + 1)));
    }
    Prepare(fast);
    ExpectSameAsReference(fast, round);
  }
}

// Stock tables of many rows, most of one bar, some lengths repeated and
// priorities mixed: the pools span many blocks and groups of blocks that the
// search skips by their bounds, with take-backs and regenerations between.
// Each round has `min_rows` to 3 * `min_rows` - 1 stock rows and `min_kinds`
// to `min_kinds` + 7 piece kinds; above 64 kinds the patterns have no kind
// bits.
void ExpectSameOnManyStockRows(uint32_t seed, int rounds, int min_rows, int min_kinds) {
  std::mt19937 rng(seed);
  for (int round = 0; round < rounds; ++round) {
    TOptimize2d fast;
    fast.params.clock = [] { return 0.0; };
    fast.params.blade_width = static_cast<int32_t>(rng() % 2) * 3;
    fast.params.speed = 0;
    fast.params.cost_optimize = round % 4 == 3;
    fast.params.bundle_optimize = round % 8 == 5;
    fast.SingleStageRun = true;
    fast.ImprovementPassesPending = round % 2 == 1;
    fast.OptimizerRandomState = 917 + round;
    const int nstocks = min_rows + static_cast<int>(rng() % static_cast<uint32_t>(2 * min_rows));
    for (int s = 0; s < nstocks; ++s) {
      const int32_t length = s % 7 == 3 ? 2400 : 800 + static_cast<int32_t>(rng() % 2400);
      fast.AddSheet("S" + std::to_string(s), "", "1", "", "", length, 0, 1000,
                    s < 2 ? 40 : static_cast<int32_t>(rng() % 2),
                    s < 2 ? 1 : static_cast<int32_t>(rng() % 4 == 0),
                    50 + static_cast<int32_t>(rng() % 300));
    }
    const int nkinds = min_kinds + static_cast<int>(rng() % 8);
    for (int k = 0; k < nkinds; ++k) {
      const int32_t max = 1 + static_cast<int32_t>(rng() % 12);
      fast.AddPart("P" + std::to_string(k), "", "1", "", 150 + static_cast<int32_t>(rng() % 1200),
                   1000, false, max, static_cast<int32_t>(rng() % (max + 1)));
    }
    Prepare(fast);
    ExpectSameAsReference(fast, round);
  }
}

TEST(SearchReference, SameBestPlanOnManyStockRows) { ExpectSameOnManyStockRows(171717, 24, 20, 6); }

// A take-back forgets every score of a pool without kind bits: none of them
// may then count as exact.
TEST(SearchReference, SameBestPlanOnManyStockRowsWithoutKindBits) {
  ExpectSameOnManyStockRows(272727, 1, 5, 65);
}

// Stock tables of distinct lengths, a few bars each, long enough for many
// patterns per bar: the regenerated pools are large, their stocks are listed
// only when a step needs them, and a stock's best value is scored again as
// pieces are cut.
TEST(SearchReference, SameBestPlanOnDistinctStockLengths) {
  std::mt19937 rng(5150);
  for (int round = 0; round < 13; ++round) {
    TOptimize2d fast;
    fast.params.clock = [] { return 0.0; };
    fast.params.blade_width = static_cast<int32_t>(rng() % 2) * 3;
    fast.params.speed = 0;
    fast.params.cost_optimize = round % 4 == 3;
    fast.SingleStageRun = true;
    fast.ImprovementPassesPending = round % 2 == 1;
    fast.OptimizerRandomState = 311 + round;
    const int nstocks = 16 + static_cast<int>(rng() % 12);
    for (int s = 0; s < nstocks; ++s) {
      fast.AddSheet("S" + std::to_string(s), "", "1", "", "", 2000 + 97 * s, 0, 1000,
                    1 + static_cast<int32_t>(rng() % 3), static_cast<int32_t>(rng() % 5 == 0),
                    50 + static_cast<int32_t>(rng() % 300));
    }
    const int nkinds = 8 + static_cast<int>(rng() % 6);
    for (int k = 0; k < nkinds; ++k) {
      const int32_t max = 1 + static_cast<int32_t>(rng() % 6);
      fast.AddPart("P" + std::to_string(k), "", "1", "", 120 + static_cast<int32_t>(rng() % 900),
                   1000, false, max, static_cast<int32_t>(rng() % (max + 1)));
    }
    Prepare(fast);
    ExpectSameAsReference(fast, round);
  }
}

// Every field of a record, in one line.
std::string Fields(const T2DStock& r) {
  std::ostringstream o;
  o << r.p_id << ' ' << r.p_cx << ' ' << r.p_max_cx << ' ' << r.p_cy << ' ' << r.p_can_rotate << ' '
    << r.p_offset.x << ' ' << r.p_offset.y << ' ' << r.p_lab << ' ' << r.p_number << ' ' << r.p_cost
    << ' ' << r.p_utli << ' ' << r.p_single << ' ' << static_cast<int>(r.p_shape) << ' '
    << r.p_profile_id << ' ' << r.p_profile_rm << ' ' << r.disp_XSize << ' ' << r.disp_YSize << ' '
    << r.disp_SlotNO << ' ' << r.disp_Comment << ' ' << r.MatType << ' ' << r.Priority << ' '
    << static_cast<int>(r.owner) << ' ' << r.bReverse;
  return o.str();
}

// A plan in full: every field of every pattern, its pieces and rectangles.
std::vector<std::string> FullPlan(const TSchemes& plan) {
  std::vector<std::string> lines;
  for (const TPacket& p : plan.schemes) {
    lines.push_back("pattern " + Fields(p) + " util " + std::to_string(p.rFastUtil));
    for (const TPanels* list :
         {&p.numbers, &p.used_parts, &p.available_rects, &p.p_old_available_rects}) {
      lines.push_back("list of " + std::to_string(list->Count()));
      for (const T2DStock& e : list->Items()) lines.push_back(Fields(e));
    }
  }
  return lines;
}

// Trial patterns left by the search of another piece list, refreshed to the
// current one as the staged run does, give the plan that fresh patterns give.
TEST(SearchReference, RecycledTrialPatternsGiveTheSamePlan) {
  std::mt19937 rng(5150);
  std::vector<TPacket> spare;
  int rounds_with_spares = 0;
  for (int round = 0; round < 12; ++round) {
    TOptimize2d fresh;
    fresh.params.clock = [] { return 0.0; };
    fresh.params.blade_width = 3;
    fresh.params.cost_optimize = round % 3 == 2;
    fresh.OptimizerRandomState = 77 + round;
    const int nstocks = 1 + static_cast<int>(rng() % 4);
    for (int s = 0; s < nstocks; ++s) {
      fresh.AddSheet("S" + std::to_string(s) + "-" + std::to_string(round), "x", "1", "c", "h",
                     2000 + static_cast<int32_t>(rng() % 4000), 0, 1000,
                     static_cast<int32_t>(rng() % 30), static_cast<int32_t>(rng() % 2),
                     100 + static_cast<int32_t>(rng() % 300));
    }
    // Piece lists of different lengths from round to round, with texts.
    const int nkinds = 1 + static_cast<int>(rng() % 12);
    for (int k = 0; k < nkinds; ++k) {
      fresh.AddPart("Part number " + std::to_string(k) + " of round " + std::to_string(round),
                    "len " + std::to_string(k), "1", "comment " + std::to_string(round),
                    150 + static_cast<int32_t>(rng() % 1800), 1000, false,
                    1 + static_cast<int32_t>(rng() % 9), 0);
    }
    Prepare(fresh);
    TOptimize2d recycled = fresh;
    for (TPacket& p : spare) p.numbers = recycled.parts;
    rounds_with_spares += !spare.empty();
    for (int way : {2, 1, 0}) {
      fresh.GenBestResultClosest(way);
      recycled.GenBestResultClosest(way, &spare);
      ASSERT_EQ(FullPlan(recycled.best_result), FullPlan(fresh.best_result))
          << "round " << round << " way " << way;
    }
  }
  EXPECT_GE(rounds_with_spares, 8);
}

}  // namespace
}  // namespace tralvin
