// TSeeds: the pattern lists of one stock bar and the best stock length
// proposals of best dimension mode.
#include "optimizer/seeds.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "optimizer/enumerate.h"
#include "optimizer/search_tuning.h"

namespace tralvin {

void TSeeds::RemoveAll() {
  p_max_x = 0;
  p_max_y = 0;
  parts.RemoveAll();
  sheets.RemoveAll();
}

int TSeeds::FindAllSchemes(const TPanels& p_parts, TPacket& p_frame, TSchemes& p_schemes, int speed,
                           bool /*b_rand*/, int /*n_side*/, int m_nLevel) {
  const int kinds = p_parts.Count();
  std::vector<int32_t> cx(static_cast<size_t>(kinds));
  std::vector<int32_t> qty(static_cast<size_t>(kinds));
  std::vector<int32_t> counts(static_cast<size_t>(kinds));
  for (int i = 0; i < kinds; ++i) {
    cx[static_cast<size_t>(i)] = p_parts[i].p_cx;
    qty[static_cast<size_t>(i)] = p_parts[i].p_number;
  }
  const int limit = tuning::ListingLimit(speed);
  int recorded = 0;
  EnumerateCombinations(kinds, cx.data(), qty.data(), p_frame.p_cx, counts.data(),
                        [&](const int32_t* w, int32_t) {
                          for (int k = 0; k < kinds; ++k) p_frame.numbers[k].p_number = w[k];
                          p_schemes.AddScheme(p_frame, false, m_nLevel);
                          ++recorded;
                          return recorded <= limit;
                        });
  return recorded;
}

int TSeeds::FindTheBestPanelDimension(const TPanels& p_parts, int32_t m_min_Length,
                                      int32_t m_max_length, std::array<int32_t, 10>& pntestArray) {
  const int kinds = p_parts.Count();
  int32_t min_len = m_min_Length;
  for (const T2DStock& p : p_parts.Items()) {
    if (p.p_number > 0 && p.p_cx > min_len) min_len = p.p_cx;
  }
  std::vector<int32_t> cx(static_cast<size_t>(kinds));
  std::vector<int32_t> qty(static_cast<size_t>(kinds));
  std::vector<int32_t> counts(static_cast<size_t>(kinds));
  for (int i = 0; i < kinds; ++i) {
    cx[static_cast<size_t>(i)] = p_parts[i].p_cx;
    qty[static_cast<size_t>(i)] = p_parts[i].p_number;
  }

  // Used lengths with their repeat counts; only lengths that occur are kept,
  // so memory follows the number of patterns, not the length range.
  std::vector<std::pair<int32_t, int64_t>> hits;
  int64_t counted = 0;
  EnumerateCombinations(kinds, cx.data(), qty.data(), m_max_length, counts.data(),
                        [&](const int32_t* w, int32_t rest) {
                          const int32_t used = m_max_length - rest;
                          if (used >= min_len) {
                            int32_t times = 99999999;
                            for (int k = 0; k < kinds; ++k) {
                              if (w[k] == 0) continue;
                              const int32_t q = qty[static_cast<size_t>(k)] / w[k];
                              if (q < times) times = q;
                            }
                            if (times != 0) hits.emplace_back(used, times);
                          }
                          ++counted;
                          return counted <= 1048576;
                        });
  std::sort(hits.begin(), hits.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  // Merge equal lengths into one counter.
  std::vector<std::pair<int32_t, int64_t>> BestLengthHistogram;
  for (const auto& h : hits) {
    if (!BestLengthHistogram.empty() && BestLengthHistogram.back().first == h.first) {
      BestLengthHistogram.back().second += h.second;
    } else {
      BestLengthHistogram.push_back(h);
    }
  }

  // Window sum over the w lengths ending at L (from min_len when w is 0),
  // evaluated only where the table holds a count; elsewhere no candidate can
  // arise.
  const int64_t w = (static_cast<int64_t>(m_max_length) - min_len) / 128;
  struct Cand {
    int32_t length;
    int64_t sum;
  };
  std::vector<Cand> cands;
  auto sort_ten = [&cands]() {
    for (size_t i = 0; i < cands.size(); ++i) {
      for (size_t j = i + 1; j < cands.size(); ++j) {
        if (cands[j].sum > cands[i].sum) std::swap(cands[i], cands[j]);
      }
    }
  };
  int64_t window = 0;
  size_t tail = 0;  // first entry still inside the window
  for (size_t k = 0; k < BestLengthHistogram.size(); ++k) {
    const int32_t len = BestLengthHistogram[k].first;
    if (len > m_max_length) break;
    window += BestLengthHistogram[k].second;
    if (w > 0) {
      while (tail <= k && static_cast<int64_t>(BestLengthHistogram[tail].first) <= len - w) {
        window -= BestLengthHistogram[tail].second;
        ++tail;
      }
    }
    if (window == 0 || BestLengthHistogram[k].second == 0) continue;
    if (cands.size() < 10) {
      cands.push_back({len, window});
      if (cands.size() == 10) sort_ten();
    } else {
      cands[9] = {len, window};
      sort_ten();
    }
  }
  for (size_t i = 0; i < cands.size(); ++i) pntestArray[i] = cands[i].length;
  return static_cast<int>(cands.size());
}

}  // namespace tralvin
