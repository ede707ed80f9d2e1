// T2DStock: the one record of the optimiser. The same record describes a stock
// bar, a piece kind, the header of a cutting pattern and an entry of a
// pattern's piece counts; the list that holds it and `owner` give its role.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace tralvin {

enum class PANEL_SHAPE { shRect, shCirc, shAnyShape };
enum class PANEL_OWNER { owSheet, owOffcut, owPart, owNone };

struct TPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const TPoint&) const = default;
};

class T2DStock {
 public:
  T2DStock() = default;
  // A new record with default strings that takes every value of `p_panel`
  // through Copy (so `disp_SlotNO` stays empty).
  T2DStock(const T2DStock& p_panel);
  T2DStock(T2DStock&&) noexcept = default;
  // Same as Copy: every field except `disp_SlotNO`.
  T2DStock& operator=(const T2DStock& p_panel);
  T2DStock& operator=(T2DStock&&) noexcept = default;
  virtual ~T2DStock() = default;

  // Copies every field from `p_panel` except `disp_SlotNO`.
  void Copy(const T2DStock& p_panel);
  // Copies the display texts of a piece kind into an entry of a finished plan
  // (length/width texts crosswise when this record is reversed).
  void CopyExtInfo(const T2DStock& p_panel);
  // Clears the length/width texts, the comment and the material type.
  void RemoveDispValue();
  // The one setter that may store a negative quantity (remaining stocks).
  void SetNegativeNumber(int32_t m_number) { p_number = m_number; }

  // Property-style readers.
  int32_t id() const { return p_id; }
  int32_t cx() const { return p_cx; }
  int32_t max_cx() const { return p_max_cx; }
  int32_t cy() const { return p_cy; }
  const std::string& lab() const { return p_lab; }
  int32_t number() const { return p_number; }
  int32_t cost() const { return p_cost; }

  // Plain setters: store the value unchanged.
  void SetId(int32_t v) { p_id = v; }
  void SetLab(std::string v) { p_lab = std::move(v); }
  void SetCx(int32_t v) { p_cx = v; }
  void SetMaxCx(int32_t v) { p_max_cx = v; }
  void SetCy(int32_t v) { p_cy = v; }
  void SetNumber(int32_t v) { p_number = v; }
  void SetCost(int32_t v) { p_cost = v; }
  void SetShape(PANEL_SHAPE v) { p_shape = v; }
  void SetOffset(TPoint v) { p_offset = v; }

  // Derived values. Areas are products of doubles, never 32-bit products.
  double area() const { return static_cast<double>(p_cx) * static_cast<double>(p_cy); }
  int32_t real_cx(int32_t blade_width) const { return p_cx - blade_width; }
  int32_t real_cy(int32_t blade_width) const { return p_cy - blade_width; }
  double real_area(int32_t blade_width) const {
    return static_cast<double>(real_cx(blade_width)) * static_cast<double>(real_cy(blade_width));
  }
  double ext_real_area(int32_t blade_width) const;

  int32_t p_id = -1;
  int32_t p_cx = 0;
  int32_t p_max_cx = 0;
  int32_t p_cy = 0;
  bool p_can_rotate = true;
  TPoint p_offset;
  std::string p_lab;
  int32_t p_number = 0;
  int32_t p_cost = 1;
  double p_utli = 1.0;
  bool p_single = true;
  PANEL_SHAPE p_shape = PANEL_SHAPE::shRect;
  int32_t p_profile_id = -1;
  int32_t p_profile_rm = 1;
  std::string disp_XSize;
  std::string disp_YSize;
  std::string disp_SlotNO;
  std::string disp_Comment;
  std::string MatType;
  int32_t Priority = 0;
  PANEL_OWNER owner = PANEL_OWNER::owNone;
  bool bReverse = false;
};

}  // namespace tralvin
