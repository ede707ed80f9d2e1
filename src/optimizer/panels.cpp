// TPanels: list handling, positional quantity arithmetic and the closeness
// score and weight adjustments of the search.
#include "optimizer/panels.h"

#include <cmath>
#include <limits>

namespace tralvin {

namespace panels_math {

int32_t RoundWeight(double value) {
  constexpr double kMax = static_cast<double>(std::numeric_limits<int32_t>::max());
  constexpr double kMin = static_cast<double>(std::numeric_limits<int32_t>::min());
  if (!(value < kMax)) return std::numeric_limits<int32_t>::max();
  if (value < kMin) return std::numeric_limits<int32_t>::min();
  // The default floating-point rounding mode rounds halves to even.
  return static_cast<int32_t>(std::nearbyint(value));
}

int32_t ClampWeight(int64_t value) {
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

double CloseTerm(int64_t s, int64_t w, int64_t left, int64_t total, int64_t req) {
  int64_t sw = 0;
  int64_t prod = 0;
  double term;
  if (!__builtin_mul_overflow(s, w, &sw) && !__builtin_mul_overflow(sw, left, &prod)) {
    term = static_cast<double>(prod);
  } else {
    term = static_cast<double>(static_cast<long double>(s) * static_cast<long double>(w) *
                               static_cast<long double>(left));
  }
  term = term / static_cast<double>(total + 1);
  const int64_t produced = total - left;
  if (produced >= req) term = term / static_cast<double>(produced - req + 1);
  return term;
}

}  // namespace panels_math

void TPanels::InsertPanel(int pos, const T2DStock& p_panel) {
  items_.insert(items_.begin() + pos, p_panel);
}

void TPanels::Delete(int pos) { items_.erase(items_.begin() + pos); }

void TPanels::Copy(const TPanels& p_panels) {
  if (this == &p_panels) return;
  items_ = p_panels.items_;
}

void TPanels::AppendPanels(const TPanels& p_Panels) {
  if (this == &p_Panels) {
    const std::vector<T2DStock> copy = p_Panels.items_;
    items_.insert(items_.end(), copy.begin(), copy.end());
    return;
  }
  items_.insert(items_.end(), p_Panels.items_.begin(), p_Panels.items_.end());
}

void TPanels::PlusNumberAt(const T2DStock& p_panel) {
  (*this)[p_panel.p_id].p_number += p_panel.p_number;
}

void TPanels::MinusNumberAt(const T2DStock& p_panel) {
  (*this)[p_panel.p_id].p_number -= p_panel.p_number;
}

void TPanels::Plus(const TPanels& p_panels) {
  for (int i = 0; i < Count(); ++i) PlusNumberAt(p_panels[i]);
}

void TPanels::Minus(const TPanels& p_panels) {
  for (int i = 0; i < Count(); ++i) MinusNumberAt(p_panels[i]);
}

int64_t TPanels::GetTotalNumber() const {
  int64_t total = 0;
  for (const T2DStock& p : items_) total += p.p_number;
  return total;
}

double TPanels::GetTotalArea() const {
  double total = 0.0;
  for (const T2DStock& p : items_) total += static_cast<double>(p.p_number) * p.area();
  return total;
}

bool TPanels::IsOverflow(const TPanels& p_panels) const {
  for (int i = 0; i < Count(); ++i) {
    if (items_[static_cast<size_t>(i)].p_number > p_panels[i].p_number) return true;
  }
  return false;
}

bool TPanels::IsEqual(const TPanels& p_panels) const {
  for (int i = 0; i < Count(); ++i) {
    if (items_[static_cast<size_t>(i)].p_number != p_panels[i].p_number) return false;
  }
  return true;
}

bool TPanels::IsEqualX(const TPanels& p_panels) const {
  for (const T2DStock& mine : items_) {
    const T2DStock* partner = nullptr;
    for (const T2DStock& other : p_panels.items_) {
      if (other.p_lab == mine.p_lab && other.MatType == mine.MatType) {
        partner = &other;
        break;
      }
    }
    if (partner == nullptr || partner->p_number != mine.p_number) return false;
  }
  return true;
}

bool TPanels::IsZero() const {
  for (const T2DStock& p : items_) {
    if (p.p_number > 0) return false;
  }
  return true;
}

int32_t TPanels::DividPanels(const TPanels& p_panels) const {
  int32_t result = 99999999;
  for (int i = 0; i < p_panels.Count(); ++i) {
    const int32_t d = p_panels[i].p_number;
    if (d == 0) continue;
    const int32_t q = (*this)[i].p_number / d;  // truncates toward zero
    if (q < result) result = q;
  }
  return result;
}

double TPanels::GetCloseRate(const TPanels& p_panels, const TPanels& p_TotalPanels,
                             const TPanels& p_powerPanels, const TPanels& p_MinPanels,
                             double /*rAverArea*/) const {
  double result = 0.0;
  for (int i = 0; i < Count(); ++i) {
    const int64_t s = items_[static_cast<size_t>(i)].p_number;
    const int64_t left = p_panels[i].p_number;
    if (s > left) return -1.0;
    result += panels_math::CloseTerm(s, p_powerPanels[i].p_number, left, p_TotalPanels[i].p_number,
                                     p_MinPanels[i].p_number);
  }
  return result;
}

void TPanels::MinusSquare(const TPanels& p_panels, const TPanels& p_totalpanels,
                          const TPanels& /*p_leftpanels*/, double /*m_averageArea*/) {
  if (p_totalpanels.Empty()) return;
  const int64_t avg = p_totalpanels.GetTotalNumber() / p_totalpanels.Count();
  const double davg = static_cast<double>(avg);
  for (int i = 0; i < Count(); ++i) {
    T2DStock& w = items_[static_cast<size_t>(i)];
    if (w.p_number > 9999999) continue;
    w.p_number = panels_math::RoundWeight((static_cast<double>(p_panels[i].p_number) / davg + 1.0) *
                                          static_cast<double>(w.p_number));
  }
}

void TPanels::PlusSquare(const TPanels& p_panels, const TPanels& p_totalpanels,
                         const TPanels& /*p_leftpanels*/, double /*m_averageArea*/) {
  const double total = static_cast<double>(p_totalpanels.GetTotalNumber());
  for (int i = 0; i < Count(); ++i) {
    T2DStock& w = items_[static_cast<size_t>(i)];
    if (w.p_number > 9999999) continue;
    w.p_number =
        panels_math::RoundWeight((1.0 - static_cast<double>(p_panels[i].p_number) / total) *
                                 static_cast<double>(w.p_number));
  }
}

}  // namespace tralvin
