// TSchemes: plan handling, merging bars into a plan, plan measures and the
// utilisation order of a plan.
#include "optimizer/schemes.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>

namespace tralvin {

bool SamePieces(const TPanels& a, const TPanels& b) {
  auto covered = [](const TPanels& x, const TPanels& y) {
    for (const T2DStock& e : x.Items()) {
      if (e.p_number == 0) continue;
      const T2DStock* partner = nullptr;
      for (const T2DStock& o : y.Items()) {
        if (o.p_lab == e.p_lab && o.MatType == e.MatType) {
          partner = &o;
          break;
        }
      }
      if (partner == nullptr || partner->p_number != e.p_number) return false;
    }
    return true;
  };
  return covered(a, b) && covered(b, a);
}

void TSchemes::AppendSchemes(const TSchemes& p_Schemes) {
  if (this == &p_Schemes) {
    const std::vector<TPacket> copy = p_Schemes.schemes;
    schemes.insert(schemes.end(), copy.begin(), copy.end());
    return;
  }
  schemes.insert(schemes.end(), p_Schemes.schemes.begin(), p_Schemes.schemes.end());
}

void TSchemes::Delete(int pos) { schemes.erase(schemes.begin() + pos); }

void TSchemes::AddScheme(TPacket& p_scheme, bool /*b_1line*/, int /*m_nLevel*/) {
  p_scheme.used_parts.RemoveAll();
  p_scheme.available_rects.RemoveAll();
  schemes.push_back(p_scheme);
}

namespace {

// The bars of `added` join `have`: the same stock label and the same pieces.
bool JoinsPattern(const TPacket& have, const TPacket& added) {
  return have.p_lab == added.p_lab && SamePieces(have.numbers, added.numbers);
}

}  // namespace

void TSchemes::AddToResult(const TPacket& p_scheme) {
  if (p_scheme.p_number == 0) return;
  for (TPacket& have : schemes) {
    if (JoinsPattern(have, p_scheme)) {
      have.p_number += p_scheme.p_number;
      return;
    }
  }
  schemes.push_back(p_scheme);
}

void TSchemes::AddAllToResult(const std::vector<TPacket>& patterns) {
  // The plan's patterns by stock label, in plan order: the first that cuts
  // the same pieces takes the bars, as AddToResult finds it.
  std::unordered_map<std::string, std::vector<size_t>> by_label;
  for (size_t k = 0; k < schemes.size(); ++k) by_label[schemes[k].p_lab].push_back(k);
  for (const TPacket& p : patterns) {
    if (p.p_number == 0) continue;
    std::vector<size_t>& same_label = by_label[p.p_lab];
    bool merged = false;
    for (const size_t k : same_label) {
      if (JoinsPattern(schemes[k], p)) {
        schemes[k].p_number += p.p_number;
        merged = true;
        break;
      }
    }
    if (merged) continue;
    same_label.push_back(schemes.size());
    schemes.push_back(p);
  }
}

double TSchemes::GetURate(int32_t blade_width) const {
  double used = 0.0;
  double total = 0.0;
  for (const TPacket& p : schemes) {
    const double n = static_cast<double>(p.p_number);
    used += (p.area() - p.GetWaste(blade_width)) * n;
    total += p.area() * n;
  }
  return used * 100.0 / (total + 0.000001);
}

double TSchemes::GetTotalSheetArea(int32_t blade_width) const {
  double total = 0.0;
  for (const TPacket& p : schemes) {
    total += p.real_area(blade_width) * static_cast<double>(p.p_number);
  }
  return total;
}

double TSchemes::GetTotalCost(bool b_best_dimension, int32_t blade_width) const {
  double total = 0.0;
  for (const TPacket& p : schemes) {
    if (b_best_dimension) {
      total += static_cast<double>(p.p_cost) *
               (static_cast<double>(p.real_cx(blade_width)) / 1000.0) *
               static_cast<double>(p.p_number);
    } else {
      total += static_cast<double>(p.p_cost) * static_cast<double>(p.p_number);
    }
  }
  return total;
}

void TSchemes::SortUtilization() {
  for (TPacket& p : schemes) p.rFastUtil = p.UtRateShape();
  std::stable_sort(schemes.begin(), schemes.end(),
                   [](const TPacket& a, const TPacket& b) { return a.rFastUtil > b.rFastUtil; });
  // Ordinal comparison of UTF-8 text is byte order (std::string compares as
  // unsigned char).
  std::stable_sort(schemes.begin(), schemes.end(), [](const TPacket& a, const TPacket& b) {
    if (a.MatType != b.MatType) return a.MatType < b.MatType;
    if (a.p_lab != b.p_lab) return a.p_lab < b.p_lab;
    return a.rFastUtil > b.rFastUtil;
  });
}

void TSchemes::SortByUtilizationDescending() {
  std::vector<std::pair<double, size_t>> keys;
  keys.reserve(schemes.size());
  for (size_t i = 0; i < schemes.size(); ++i) keys.emplace_back(schemes[i].UtRateShape(), i);
  std::stable_sort(keys.begin(), keys.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<TPacket> sorted;
  sorted.reserve(schemes.size());
  for (const auto& k : keys) sorted.push_back(std::move(schemes[k.second]));
  schemes = std::move(sorted);
}

}  // namespace tralvin
