// TSchemes: a cutting plan, an ordered list of patterns. Also serves as a pool
// of candidate patterns, as a trial plan and as the best plan of a search.
#pragma once

#include <cstdint>
#include <vector>

#include "optimizer/packet.h"

namespace tralvin {

class TSchemes {
 public:
  TSchemes() { schemes.reserve(16); }

  int Count() const { return static_cast<int>(schemes.size()); }
  bool Empty() const { return schemes.empty(); }
  TPacket& operator[](int i) { return schemes.at(static_cast<size_t>(i)); }
  const TPacket& operator[](int i) const { return schemes.at(static_cast<size_t>(i)); }

  void RemoveAll() { schemes.clear(); }
  void Copy(const TSchemes& p_schemes) { schemes = p_schemes.schemes; }
  void AppendSchemes(const TSchemes& p_Schemes);
  void Delete(int pos);
  // Appends a copy of `p_scheme` after emptying its placed and free rectangles.
  void AddScheme(TPacket& p_scheme, bool b_1line = false, int m_nLevel = 0);
  // Adds bars to the plan: merges into the first pattern with the same stock
  // label that cuts the same pieces, else appends a copy. Nothing for 0 bars.
  void AddToResult(const TPacket& p_scheme);
  // AddToResult for each of `patterns` in turn.
  void AddAllToResult(const std::vector<TPacket>& patterns);

  // Utilisation of the plan in percent (0 for an empty plan).
  double GetURate(int32_t blade_width) const;
  // Nominal area of all bars.
  double GetTotalSheetArea(int32_t blade_width) const;
  // Total cost; a price per display unit of length in best dimension mode.
  double GetTotalCost(bool b_best_dimension, int32_t blade_width) const;
  // rFastUtil := UtRateShape, then stable by material type, stock label,
  // utilisation descending.
  void SortUtilization();
  // Stable order by UtRateShape descending.
  void SortByUtilizationDescending();

  std::vector<TPacket> schemes;
};

// True when both patterns cut the same pieces: every entry with a non-zero
// count in either has a partner of the same label and material type with the
// same count in the other.
bool SamePieces(const TPanels& a, const TPanels& b);

}  // namespace tralvin
