// TPanels: the ordered list of records of the optimiser, with the positional
// quantity arithmetic and the scoring operations of the search. Lists of one
// run share the piece order and are combined position by position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "optimizer/panel.h"

namespace tralvin {

class TPanels {
 public:
  TPanels() { items_.reserve(32); }
  TPanels(const TPanels&) = default;
  TPanels(TPanels&&) noexcept = default;
  TPanels& operator=(const TPanels&) = default;
  TPanels& operator=(TPanels&&) noexcept = default;

  // List handling. Every insertion stores a copy of the given record.
  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  T2DStock& operator[](int i) { return items_.at(static_cast<size_t>(i)); }
  const T2DStock& operator[](int i) const { return items_.at(static_cast<size_t>(i)); }
  std::vector<T2DStock>& Items() { return items_; }
  const std::vector<T2DStock>& Items() const { return items_; }
  void AddPanel(const T2DStock& p_panel) { items_.push_back(p_panel); }
  void InsertPanel(int pos, const T2DStock& p_panel);
  void Delete(int pos);
  void RemoveAll() { items_.clear(); }
  void Copy(const TPanels& p_panels);
  void AppendPanels(const TPanels& p_Panels);

  // Quantity arithmetic on `number`.
  void PlusNumberAt(const T2DStock& p_panel);
  void MinusNumberAt(const T2DStock& p_panel);
  void Plus(const TPanels& p_panels);
  void Minus(const TPanels& p_panels);
  int64_t GetTotalNumber() const;
  double GetTotalArea() const;

  // Positional tests over the positions of this list.
  bool IsOverflow(const TPanels& p_panels) const;
  bool IsEqual(const TPanels& p_panels) const;
  // Matched by label and material type instead of position.
  bool IsEqualX(const TPanels& p_panels) const;
  bool IsZero() const;
  int32_t DividPanels(const TPanels& p_panels) const;

  // Scores and weight adjustments of the search.
  double GetCloseRate(const TPanels& p_panels, const TPanels& p_TotalPanels,
                      const TPanels& p_powerPanels, const TPanels& p_MinPanels,
                      double rAverArea) const;
  void MinusSquare(const TPanels& p_panels, const TPanels& p_totalpanels,
                   const TPanels& p_leftpanels, double m_averageArea);
  void PlusSquare(const TPanels& p_panels, const TPanels& p_totalpanels,
                  const TPanels& p_leftpanels, double m_averageArea);

 private:
  std::vector<T2DStock> items_;
};

// Helpers shared by the list operations and the search's fast paths, so that
// both compute bit-identical values.
namespace panels_math {
// Round half to even; a value above the 32-bit range is stored as INT32_MAX.
int32_t RoundWeight(double value);
// Clamp a 64-bit weight into the stored 32-bit range.
int32_t ClampWeight(int64_t value);
// One term of the closeness score.
double CloseTerm(int64_t s, int64_t w, int64_t left, int64_t total, int64_t req);
}  // namespace panels_math

}  // namespace tralvin
