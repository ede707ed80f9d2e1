// TPacket: utilisation, waste and remainder of a cutting pattern, its free
// rectangles and the naming of its free area as offcuts.
#include "optimizer/packet.h"

#include <algorithm>
#include <string>
#include <utility>

namespace tralvin {

TPacket::TPacket() { available_rects.AddPanel(OwnRect()); }

TPacket::TPacket(const TPanels& p_numbers) : numbers(p_numbers) {
  for (T2DStock& e : numbers.Items()) e.p_number = 0;
  available_rects.AddPanel(OwnRect());
}

TPacket::TPacket(const TPacket& p_packet) : T2DStock() { Copy(p_packet); }

TPacket& TPacket::operator=(const TPacket& p_packet) {
  if (this != &p_packet) Copy(p_packet);
  return *this;
}

void TPacket::Copy(const TPacket& p_packet) {
  if (this == &p_packet) return;
  RemoveAll();
  T2DStock::Copy(p_packet);
  numbers = p_packet.numbers;
  used_parts = p_packet.used_parts;
  available_rects = p_packet.available_rects;
  rFastUtil = p_packet.rFastUtil;
}

T2DStock TPacket::OwnRect() const {
  T2DStock r;
  r.p_offset = p_offset;
  r.p_cx = p_cx;
  r.p_cy = p_cy;
  r.p_number = 1;
  r.p_id = 0;
  return r;
}

void TPacket::RemoveAll() {
  for (T2DStock& e : numbers.Items()) e.p_number = 0;
  available_rects.RemoveAll();
  available_rects.AddPanel(OwnRect());
  used_parts.RemoveAll();
  p_old_available_rects.RemoveAll();
}

double TPacket::UtRateShape() const {
  double used = 0.0;
  for (const T2DStock& e : numbers.Items()) {
    if (e.p_shape == PANEL_SHAPE::shAnyShape) {
      used += e.area() * static_cast<double>(e.p_number) * e.p_utli;
    } else {
      used += static_cast<double>(e.p_number) * e.area();
    }
  }
  return used / (static_cast<double>(p_cy) * static_cast<double>(p_cx)) * 100.0;
}

double TPacket::UtRateX(bool /*b_cost_optimize*/, double /*m_costrate*/) const {
  return UtRateShape();
}

double TPacket::UtRate(int32_t blade_width) const {
  int64_t used = 0;
  for (const T2DStock& e : numbers.Items()) used += static_cast<int64_t>(e.p_number) * e.p_cx;
  if (p_cx - used <= blade_width) return 100.0;
  return static_cast<double>(used) / static_cast<double>(p_cx) * 100.0;
}

double TPacket::GetWaste(int32_t blade_width) const {
  return static_cast<double>(p_cx) * static_cast<double>(p_cy) * (100.0 - UtRate(blade_width)) /
         100.0;
}

int32_t TPacket::GetLeft(int32_t blade_width) const {
  int64_t used = 0;
  for (const T2DStock& e : numbers.Items()) used += static_cast<int64_t>(e.p_number) * e.p_cx;
  const int64_t r = p_cx - used;
  if (r <= 0) return static_cast<int32_t>(std::max<int64_t>(r, INT32_MIN));
  return static_cast<int32_t>(std::max<int64_t>(r - blade_width, 0));
}

int64_t TPacket::PieceCount() const {
  int64_t n = 0;
  for (const T2DStock& e : numbers.Items()) n += e.p_number;
  return n;
}

namespace {

struct Rect {
  int64_t x0, y0, x1, y1;
  bool EmptyRect() const { return x1 <= x0 || y1 <= y0; }
  bool Contains(const Rect& o) const {
    return x0 <= o.x0 && y0 <= o.y0 && o.x1 <= x1 && o.y1 <= y1;
  }
  bool Intersects(const Rect& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

Rect ToRect(const T2DStock& r) {
  return {r.p_offset.x, r.p_offset.y, static_cast<int64_t>(r.p_offset.x) + r.p_cx,
          static_cast<int64_t>(r.p_offset.y) + r.p_cy};
}

T2DStock FromRect(const Rect& r) {
  T2DStock s;
  s.p_offset = {static_cast<int32_t>(r.x0), static_cast<int32_t>(r.y0)};
  s.p_cx = static_cast<int32_t>(r.x1 - r.x0);
  s.p_cy = static_cast<int32_t>(r.y1 - r.y0);
  s.p_number = 1;
  s.p_id = 0;
  return s;
}

void InsertFree(TPanels& list, const Rect& r) {
  if (r.EmptyRect()) return;
  for (const T2DStock& have : list.Items()) {
    if (ToRect(have).Contains(r)) return;
  }
  list.AddPanel(FromRect(r));
}

}  // namespace

void TPacket::RemoveRect(const T2DStock& placed) {
  const Rect p = ToRect(placed);
  p_old_available_rects = std::move(available_rects);
  available_rects = TPanels();
  for (const T2DStock& f : p_old_available_rects.Items()) {
    const Rect r = ToRect(f);
    if (!r.Intersects(p)) {
      InsertFree(available_rects, r);
      continue;
    }
    InsertFree(available_rects, {r.x0, r.y0, p.x0, r.y1});  // left of the placed one
    InsertFree(available_rects, {p.x1, r.y0, r.x1, r.y1});  // right of it
    InsertFree(available_rects, {r.x0, p.y1, r.x1, r.y1});  // above it
    InsertFree(available_rects, {r.x0, r.y0, r.x1, p.y0});  // below it
  }
  p_old_available_rects.RemoveAll();
}

void TPacket::AddOffcutPanel(const T2DStock& p_panel) {
  used_parts.AddPanel(p_panel);
  RemoveRect(p_panel);
}

void TPacket::GenAllAvailableRects() {
  available_rects.RemoveAll();
  available_rects.AddPanel(OwnRect());
  for (const T2DStock& u : used_parts.Items()) RemoveRect(u);
}

void TPacket::SortUsedParts() {
  std::stable_sort(used_parts.Items().begin(), used_parts.Items().end(),
                   [](const T2DStock& a, const T2DStock& b) {
                     if (a.p_offset.y != b.p_offset.y) return a.p_offset.y < b.p_offset.y;
                     return a.p_offset.x < b.p_offset.x;
                   });
}

void TPacket::FinishPattern(int32_t blade_width) {
  GenAllAvailableRects();
  int scrap = 1;
  int zero = 1;
  while (!available_rects.Empty()) {
    int best = 0;
    double best_value = -1.0;
    for (int i = 0; i < available_rects.Count(); ++i) {
      const T2DStock& r = available_rects[i];
      const double value = r.area() / (static_cast<double>(r.p_cx) + static_cast<double>(r.p_cy));
      if (value > best_value) {
        best_value = value;
        best = i;
      }
    }
    T2DStock offcut = available_rects[best];
    if (offcut.p_cx > blade_width && offcut.p_cy > blade_width) {
      offcut.p_lab = std::string("Scrap_").append(std::to_string(scrap++));
    } else {
      offcut.p_lab = std::string("ZEROOFFCUT_").append(std::to_string(zero++));
    }
    AddOffcutPanel(offcut);
  }
}

}  // namespace tralvin
