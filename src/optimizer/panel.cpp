// T2DStock: copying and the display-text helpers of the optimiser's record.
#include "optimizer/panel.h"

#include <numbers>

namespace tralvin {

T2DStock::T2DStock(const T2DStock& p_panel) { Copy(p_panel); }

T2DStock& T2DStock::operator=(const T2DStock& p_panel) {
  if (this != &p_panel) Copy(p_panel);
  return *this;
}

void T2DStock::Copy(const T2DStock& p_panel) {
  p_id = p_panel.p_id;
  p_cx = p_panel.p_cx;
  p_max_cx = p_panel.p_max_cx;
  p_cy = p_panel.p_cy;
  p_can_rotate = p_panel.p_can_rotate;
  p_offset = p_panel.p_offset;
  p_lab = p_panel.p_lab;
  p_number = p_panel.p_number;
  p_cost = p_panel.p_cost;
  p_utli = p_panel.p_utli;
  p_single = p_panel.p_single;
  p_shape = p_panel.p_shape;
  p_profile_id = p_panel.p_profile_id;
  p_profile_rm = p_panel.p_profile_rm;
  disp_XSize = p_panel.disp_XSize;
  disp_YSize = p_panel.disp_YSize;
  disp_Comment = p_panel.disp_Comment;
  MatType = p_panel.MatType;
  Priority = p_panel.Priority;
  owner = p_panel.owner;
  bReverse = p_panel.bReverse;
}

void T2DStock::CopyExtInfo(const T2DStock& p_panel) {
  if (bReverse) {
    disp_XSize = p_panel.disp_YSize;
    disp_YSize = p_panel.disp_XSize;
  } else {
    disp_XSize = p_panel.disp_XSize;
    disp_YSize = p_panel.disp_YSize;
  }
  disp_Comment = p_panel.disp_Comment;
  MatType = p_panel.MatType;
}

void T2DStock::RemoveDispValue() {
  disp_XSize.clear();
  disp_YSize.clear();
  MatType.clear();
  disp_Comment.clear();
}

double T2DStock::ext_real_area(int32_t blade_width) const {
  double a = real_area(blade_width);
  if (p_shape == PANEL_SHAPE::shCirc) a = a * std::numbers::pi / 4.0;
  return a;
}

}  // namespace tralvin
