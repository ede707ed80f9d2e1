// TPatternPool: the contiguous pattern store of the search and its conversion
// to plan patterns.
#include "optimizer/pattern_pool.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "optimizer/enumerate.h"
#include "optimizer/search_tuning.h"

namespace tralvin {

void SetPatternHeader(TPacket& pattern, const T2DStock& sheet, int32_t bars) {
  pattern.p_cx = sheet.p_cx;
  pattern.p_cy = sheet.p_cy;
  pattern.p_offset = TPoint{0, 0};
  pattern.p_number = bars;
  pattern.p_lab = sheet.p_lab;
  pattern.p_id = sheet.p_id;
  pattern.p_cost = sheet.p_cost;
  pattern.disp_XSize = sheet.disp_XSize;
  pattern.disp_YSize = sheet.disp_YSize;
  pattern.disp_Comment = sheet.disp_Comment;
  pattern.owner = sheet.owner;
  pattern.Priority = sheet.Priority;
}

void AppendStockPatterns(TPatternPool& pool, const TPanels& pieces, const T2DStock& stock,
                         int32_t sheet_pos, int speed, TPatternScratch& scratch) {
  const int kinds = pieces.Count();
  const size_t k = static_cast<size_t>(kinds);
  scratch.cx.resize(k);
  scratch.qty.resize(k);
  scratch.area.resize(k);
  for (int i = 0; i < kinds; ++i) {
    const size_t u = static_cast<size_t>(i);
    scratch.cx[u] = pieces[i].p_cx;
    scratch.qty[u] = pieces[i].p_number;
    scratch.area[u] = pieces[i].area();
  }
  const int limit = tuning::ListingLimit(speed);
  int recorded = 0;
  TSparseEnumerator& e = scratch.enumerator;
  e.Run(
      kinds, scratch.cx.data(), scratch.qty.data(), stock.p_cx,
      [&](const int32_t* nz_kind, const int32_t* nz_count, int nz) {
        pool.AddSparse(sheet_pos, nz_kind, nz_count, nz, e.Sum(), e.Pieces(), e.Mask(), stock.p_cx,
                       stock.p_cy);
        ++recorded;
        return recorded <= limit;
      },
      scratch.area.data());
}

void TPatternPool::Clear(int kinds) {
  kinds_ = kinds;
  number.clear();
  sheet_.clear();
  nz_begin_.assign(1, 0);
  nz_index_.clear();
  nz_count_.clear();
  util_.clear();
  pieces_.clear();
  mask_.clear();
  ForgetBlocks();
}

void TPatternPool::ForgetBlocks() {
  blocks_.clear();
  blocks_upto_ = 0;
}

// Makes the blocks of the patterns appended since the last call.
void TPatternPool::ExtendBlocks() const {
  for (int p = blocks_upto_; p < Count(); ++p) {
    if (blocks_.empty() || blocks_.back().sheet != Sheet(p) ||
        p - blocks_.back().begin >= kBlockPatterns) {
      blocks_.push_back({Sheet(p), p, p, 0});
    }
    blocks_.back().end = p + 1;
    blocks_.back().mask |= Mask(p);
  }
  blocks_upto_ = Count();
}

void TPatternPool::AddSparse(int32_t sheet_id, const int32_t* nz_kind, const int32_t* nz_count,
                             int nz, double used_area, int64_t pieces, uint64_t mask,
                             int32_t sheet_cx, int32_t sheet_cy) {
  sheet_.push_back(sheet_id);
  number.push_back(0);
  // A handful of entries: single appends beat a range insertion.
  for (int k = 0; k < nz; ++k) {
    nz_index_.push_back(nz_kind[k]);
    nz_count_.push_back(nz_count[k]);
  }
  nz_begin_.push_back(static_cast<uint32_t>(nz_index_.size()));
  util_.push_back(UtilOf(used_area, sheet_cx, sheet_cy));
  pieces_.push_back(pieces);
  mask_.push_back(mask);
}

void TPatternPool::SortUtilization(const std::vector<int>& label_rank) {
  const int n = Count();
  std::vector<int> order(static_cast<size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const int ra = label_rank[static_cast<size_t>(Sheet(a))];
    const int rb = label_rank[static_cast<size_t>(Sheet(b))];
    if (ra != rb) return ra < rb;
    return Util(a) > Util(b);
  });
  TPatternPool sorted;
  sorted.Clear(kinds_);
  sorted.sheet_.reserve(sheet_.size());
  sorted.util_.reserve(util_.size());
  sorted.pieces_.reserve(pieces_.size());
  for (int p : order) {
    sorted.sheet_.push_back(Sheet(p));
    sorted.number.push_back(number[static_cast<size_t>(p)]);
    for (int k = NzBegin(p); k < NzEnd(p); ++k) {
      sorted.nz_index_.push_back(nz_index_[static_cast<size_t>(k)]);
      sorted.nz_count_.push_back(nz_count_[static_cast<size_t>(k)]);
    }
    sorted.nz_begin_.push_back(static_cast<uint32_t>(sorted.nz_index_.size()));
    sorted.util_.push_back(Util(p));
    sorted.mask_.push_back(Mask(p));
    sorted.pieces_.push_back(Pieces(p));
  }
  *this = std::move(sorted);
}

