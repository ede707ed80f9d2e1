// TPatternPool: candidate patterns of a stage held in contiguous arrays (stock
// position, the non-zero piece counts, cached utilisation, bars cut in the
// current pass) so that the search's greedy steps allocate nothing.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "optimizer/enumerate.h"
#include "optimizer/panels.h"
#include "optimizer/schemes.h"

namespace tralvin {

// A run of consecutive patterns of one stock in a pool (at most
// TPatternPool::kBlockPatterns), with the kinds its patterns cut.
struct TPatternBlock {
  int32_t sheet;
  int begin;
  int end;
  uint64_t mask;
};

// The utilisation (per cent) of a bar of `cx` by `cy` whose pieces cover
// `used_area`, as every pattern holds it.
inline double UtilOf(double used_area, int32_t cx, int32_t cy) {
  return used_area / (static_cast<double>(cy) * static_cast<double>(cx)) * 100.0;
}

class TPatternPool {
 public:
  // Empties the pool for patterns of `kinds` piece kinds.
  void Clear(int kinds);
  int Count() const { return static_cast<int>(sheet_.size()); }
  int Kinds() const { return kinds_; }

  // Appends a pattern of the stock at position `sheet_id` from its `nz`
  // non-zero counts (kinds ascending), with their pieces' area summed in
  // that order, their number of pieces and their kind bits (as
  // TSparseEnumerator keeps them). `rFastUtil` becomes the pattern's
  // UtRateShape, from the area and the stock's width and length.
  void AddSparse(int32_t sheet_id, const int32_t* nz_kind, const int32_t* nz_count, int nz,
                 double used_area, int64_t pieces, uint64_t mask, int32_t sheet_cx,
                 int32_t sheet_cy);

  int32_t Sheet(int p) const { return sheet_[static_cast<size_t>(p)]; }
  // The pattern's count of every kind.
  std::vector<int32_t> Counts(int p) const;
  void CountsInto(int p, int32_t* out) const;
  // Non-zero entries of pattern p: positions and counts, ascending position.
  int NzBegin(int p) const { return static_cast<int>(nz_begin_[static_cast<size_t>(p)]); }
  int NzEnd(int p) const { return static_cast<int>(nz_begin_[static_cast<size_t>(p) + 1]); }
  const int32_t* NzIndex() const { return nz_index_.data(); }
  const int32_t* NzCount() const { return nz_count_.data(); }
  double Util(int p) const { return util_[static_cast<size_t>(p)]; }
  // The kinds the pattern cuts as bits (kinds 0 .. 63; see HasMasks).
  uint64_t Mask(int p) const { return mask_[static_cast<size_t>(p)]; }
  bool HasMasks() const { return kinds_ <= 64; }
  const uint64_t* Masks() const { return mask_.data(); }
  // The pool as runs of patterns of one stock, in pool order. Long runs are
  // split so that the search can skip parts of a stock's patterns.
  static constexpr int kBlockPatterns = 32;
  // The pool as runs of patterns of one stock, in pool order.
  const std::vector<TPatternBlock>& Blocks() const {
    if (blocks_upto_ != Count()) ExtendBlocks();
    return blocks_;
  }
  int64_t Pieces(int p) const { return pieces_[static_cast<size_t>(p)]; }

  // Bars cut with each pattern in the current pass.
  std::vector<int32_t> number;

  // Stable order by stock label rank ascending, then utilisation descending
  // (the order SortUtilization gives patterns of one material type).
  // `label_rank[s]` orders the stock labels.
  void SortUtilization(const std::vector<int>& label_rank);

  // Appends pattern p of `src` (same kinds) as a pattern of the stock at
  // position `sheet_id`.
  void AppendCopy(const TPatternPool& src, int p, int32_t sheet_id);
  // Becomes the patterns of `src` in the order of their positions `order`
  // (every position of `src` once; bars 0).
  void AssignInOrder(const TPatternPool& src, const std::vector<int>& order);
  // Appends every pattern of `src` (same kinds), in its order, as patterns of
  // the stock at position `sheet_id`.
  void AppendAll(const TPatternPool& src, int32_t sheet_id);

  // The pattern as a TPacket: header from `sheets[Sheet(p)]` with `number`
  // bars, entries copies of `parts` with the counts.
  TPacket ToPacket(int p, const TPanels& parts, const TPanels& sheets, int32_t bars) const;
  // All patterns with 0 bars, in pool order.
  TSchemes ToSchemes(const TPanels& parts, const TPanels& sheets) const;

 private:
  int kinds_ = 0;
  std::vector<int32_t> sheet_;
  std::vector<uint32_t> nz_begin_{0};
  std::vector<int32_t> nz_index_;
  std::vector<int32_t> nz_count_;
  std::vector<double> util_;
  std::vector<int64_t> pieces_;
  std::vector<uint64_t> mask_;
  // The blocks of the first blocks_upto_ patterns: appends extend them.
  mutable std::vector<TPatternBlock> blocks_;
  mutable int blocks_upto_ = 0;
  void ForgetBlocks();
  void ExtendBlocks() const;
};

// Reusable buffers of AppendStockPatterns.
struct TPatternScratch {
  std::vector<int32_t> cx, qty;
  std::vector<double> area;
  TSparseEnumerator enumerator;
};

// Appends the patterns of `stock` for the quantities of `pieces`, exactly as
// TSeeds::FindAllSchemes lists them (at most (speed + 1) * 128 + 1).
// `sheet_pos` is the stock's position in the stock list.
void AppendStockPatterns(TPatternPool& pool, const TPanels& pieces, const T2DStock& stock,
                         int32_t sheet_pos, int speed, TPatternScratch& scratch);

// The patterns of one stock length for the quantities a regeneration asks
// for, held in order of utilisation descending (stable), so that a stock's
// list can be appended to a pool as one run.
struct TLengthPatterns {
  std::vector<int32_t> caps;  // per kind: the most pieces one bar can take
  TPatternPool patterns;
  std::vector<int> listing;  // the patterns' positions in listing order
  uint64_t version = 0;      // new for every listing
};

// The patterns of every stock length met in a search, kept while the
// quantities allow: the listing depends only on each kind's cap, the smaller
// of its remaining quantity and what fits one bar, so a stock length's list
// is made again only when one of its caps changes. Stocks of one length share
// it.
class TPatternCache {
 public:
  const TLengthPatterns& Get(const TPanels& pieces, const T2DStock& stock, int speed);
  // The stock length's list if it is made for these quantities, or null.
  const TLengthPatterns* Find(const TPanels& pieces, const T2DStock& stock);
  // How many lists were made so far: Find's answer for the same pieces and
  // stock changes only when this does.
  uint64_t Listings() const { return listings_; }

 private:
  std::unordered_map<int64_t, TLengthPatterns> entries_;  // by stock length and width
  void MakeCaps(const TPanels& pieces, const T2DStock& stock);
  static int64_t Key(const T2DStock& stock);
  std::vector<int32_t> caps_;
  TPatternScratch scratch_;
  TPatternPool listed_;
  std::vector<int> order_;
  std::vector<std::pair<double, int>> keys_;  // utilisation, listing position
  uint64_t listings_ = 0;
};

// The header of a pattern cut from `sheet`: the fields a new pattern takes
// from its stock, with `number` bars.
void SetPatternHeader(TPacket& pattern, const T2DStock& sheet, int32_t bars);

}  // namespace tralvin
