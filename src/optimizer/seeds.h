// TSeeds: the pattern generator. Lists the patterns of one stock bar for the
// search and proposes stock lengths for best dimension mode.
#pragma once

#include <array>
#include <cstdint>

#include "optimizer/panels.h"
#include "optimizer/schemes.h"

namespace tralvin {

class TSeeds {
 public:
  void RemoveAll();

  int32_t max_x() const { return p_max_x; }
  int32_t max_y() const { return p_max_y; }
  void SetMaxX(int32_t v) { p_max_x = v; }
  void SetMaxY(int32_t v) { p_max_y = v; }

  // Appends to `p_schemes` every maximal combination of piece counts that fits
  // the bar of `p_frame` (its `cx`), greedy first, in decreasing lexicographic
  // order, at most (speed + 1) * 128 + 1 patterns. Returns the number recorded.
  static int FindAllSchemes(const TPanels& p_parts, TPacket& p_frame, TSchemes& p_schemes,
                            int speed, bool b_rand = false, int n_side = 0, int m_nLevel = 0);
  // Proposes up to ten stock lengths between the bounds that many good patterns
  // fill exactly; returns how many were written to `pntestArray`.
  static int FindTheBestPanelDimension(const TPanels& p_parts, int32_t m_min_Length,
                                       int32_t m_max_length, std::array<int32_t, 10>& pntestArray);

  int32_t p_max_x = 0;
  int32_t p_max_y = 0;
  TPanels parts;
  TPanels sheets;
};

}  // namespace tralvin
