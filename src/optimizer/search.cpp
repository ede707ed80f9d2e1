// TOptimize2d::GenBestResultClosest: the best-plan search of one stage. Many
// greedy trial plans are built from the candidate patterns; per-kind weights
// steer the choice and learn from the quality of each trial.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "optimizer/optimize2d.h"

namespace tralvin {

namespace {

// A pattern of the trial plan being built: its stock, its counts and its bars.
struct TrialEntry {
  int32_t sheet;
  int32_t bars;
  std::vector<int32_t> counts;
};

}  // namespace

std::string TOptimize2d::GenBestResultClosest(int m_Optimize_way) {
  const int kinds = parts.Count();
  const int nsheets = sheets.Count();
  const size_t uk = static_cast<size_t>(kinds);
  const bool cost_opt = params.cost_optimize;
  const bool bundle = params.bundle_optimize;
  const bool pending = ImprovementPassesPending;

  // The pool must describe the current piece list.
  if (all_schemes.Kinds() != kinds) GenAllSchemes();

  // Start of the call.
  FewPiecesPerKind =
      kinds > 0 && static_cast<double>(parts.GetTotalNumber()) / static_cast<double>(kinds) < 8.0;
  TPanels WeightList(parts);
  const double avgArea = GenPowerValue(WeightList, 0);
  int family = -1;
  int last_improving = -1;
  const double start_time = Now();
  bool seen_within_stock = false;

  // Per-kind data.
  std::vector<int64_t> maxq(uk), req(uk), left(uk), weight(uk);
  std::vector<double> total1(uk), div2(uk);
  std::vector<int64_t> wl(uk);
  std::vector<char> has_div(uk);
  for (int i = 0; i < kinds; ++i) {
    maxq[static_cast<size_t>(i)] = parts[i].p_number;
    req[static_cast<size_t>(i)] = MinParts[i].p_number;
    total1[static_cast<size_t>(i)] = static_cast<double>(maxq[static_cast<size_t>(i)] + 1);
  }

  // Per-stock data. Stocks are matched by label when bars are merged.
  const size_t us = static_cast<size_t>(nsheets);
  std::vector<int32_t> prio(us), WorkSheets(us), label_id(us);
  std::vector<double> sarea(us), sarea2(us), scost2(us), scostd(us);
  std::vector<int> label_rank(us, 0);
  for (int s = 0; s < nsheets; ++s) {
    const size_t u = static_cast<size_t>(s);
    const T2DStock& st = sheets[s];
    prio[u] = st.Priority;
    sarea[u] = st.area();
    sarea2[u] = sarea[u] * sarea[u];
    scostd[u] = static_cast<double>(st.p_cost) * 1.0 + 0.0001;
    scost2[u] = scostd[u] * scostd[u];
    label_id[u] = s;
    for (int o = 0; o < s; ++o) {
      if (sheets[o].p_lab == st.p_lab) {
        label_id[u] = label_id[static_cast<size_t>(o)];
        break;
      }
    }
    for (int o = 0; o < nsheets; ++o) {
      const T2DStock& ot = sheets[o];
      if (ot.MatType < st.MatType || (ot.MatType == st.MatType && ot.p_lab < st.p_lab)) {
        ++label_rank[u];
      }
    }
  }

  TPanels PassWeights;
  TPatternPool RegeneratedPool;
  TPatternScratch gen_scratch;
  TPanels LeftParts(parts);  // the pieces still allowed, as a list for the weight updates
  std::vector<TrialEntry> trial;
  const int max_passes = params.speed * 5 + 20;

  auto sync_left_parts = [&]() {
    for (int i = 0; i < kinds; ++i)
      LeftParts[i].p_number = static_cast<int32_t>(left[static_cast<size_t>(i)]);
  };

  // Adds the bars of every pattern of `pool` to the trial plan (merging equal
  // patterns of the same stock label) and resets their bars to 0.
  auto flush_pool = [&](TPatternPool& pool) {
    for (int p = 0; p < pool.Count(); ++p) {
      int32_t& n = pool.number[static_cast<size_t>(p)];
      if (n == 0) continue;
      const int32_t lid = label_id[static_cast<size_t>(pool.Sheet(p))];
      const int32_t* c = pool.Counts(p);
      bool merged = false;
      for (TrialEntry& e : trial) {
        if (label_id[static_cast<size_t>(e.sheet)] == lid &&
            std::memcmp(e.counts.data(), c, uk * sizeof(int32_t)) == 0) {
          e.bars += n;
          merged = true;
          break;
        }
      }
      if (!merged) trial.push_back({pool.Sheet(p), n, std::vector<int32_t>(c, c + kinds)});
      n = 0;
    }
  };

  for (int r = 0; r < max_passes; ++r) {
    if (Cancelled()) break;
    // 1. Weights of this pass.
    if (r % 5 == 0) {
      ++family;
      PassWeights = parts;
      GenPowerValue(PassWeights, family);
    } else if (PassWeights.IsEqual(WeightList)) {
      ++last_improving;
      continue;
    } else {
      PassWeights = WeightList;
    }
    // 2. Stagnation stops.
    if (!best_result.Empty() && r - last_improving > 20 && r > 30) break;
    if (all_schemes.Count() > 32768 && !best_result.Empty() && r - last_improving > 20) break;

    // 3. Reset.
    trial.clear();
    for (int i = 0; i < kinds; ++i) {
      left[static_cast<size_t>(i)] = maxq[static_cast<size_t>(i)];
      weight[static_cast<size_t>(i)] = PassWeights[i].p_number;
    }
    for (int s = 0; s < nsheets; ++s) WorkSheets[static_cast<size_t>(s)] = sheets[s].p_number;
    std::fill(all_schemes.number.begin(), all_schemes.number.end(), 0);
    TPatternPool* pool = &all_schemes;
    WeightList = PassWeights;
    int regenerations = 0;
    int picks = 0;
    bool unlimited = false;
    bool met_nothing = false;
    bool cut_since_regen = false;
    bool success = false;

    // 4. Greedy steps.
    for (;;) {
      const int way = met_nothing ? 1 : m_Optimize_way;
      for (size_t i = 0; i < uk; ++i) {
        wl[i] = weight[i] * left[i];
        const int64_t produced = maxq[i] - left[i];
        has_div[i] = produced >= req[i];
        div2[i] = static_cast<double>(produced - req[i] + 1);
      }
      double B = 0.0;
      int best = -1;
      int32_t best_prio = 999999;
      const int* nz_index = pool->NzIndex();
      const int32_t* nz_count = pool->NzCount();
      const int count = pool->Count();
      for (int p = 0; p < count; ++p) {
        const size_t ps = static_cast<size_t>(pool->Sheet(p));
        const int32_t pp = prio[ps];
        if (pp > best_prio) continue;
        if (WorkSheets[ps] == 0) continue;
        const int kb = pool->NzBegin(p);
        const int ke = pool->NzEnd(p);
        bool overflow = false;
        for (int k = kb; k < ke; ++k) {
          if (nz_count[k] > left[static_cast<size_t>(nz_index[k])]) {
            overflow = true;
            break;
          }
        }
        if (overflow) continue;
        // Closeness, summed in position order over the kinds the pattern cuts.
        double c = 0.0;
        for (int k = kb; k < ke; ++k) {
          const size_t i = static_cast<size_t>(nz_index[k]);
          const int64_t s = nz_count[k];
          int64_t prod = 0;
          double term;
          if (!__builtin_mul_overflow(s, wl[i], &prod)) {
            term = static_cast<double>(prod) / total1[i];
            if (has_div[i]) term = term / div2[i];
          } else {
            term = panels_math::CloseTerm(s, weight[i], left[i], maxq[i], req[i]);
          }
          c += term;
        }
        if (c < 0) continue;
        const double util = pool->Util(p);
        if (cost_opt) {
          c = (sarea2[ps] * c + 0.0001) / scost2[ps] + 1;
        } else {
          const double u = util / 100;
          const double u2 = u * u;
          if (FewPiecesPerKind) {
            const double u4 = u2 * u2;
            const double u8 = u4 * u4;
            c = u8 * c + 1;
          } else {
            c = u2 * c + 1;
          }
        }
        if (pp < best_prio || B <= 0) {
          best = p;
          B = c;
          best_prio = pp;
          continue;
        }
        // Tie-break between p and the best q so far of equal priority.
        const size_t qs = static_cast<size_t>(pool->Sheet(best));
        if (pending) {
          B = 1.0;
          c = 1.0;
        }
        if (pool->number[static_cast<size_t>(p)] > 0) c = c * (bundle ? 99 : 1.1);
        const double util_q = pool->Util(best);
        double a;
        double b;
        if (way == 1) {
          if (FewPiecesPerKind) {
            a = util * util * c + 1;
            b = util_q * util_q * B + 1;
          } else {
            a = util * c + 1;
            b = util_q * B + 1;
          }
        } else {
          a = util;
          b = util_q;
        }
        if (cost_opt) {
          a = (sarea2[ps] * a + 0.0001) / scost2[ps] + 1;
          b = (sarea2[qs] * b + 0.0001) / scost2[qs] + 1;
        }
        bool decided = false;
        bool p_wins = false;
        if (way == 2) {
          if (std::fabs((c + 1) / (B + 1) - 1) >= 0.05) {
            decided = true;
            p_wins = c > B;
          } else if (std::fabs((a + 1) / (b + 1) - 1) >= 0.004) {
            decided = true;
            p_wins = a > b;
          }
        } else {
          if (std::fabs(a / b - 1) >= 0.004) {
            decided = true;
            p_wins = a > b;
          } else if (std::fabs(c / B - 1) >= 0.004) {
            decided = true;
            p_wins = c > B;
          }
        }
        if (!decided) {
          const double ap = sarea[ps];
          const double aq = sarea[qs];
          if (std::fabs(ap / aq - 1) >= 0.05) {
            p_wins = ap < aq;
          } else {
            p_wins = ap / static_cast<double>(pool->Pieces(p)) >
                     aq / static_cast<double>(pool->Pieces(best));
          }
        }
        if (p_wins) {
          B = c;
          best = p;
          best_prio = pp;
        }
      }

      if (best >= 0) {
        ProgressStepMaybeRepaint();
        ++picks;
        for (int k = pool->NzBegin(best); k < pool->NzEnd(best); ++k) {
          left[static_cast<size_t>(nz_index[k])] -= nz_count[k];
        }
        ++pool->number[static_cast<size_t>(best)];
        --WorkSheets[static_cast<size_t>(pool->Sheet(best))];
        cut_since_regen = true;
        bool done = true;
        for (size_t i = 0; i < uk; ++i) {
          if (maxq[i] - left[i] < req[i]) {
            done = false;
            break;
          }
        }
        if (done) {
          flush_pool(*pool);
          success = true;
          break;
        }
        if (regenerations == 0 && picks % 5 == 1) {
          // Take back one bar of the poorest pattern cut so far.
          int worst = -1;
          double worst_value = 999.0;
          for (int p = 0; p < pool->Count(); ++p) {
            if (pool->number[static_cast<size_t>(p)] == 0) continue;
            double value = pool->Util(p);
            if (cost_opt) {
              const size_t ps = static_cast<size_t>(pool->Sheet(p));
              value = (sarea[ps] * value + 0.0001) / scostd[ps] + 1;
            }
            if (value < worst_value) {
              worst_value = value;
              worst = p;
            }
          }
          if (worst >= 0 && worst != best) {
            for (int k = pool->NzBegin(worst); k < pool->NzEnd(worst); ++k) {
              left[static_cast<size_t>(nz_index[k])] += nz_count[k];
            }
            --pool->number[static_cast<size_t>(worst)];
            ++WorkSheets[static_cast<size_t>(pool->Sheet(worst))];
          }
        }
        continue;
      }

      // Nothing selectable.
      flush_pool(*pool);
      met_nothing = true;
      bool left_zero = true;
      for (size_t i = 0; i < uk; ++i) {
        if (left[i] > 0) {
          left_zero = false;
          break;
        }
      }
      if (left_zero) {
        success = true;
        break;
      }
      sync_left_parts();
      WeightList.MinusSquare(LeftParts, parts, LeftParts, avgArea);
      if (regenerations >= 1 && !cut_since_regen) {
        picks = 0;
        if (unlimited) break;  // the pass failed
        unlimited = true;
        for (int s = 0; s < nsheets; ++s) {
          if (sheets[s].owner == PANEL_OWNER::owSheet) WorkSheets[static_cast<size_t>(s)] = 99999;
        }
        met_nothing = false;
        pool = &all_schemes;
        cut_since_regen = false;
        continue;
      }
      // Regenerate the pool for the remaining demand.
      picks = 0;
      all_seeds.parts = LeftParts;
      all_seeds.sheets = sheets;
      RegeneratedPool.Clear(kinds);
      ++regenerations;
      // The pool of the last allowed regeneration would never be used.
      if (regenerations >= max_regenerations_) break;  // the pass failed
      for (int s = 0; s < nsheets; ++s) {
        if (WorkSheets[static_cast<size_t>(s)] == 0) continue;
        AppendStockPatterns(RegeneratedPool, LeftParts, sheets[s], s, params.speed, gen_scratch);
      }
      if (RegeneratedPool.Count() > 1024) RegeneratedPool.SortUtilization(label_rank);
      pool = &RegeneratedPool;
      cut_since_regen = false;
    }

    // 5. End of the pass: order the trial plan and learn from it.
    Progress(TProgressKind::Step);
    TSchemes TrialPlan;
    TrialPlan.schemes.reserve(trial.size());
    for (const TrialEntry& e : trial) {
      TPacket pattern(parts);
      SetPatternHeader(pattern, sheets[e.sheet], e.bars);
      for (int i = 0; i < kinds; ++i)
        pattern.numbers[i].p_number = e.counts[static_cast<size_t>(i)];
      pattern.used_parts.RemoveAll();
      pattern.available_rects.RemoveAll();
      pattern.rFastUtil = pattern.UtRateShape();
      TrialPlan.schemes.push_back(std::move(pattern));
    }
    TrialPlan.SortByUtilizationDescending();
    const int n = TrialPlan.Count();
    if (n >= 2 && TrialPlan[n - 1].p_number > 0) {
      for (int k = 0; k < TrialPlan[n - 1].p_number; ++k) {
        WeightList.MinusSquare(TrialPlan[n - 1].numbers, parts, parts, avgArea);
      }
    }
    for (int pos = n - 2; pos >= n / 2 + 1; --pos) {
      for (int k = 0; k < TrialPlan[pos].p_number; ++k) {
        WeightList.MinusSquare(TrialPlan[pos].numbers, parts, parts, avgArea);
      }
    }
    for (int pos = 0; pos <= n / 2 - 1; ++pos) {
      for (int k = 0; k < TrialPlan[pos].p_number; ++k) {
        WeightList.PlusSquare(TrialPlan[pos].numbers, parts, parts, avgArea);
      }
    }

    // 6. Compare a successful trial with the best plan.
    if (!success) continue;
    if (!(seen_within_stock && unlimited)) {
      if (best_result.Empty() || CompareResult(best_result, TrialPlan) < 0) {
        best_result = std::move(TrialPlan);
        last_improving = r;
      }
    }
    if (pending && r - last_improving > 3 && !best_result.Empty()) break;
    if (nsheets == 1 && best_result.Count() == 1 && best_result[0].p_number == 1) break;
    if (!unlimited) seen_within_stock = true;
    if (static_cast<int64_t>(Now() - start_time) > params.time_limit_seconds) {
      TimeLimitReached = true;
      break;
    }
    if (Cancelled()) break;
  }

  if (best_result.Empty()) {
    std::string msg = params.texts.MSG_CANT_GET_RESULT;
    if (params.min_offcut_size > 0) msg.append("\r\nSetup Minimum Offcut Size to 0, try it again.");
    return msg;
  }
  std::erase_if(best_result.schemes, [](const TPacket& p) { return p.p_number == 0; });
  for (TPacket& p : best_result.schemes) p.SortUsedParts();
  m_rest_sheets = sheets;
  for (const TPacket& p : best_result.schemes) {
    T2DStock& rest = m_rest_sheets[p.p_id];
    rest.SetNegativeNumber(rest.p_number - p.p_number);
  }
  return {};
}

}  // namespace tralvin
