// TPacket: a cutting pattern. The header is the stock bar itself, `numbers`
// holds the pieces of each kind cut from one bar (aligned with the run's piece
// list) and the header's `number` counts the bars cut with the pattern.
#pragma once

#include <cstdint>

#include "optimizer/panel.h"
#include "optimizer/panels.h"

namespace tralvin {

class TPacket : public T2DStock {
 public:
  TPacket();
  // Empty pattern for the piece list `p_numbers`: every count 0.
  explicit TPacket(const TPanels& p_numbers);
  TPacket(const TPacket& p_packet);
  TPacket(TPacket&&) noexcept = default;
  TPacket& operator=(const TPacket& p_packet);
  TPacket& operator=(TPacket&&) noexcept = default;

  void Copy(const TPacket& p_packet);
  // Every count 0, free area back to the whole bar, no placed rectangles.
  void RemoveAll();

  // Utilisation by area in percent (the value the search caches in rFastUtil).
  double UtRateShape() const;
  double UtRateX(bool b_cost_optimize, double m_costrate) const;
  // Utilisation by length in percent; 100 when the remainder is not longer
  // than the blade width.
  double UtRate(int32_t blade_width) const;
  double GetWaste(int32_t blade_width) const;
  // Reusable remainder of one bar after the last piece has been cut off.
  int32_t GetLeft(int32_t blade_width) const;
  // Sum of the piece counts of one bar.
  int64_t PieceCount() const;

  // Places an offcut rectangle and removes its area from the free rectangles.
  void AddOffcutPanel(const T2DStock& p_panel);
  // Rebuilds the free rectangles: the bar minus every placed rectangle.
  void GenAllAvailableRects();
  // Orders `used_parts` by offset Y, then X (stable).
  void SortUsedParts();
  // Names the free area of the bar as offcut entries "Scrap_n" (both sides
  // longer than the blade width) or "ZEROOFFCUT_n". A pattern of this edition
  // gets one entry for the whole bar; a second call adds nothing.
  void FinishPattern(int32_t blade_width);

  TPanels p_old_available_rects;
  double rFastUtil = 0.0;
  TPanels numbers;
  TPanels used_parts;
  TPanels available_rects;

 private:
  T2DStock OwnRect() const;
  void RemoveRect(const T2DStock& placed);
};

}  // namespace tralvin