std::vector<int32_t> TPatternPool::Counts(int p) const {
  std::vector<int32_t> out(static_cast<size_t>(kinds_));
  CountsInto(p, out.data());
  return out;
}

void TPatternPool::CountsInto(int p, int32_t* out) const {
  std::fill(out, out + kinds_, 0);
  for (int k = NzBegin(p); k < NzEnd(p); ++k) {
    out[nz_index_[static_cast<size_t>(k)]] = nz_count_[static_cast<size_t>(k)];
  }
}

void TPatternPool::AppendCopy(const TPatternPool& src, int p, int32_t sheet_id) {
  sheet_.push_back(sheet_id);
  number.push_back(0);
  for (int k = src.NzBegin(p); k < src.NzEnd(p); ++k) {
    nz_index_.push_back(src.nz_index_[static_cast<size_t>(k)]);
    nz_count_.push_back(src.nz_count_[static_cast<size_t>(k)]);
  }
  nz_begin_.push_back(static_cast<uint32_t>(nz_index_.size()));
  util_.push_back(src.Util(p));
  pieces_.push_back(src.Pieces(p));
  mask_.push_back(src.Mask(p));
}

void TPatternPool::AssignInOrder(const TPatternPool& src, const std::vector<int>& order) {
  Clear(src.kinds_);
  const size_t n = order.size();
  sheet_.resize(n);
  number.assign(n, 0);
  nz_begin_.resize(n + 1);
  nz_index_.resize(src.nz_index_.size());
  nz_count_.resize(src.nz_count_.size());
  util_.resize(n);
  pieces_.resize(n);
  mask_.resize(n);
  uint32_t at = 0;
  for (size_t k = 0; k < n; ++k) {
    const size_t p = static_cast<size_t>(order[k]);
    sheet_[k] = src.sheet_[p];
    for (uint32_t j = src.nz_begin_[p]; j < src.nz_begin_[p + 1]; ++j, ++at) {
      nz_index_[at] = src.nz_index_[j];
      nz_count_[at] = src.nz_count_[j];
    }
    nz_begin_[k + 1] = at;
    util_[k] = src.util_[p];
    pieces_[k] = src.pieces_[p];
    mask_[k] = src.mask_[p];
  }
  nz_index_.resize(at);
  nz_count_.resize(at);
}

void TPatternPool::AppendAll(const TPatternPool& src, int32_t sheet_id) {
  const size_t n = static_cast<size_t>(src.Count());
  sheet_.insert(sheet_.end(), n, sheet_id);
  number.insert(number.end(), n, 0);
  const uint32_t base = static_cast<uint32_t>(nz_index_.size());
  nz_index_.insert(nz_index_.end(), src.nz_index_.begin(), src.nz_index_.end());
  nz_count_.insert(nz_count_.end(), src.nz_count_.begin(), src.nz_count_.end());
  for (size_t p = 1; p <= n; ++p) nz_begin_.push_back(base + src.nz_begin_[p]);
  util_.insert(util_.end(), src.util_.begin(), src.util_.end());
  pieces_.insert(pieces_.end(), src.pieces_.begin(), src.pieces_.end());
  mask_.insert(mask_.end(), src.mask_.begin(), src.mask_.end());
}

namespace {

// How many pieces of a kind a list for `stock` takes into account: no more
// than are left, nor than fit one bar.
int32_t CapOf(const T2DStock& piece, const T2DStock& stock) {
  const int32_t cx = piece.p_cx;
  const int64_t fit = cx > 0 ? stock.p_cx / cx : std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::max<int64_t>(0, std::min<int64_t>(piece.p_number, fit)));
}

}  // namespace

void TPatternCache::MakeCaps(const TPanels& pieces, const T2DStock& stock) {
  const int kinds = pieces.Count();
  caps_.resize(static_cast<size_t>(kinds));
  for (int i = 0; i < kinds; ++i) caps_[static_cast<size_t>(i)] = CapOf(pieces[i], stock);
}

int64_t TPatternCache::Key(const T2DStock& stock) {
  return (static_cast<int64_t>(stock.p_cx) << 32) | static_cast<uint32_t>(stock.p_cy);
}

const TLengthPatterns* TPatternCache::Find(const TPanels& pieces, const T2DStock& stock) {
  const auto it = entries_.find(Key(stock));
  if (it == entries_.end()) return nullptr;
  const TLengthPatterns& entry = it->second;
  const int kinds = pieces.Count();
  if (entry.patterns.Kinds() != kinds || entry.caps.size() != static_cast<size_t>(kinds)) {
    return nullptr;
  }
  // Most lookups find other caps: compared up to the first that differs.
  for (int i = 0; i < kinds; ++i) {
    if (CapOf(pieces[i], stock) != entry.caps[static_cast<size_t>(i)]) return nullptr;
  }
  return &entry;
}

const TLengthPatterns& TPatternCache::Get(const TPanels& pieces, const T2DStock& stock, int speed) {
  const int kinds = pieces.Count();
  MakeCaps(pieces, stock);
  TLengthPatterns& entry = entries_[Key(stock)];
  if (entry.caps == caps_ && entry.patterns.Kinds() == kinds) return entry;
  entry.caps = caps_;
  entry.version = ++listings_;
  listed_.Clear(kinds);
  AppendStockPatterns(listed_, pieces, stock, 0, speed, scratch_);
  const int n = listed_.Count();
  keys_.resize(static_cast<size_t>(n));
  for (int p = 0; p < n; ++p) keys_[static_cast<size_t>(p)] = {listed_.Util(p), p};
  std::stable_sort(keys_.begin(), keys_.end(),
                   [](const std::pair<double, int>& a, const std::pair<double, int>& b) {
                     return a.first > b.first;
                   });
  order_.resize(static_cast<size_t>(n));
  for (int k = 0; k < n; ++k) order_[static_cast<size_t>(k)] = keys_[static_cast<size_t>(k)].second;
  entry.patterns.AssignInOrder(listed_, order_);
  entry.listing.resize(static_cast<size_t>(n));
  for (int k = 0; k < n; ++k)
    entry.listing[static_cast<size_t>(order_[static_cast<size_t>(k)])] = k;
  return entry;
}

TPacket TPatternPool::ToPacket(int p, const TPanels& parts, const TPanels& sheets,
                               int32_t bars) const {
  TPacket pattern(parts);
  SetPatternHeader(pattern, sheets[Sheet(p)], bars);
  for (int i = 0; i < kinds_; ++i) pattern.numbers[i].p_number = 0;
  for (int k = NzBegin(p); k < NzEnd(p); ++k) {
    pattern.numbers[nz_index_[static_cast<size_t>(k)]].p_number = nz_count_[static_cast<size_t>(k)];
  }
  pattern.used_parts.RemoveAll();
  pattern.available_rects.RemoveAll();
  pattern.rFastUtil = Util(p);
  return pattern;
}

TSchemes TPatternPool::ToSchemes(const TPanels& parts, const TPanels& sheets) const {
  TSchemes out;
  out.schemes.reserve(static_cast<size_t>(Count()));
  for (int p = 0; p < Count(); ++p) out.schemes.push_back(ToPacket(p, parts, sheets, 0));
  return out;
}

}  // namespace tralvin
