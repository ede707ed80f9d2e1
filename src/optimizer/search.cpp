// TOptimize2d::GenBestResultClosest: the best-plan search of one stage. Many
// greedy trial plans are built from the candidate patterns; per-kind weights
// steer the choice and learn from the quality of each trial.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <string>
#include <unordered_map>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "optimizer/optimize2d.h"
#include "optimizer/search_tuning.h"

namespace tralvin {

namespace {

// A pattern of the trial plan being built: its stock, its counts and its bars.
struct TrialEntry {
  int32_t sheet;
  int32_t bars;
  std::vector<int32_t> counts;
};

#if defined(__SSE2__)
// Of the two kind masks at `masks`: all bits set in the lane of each that has
// none of the bits of `kinds2` (SSE2 compares 32-bit halves, so both halves
// of a lane must be zero).
inline __m128d CutsNoneOf(const uint64_t* masks, __m128i kinds2) {
  const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(masks));
  const __m128i zero = _mm_cmpeq_epi32(_mm_and_si128(m, kinds2), _mm_setzero_si128());
  return _mm_castsi128_pd(_mm_and_si128(zero, _mm_shuffle_epi32(zero, _MM_SHUFFLE(2, 3, 0, 1))));
}

// Per lane: `a` where `pick` has all bits set, else `b`.
inline __m128d Select(__m128d pick, __m128d a, __m128d b) {
  return _mm_or_pd(_mm_and_pd(pick, a), _mm_andnot_pd(pick, b));
}
#endif

// What the greedy steps of a pass do next.
enum class StepOutcome { Continue, Success, Failed };

}  // namespace

// The search of one stage: the facts of kinds and stocks, the state of the
// pass being built and the named steps that build, score and learn from it.
class ClosestSearch {
 public:
  ClosestSearch(TOptimize2d& opt, int way, std::vector<TPacket>* spare_patterns);
  std::string Run();

 private:
  // Facts of the stage.
  void InitKinds();
  void InitStocks();
  void InitLabels();
  // Pass level.
  bool ChooseWeights(int r);
  bool StopForStagnation(int r) const;
  void ResetPass();
  void RunPass();
  void GreedyPass();
  void KeepPassRecord();
  void ReplayPass();
  void SetLeftParts(const std::vector<int32_t>& left);
  std::vector<int32_t> LeftCounts() const;
  TSchemes BuildTrialPlan();
  TPacket TakeSparePattern();
  void RecyclePatterns(TSchemes& plan);
  void LearnFrom(const TSchemes& trial_plan);
  bool ScoreTrial(int r, TSchemes& trial_plan);
  std::string Finish();
  // Greedy step level.
  void RefreshDemandTerms();
  int ChoosePattern(int way);
  double Closeness(int p) const;
  double ClosenessIn(const TPatternPool& pool, int p) const;
  const std::vector<double>& TopUtils();
  void OrderRates();
  double CheapBlockBound(size_t k, uint64_t exhausted, int way);
  double CloseTerm(size_t i, int64_t s) const;
  double ScaledScore(int p, double c) const;
  double ScaledScoreAt(double util, size_t ps, double c) const;
  bool PreferOver(int p, double c, int best, double best_c, double best_lead, int way) const;
  double LeadScore(int p, double c, int way) const;
  double LeadScoreAt(double util, size_t ps, double c, int way) const;
  // The choice of a greedy step so far.
  struct Choice {
    double B = 0.0;
    int best = -1;
    int32_t best_prio = std::numeric_limits<int32_t>::max();
    uint64_t exhausted = 0;  // kinds with nothing left
    // Kinds some pattern of the pool cuts more of than are left: a pattern
    // cutting none of them cannot overflow (all kinds without kind masks).
    uint64_t tight = ~uint64_t{0};
    // LeadScore of the best pattern as the tie-break compares it (with
    // improvement passes pending: with a score of 1).
    double best_lead = 0.0;
    // Patterns of the best priority whose value (see LoseValue) is at most
    // this lose the tie-break against the best pattern.
    double lose_below = -std::numeric_limits<double>::infinity();
  };
  // The largest first-test value of a block's selectable patterns for one
  // way (-1: unknown).
  struct BlockBound {
    int way = -1;
    double value = 0.0;
    void Include(double v) {
      if (std::isnan(v)) way = -1;
      if (v > value) value = v;
    }
  };
  // Over kGroupBlocks consecutive blocks: the lowest priority and the largest
  // bound of those with bars left, so that the choice skips them together.
  // An unknown group never skips.
  static constexpr size_t kGroupBlocks = 16;
  static_assert(kGroupBlocks <= 16, "a group's live blocks are the bits of a uint16_t");
  struct GroupBound {
    int32_t min_prio = std::numeric_limits<int32_t>::min();
    double value = std::numeric_limits<double>::infinity();
  };
  std::vector<GroupBound>& GroupBounds() {
    return pool_ == &RegeneratedPool ? regen_group_bounds_ : all_group_bounds_;
  }
  void ForgetGroupsOfStock(size_t s);
  Choice StartChoice() const;
  bool SkipGroup(const GroupBound& gb, const Choice& choice, bool may_skip) const;
  GroupBound ChooseInBlocks(size_t begin, size_t end, int way, bool cheap, bool may_skip,
                            Choice& choice);
  GroupBound ChooseInLiveBlocks(size_t g, int way, bool cheap, bool may_skip, Choice& choice);
  void VisitBlock(size_t k, int32_t pp, int way, bool cheap, bool may_skip, Choice& choice,
                  GroupBound& sum);
  // The first pool's blocks of stocks with bars left, as bits per group.
  void MarkLiveBlocks();
  void SetStockLive(size_t s, bool live);
  size_t GroupOfBlock(size_t k) const;
  void Take(Choice& choice, int p, double c, int32_t pp, int way) const;
  BlockBound ScanBlock(size_t k, int32_t pp, int way, Choice& choice);
  uint32_t Candidates(int first, int end, uint64_t exhausted, double skip, double& top) const;
  void RecheckAfter(int begin, int p, int end, uint64_t exhausted, double skip, double& mask_skip,
                    uint32_t& pending) const;
  void ForgetStaleBounds(size_t k);
  double LoseValue(int p, int way) const;
  bool ValueLoses(double v, const Choice& choice, int way) const;
  double LoseThreshold(const Choice& choice, int way) const;
  double SkipBelow(const Choice& choice, int32_t pp) const;
  void ResetLoseValues();
  void InvalidateBounds(uint64_t kinds);
  void RaiseBlockBound(int p);
  // True when the pool's values (LoseValue) do not depend on the scores.
  bool FixedValues() const { return pending_ || (pool_ != &RegeneratedPool && way_ == 0); }
  std::vector<BlockBound>& BlockBounds() {
    return pool_ == &RegeneratedPool ? regen_block_bounds_ : all_block_bounds_;
  }
  std::vector<double>& Bounds() { return pool_ == &RegeneratedPool ? regen_bounds_ : all_bounds_; }
  std::vector<int64_t>& Stamps() { return pool_ == &RegeneratedPool ? regen_stamp_ : all_stamp_; }
  std::vector<double>& LoseValues() { return pool_ == &RegeneratedPool ? regen_lose_ : all_lose_; }
  StepOutcome CutBar(int best);
  void TakeBackPoorest(int best);
  uint64_t RisenKinds(int best, int worst) const;
  StepOutcome NothingSelectable();
  StepOutcome Regenerate();
  bool ScoreListings();
  void ScoreListing(int s);
  bool TopMayHaveFallen(size_t s) const;
  double ValueNow(double util, size_t ps, double closeness) const;
  double ValueBound(double util, double fraction, size_t ps, double closeness) const;
  bool FitsLeft(const int32_t* kind, const int32_t* count, int nz) const;
  bool Fits(const TPatternPool& pool, int p) const;
  int ChooseRegenerated(int way);
  bool UnitMayWin(size_t u, const Choice& choice) const;
  void ListUnit(size_t u);
  void ListStock(int s);
  void AppendUnit(size_t u);
  void AppendRegenerated(const TLengthPatterns& entry, int p, int32_t sheet);
  // The bounds and values of the last `n` patterns of the regenerated pool,
  // copies of the stock's patterns from position `first` on.
  void NoteRegenerated(int first, int n, int32_t sheet);
  void KeepRegeneratedBounds();
  void FlushPool();
  void SyncLeftParts();

  TOptimize2d& opt_;
  const int way_;
  const int kinds_;
  const int nsheets_;
  const size_t uk_;
  const bool cost_opt_;
  const bool bundle_;
  const bool pending_;

  // Per kind: maximum, requirement, maximum + 1.
  std::vector<int64_t> maxq_, req_;
  std::vector<double> total1_;
  // Per stock: priority, area, area², cost, cost², label identity (equal
  // labels merge) and label rank (pool order).
  std::vector<int32_t> prio_, label_id_;
  std::vector<double> sarea_, sarea2_, scostd_, scost2_;
  std::vector<int> label_rank_;

  // Search state.
  TPanels WeightList;
  TPanels PassWeights;
  double avgArea_ = 0.0;
  int family_ = -1;
  int last_improving_ = -1;
  bool best_is_own_ = false;  // the best plan is a trial plan of this search
  double start_time_ = 0.0;
  bool seen_within_stock_ = false;
  int max_passes_ = 0;

  // State of the pass being built.
  std::vector<int64_t> left_, weight_, wl_;
  std::vector<double> div2_;
  // Per kind: the largest closeness term per unit of piece area (see
  // CheapBlockBound), and the pieces' areas.
  std::vector<double> term_per_area_, part_area_;
  // The kinds (below 64) by term per area, largest first, when none is NaN.
  std::vector<int32_t> rate_order_;
  bool rates_ordered_ = false;
  bool order_rates_ = false;
  // Closeness terms of 1 .. kTermCounts - 1 pieces per kind, for the pieces
  // left in terms_left_.
  static constexpr int32_t kTermCounts = 32;
  std::vector<double> terms_;
  std::vector<int64_t> terms_left_;
  std::vector<char> has_div_;
  std::vector<int32_t> WorkSheets;
  TPanels LeftParts;  // the pieces still allowed, as a list for the weight updates
  TPatternPool RegeneratedPool;
  TPatternCache pattern_cache_;
  // Changes with every change of LeftParts' quantities.
  uint64_t left_parts_version_ = 0;
  // Per stock: LeftParts' version and the cache's listings when the cache
  // last had no list for it (see ScoreListing).
  std::vector<std::pair<uint64_t, uint64_t>> unlisted_at_;
  std::vector<const TLengthPatterns*> stock_patterns_;  // per stock, this regeneration
  std::vector<int> rank_order_;                         // stocks by label rank, stable
  // Units: the stocks of one label rank, rank_order_[unit_begin_[u] ..
  // unit_begin_[u + 1] - 1]; their patterns are merged in a pool.
  std::vector<size_t> unit_begin_;
  std::vector<int32_t> unit_of_sheet_;
  std::vector<size_t> merge_pos_;
  // A large regenerated pool is listed unit by unit, when a unit may win a
  // step (see ChooseRegenerated): per stock the number of its patterns and
  // the largest value any of them shows at the regeneration, per unit
  // whether it is listed and its blocks (groups are units then).
  bool lazy_regen_ = false;
  std::vector<int32_t> stock_count_;
  std::vector<double> stock_top_;
  std::vector<char> unit_listed_;
  // Per stock: the kinds of the pattern that showed stock_top_, and when.
  std::vector<uint64_t> stock_top_mask_;
  std::vector<int64_t> stock_top_clock_;
  std::vector<std::pair<size_t, size_t>> unit_blocks_;
  // The pieces left at the regeneration as the enumeration reads them.
  std::vector<int32_t> regen_cx_, regen_qty_;
  std::vector<double> regen_area_;
  TSparseEnumerator enumerator_;
  // Score bounds carried from one regenerated pool to the next: per stock,
  // per pattern of its length's listing, valid for one listing in one pass.
  std::vector<int32_t> regen_origin_;  // per pattern of the regenerated pool
  std::vector<std::vector<double>> stock_bounds_;
  std::vector<std::pair<uint64_t, int>> stock_bounds_key_;  // listing version, pass
  int pass_id_ = 0;
  int regen_pass_ = -1;
  bool seeds_have_sheets_ = false;
  std::vector<TrialEntry> trial_;
  // Patterns of earlier trial plans that no plan kept: a new trial plan
  // refills them instead of copying the piece list into fresh patterns.
  std::vector<TPacket> own_spare_patterns_;
  std::vector<TPacket>& spare_patterns_;
  TPatternPool* pool_ = nullptr;
  std::vector<int32_t> flush_counts_;
  std::vector<int> cut_;  // the patterns of the pool with bars in this pass
  // Per pattern of either pool: its score when last computed in this pass.
  // Weights stay fixed in a pass and the score of a pattern only falls as
  // pieces are cut, so it bounds the current score from above until pieces
  // are taken back. bounds_hold_ is false when a weight could break that.
  std::vector<double> all_bounds_, regen_bounds_;
  std::vector<double> all_top_util_, regen_top_util_;  // see TopUtils
  std::vector<BlockBound> all_block_bounds_, regen_block_bounds_;
  std::vector<GroupBound> all_group_bounds_, regen_group_bounds_;
  // Per group of the first pool: bit j set when block j of the group belongs
  // to a stock with bars left; and stock s's blocks, stock_block_begin_[s]
  // up to stock_block_begin_[s + 1] (the first pool lists the stocks'
  // patterns stock by stock, in stock order).
  std::vector<uint16_t> all_live_;
  std::vector<uint32_t> stock_block_begin_;
  // Per block of the first pool: the kinds whose pieces were taken back since
  // its scores were last forgotten (see InvalidateBounds).
  std::vector<uint64_t> stale_kinds_;
  // When a score was computed, on a clock that ticks whenever pieces are cut
  // or taken back: per pattern of either pool, and per kind the last change
  // of its pieces left. A score newer than every change of its kinds is
  // exact (the weights stay fixed in a pass) and is not computed again.
  std::vector<int64_t> all_stamp_, regen_stamp_, kind_changed_;
  // Per kind: the most pieces one pattern of the first pool cuts.
  std::vector<int32_t> all_top_count_;
  int64_t clock_ = 0;
  // Per pattern of either pool: LoseValue for the way the pool is searched
  // with, or a larger value; kept up to date as bounds and bars change.
  std::vector<double> all_lose_, regen_lose_;
  // LoseValue of every pattern of the first pool with no bars cut, when it
  // does not depend on the scores (way 0, improvement passes pending).
  std::vector<double> all_lose_start_;
  std::vector<BlockBound> all_block_start_;  // their largest per block
  bool bounds_hold_ = false;
  int regenerations_ = 0;
  int picks_ = 0;
  bool unlimited_ = false;
  bool met_nothing_ = false;
  bool cut_since_regen_ = false;
  bool success_ = false;

  // With improvement passes pending and scores that only fall, a pass
  // compares patterns by utilisation and stock alone: it does not depend on
  // the weights, and every such pass of the search cuts the same bars. The
  // first one is recorded with what it leaves behind, and the others replay
  // it (see RunPass).
  struct PassRecord {
    bool kept = false;
    std::vector<TrialEntry> trial;
    bool success = false;
    bool unlimited = false;
    int64_t steps = 0;  // bars cut, each a progress step
    // Pieces left at each weight update for a shortfall, in order.
    std::vector<std::vector<int32_t>> shortfalls;
    // Pieces left at the last regeneration (the seeds' pieces), if any.
    bool regenerated = false;
    std::vector<int32_t> seeds_left;
    std::vector<int32_t> left_at_end;  // LeftParts when the pass ended
  };
  PassRecord record_;
  bool recording_ = false;
};

ClosestSearch::ClosestSearch(TOptimize2d& opt, int way, std::vector<TPacket>* spare_patterns)
    : opt_(opt),
      way_(way),
      kinds_(opt.parts.Count()),
      nsheets_(opt.sheets.Count()),
      uk_(static_cast<size_t>(kinds_)),
      cost_opt_(opt.params.cost_optimize),
      bundle_(opt.params.bundle_optimize),
      pending_(opt.ImprovementPassesPending),
      left_(uk_),
      weight_(uk_),
      wl_(uk_),
      div2_(uk_),
      term_per_area_(uk_),
      has_div_(uk_),
      WorkSheets(static_cast<size_t>(nsheets_)),
      LeftParts(opt.parts),
      spare_patterns_(spare_patterns != nullptr ? *spare_patterns : own_spare_patterns_) {
  // The pool must describe the current piece list.
  if (opt_.all_schemes.Kinds() != kinds_) opt_.GenAllSchemes();
  opt_.FewPiecesPerKind =
      kinds_ > 0 && static_cast<double>(opt_.parts.GetTotalNumber()) / static_cast<double>(kinds_) <
                        tuning::kFewPiecesPerKind;
  WeightList = opt_.parts;
  avgArea_ = opt_.GenPowerValue(WeightList, 0);
  start_time_ = opt_.Now();
  max_passes_ = opt_.params.speed * tuning::kPassesPerSpeedStep + tuning::kBasePasses;
  InitKinds();
  InitStocks();
}

void ClosestSearch::InitKinds() {
  maxq_.resize(uk_);
  req_.resize(uk_);
  total1_.resize(uk_);
  for (int i = 0; i < kinds_; ++i) {
    const size_t u = static_cast<size_t>(i);
    maxq_[u] = opt_.parts[i].p_number;
    part_area_.push_back(opt_.parts[i].area());
    req_[u] = opt_.MinParts[i].p_number;
    total1_[u] = static_cast<double>(maxq_[u] + 1);
  }
}

void ClosestSearch::InitStocks() {
  const size_t us = static_cast<size_t>(nsheets_);
  prio_.resize(us);
  sarea_.resize(us);
  sarea2_.resize(us);
  scostd_.resize(us);
  scost2_.resize(us);
  const TPanels& sheets = opt_.sheets;
  for (int s = 0; s < nsheets_; ++s) {
    const size_t u = static_cast<size_t>(s);
    const T2DStock& st = sheets[s];
    prio_[u] = st.Priority;
    sarea_[u] = st.area();
    sarea2_[u] = sarea_[u] * sarea_[u];
    scostd_[u] = static_cast<double>(st.p_cost) * 1.0 + tuning::kCostEpsilon;
    scost2_[u] = scostd_[u] * scostd_[u];
  }
  InitLabels();
}

// label_id_: the first stock of the same label; label_rank_: the number of
// stocks ordered before by material type and label; rank_order_: the stocks
// by rank, stable.
void ClosestSearch::InitLabels() {
  const size_t us = static_cast<size_t>(nsheets_);
  const TPanels& sheets = opt_.sheets;
  rank_order_.resize(us);
  std::iota(rank_order_.begin(), rank_order_.end(), 0);
  auto before = [&sheets](int a, int b) {
    const T2DStock& x = sheets[a];
    const T2DStock& y = sheets[b];
    return x.MatType < y.MatType || (x.MatType == y.MatType && x.p_lab < y.p_lab);
  };
  std::stable_sort(rank_order_.begin(), rank_order_.end(), before);
  label_rank_.assign(us, 0);
  label_id_.assign(us, 0);
  std::unordered_map<std::string, int32_t> first_of_label;
  for (int s = 0; s < nsheets_; ++s) first_of_label.try_emplace(sheets[s].p_lab, s);
  for (size_t k = 0; k < us; ++k) {
    const int s = rank_order_[k];
    const bool tie = k > 0 && !before(rank_order_[k - 1], s);
    label_rank_[static_cast<size_t>(s)] =
        tie ? label_rank_[static_cast<size_t>(rank_order_[k - 1])] : static_cast<int>(k);
    label_id_[static_cast<size_t>(s)] = first_of_label[sheets[s].p_lab];
  }
  stock_patterns_.assign(us, nullptr);
  unit_begin_.clear();
  unit_of_sheet_.assign(us, 0);
  for (size_t k = 0; k < us; ++k) {
    const int s = rank_order_[k];
    if (k == 0 || label_rank_[static_cast<size_t>(rank_order_[k - 1])] !=
                      label_rank_[static_cast<size_t>(s)]) {
      unit_begin_.push_back(k);
    }
    unit_of_sheet_[static_cast<size_t>(s)] = static_cast<int32_t>(unit_begin_.size() - 1);
  }
  unit_begin_.push_back(us);
  stock_count_.assign(us, 0);
  stock_top_.assign(us, 0.0);
  stock_top_mask_.assign(us, 0);
  stock_top_clock_.assign(us, 0);
  unlisted_at_.assign(us, {~uint64_t{0}, ~uint64_t{0}});
  stock_bounds_.resize(us);
  stock_bounds_key_.assign(us, {0, -1});
}

std::string ClosestSearch::Run() {
  for (int r = 0; r < max_passes_; ++r) {
    if (opt_.Cancelled()) break;
    if (!ChooseWeights(r)) continue;
    if (StopForStagnation(r)) break;
    ResetPass();
    RunPass();
    opt_.Progress(TProgressKind::Step);
    TSchemes trial_plan = BuildTrialPlan();
    LearnFrom(trial_plan);
    const bool stop = success_ && ScoreTrial(r, trial_plan);
    RecyclePatterns(trial_plan);
    if (stop) break;
  }
  return Finish();
}

// Weighting: a new family every kPassesPerFamily passes; between them the
// weights learnt from the previous trial. Returns false to skip the pass when
// the learnt weights did not change (it would repeat the previous trial).
bool ClosestSearch::ChooseWeights(int r) {
  if (r % tuning::kPassesPerFamily == 0) {
    ++family_;
    PassWeights = opt_.parts;
    opt_.GenPowerValue(PassWeights, family_);
  } else if (PassWeights.IsEqual(WeightList)) {
    ++last_improving_;
    return false;
  } else {
    PassWeights = WeightList;
  }
  return true;
}

bool ClosestSearch::StopForStagnation(int r) const {
  const bool found = !opt_.best_result.Empty();
  const bool stagnant = r - last_improving_ > tuning::kStagnantPasses;
  if (found && stagnant && r > tuning::kMinPassesBeforeStop) return true;
  return found && stagnant && opt_.all_schemes.Count() > tuning::kLargePoolPatterns;
}

void ClosestSearch::ResetPass() {
  trial_.clear();
  cut_.clear();
  ++pass_id_;
  bounds_hold_ = true;
  // Scores of earlier passes are older than every kind's change.
  ++clock_;
  kind_changed_.resize(uk_);
  terms_.resize(uk_ * kTermCounts);
  terms_left_.assign(uk_, std::numeric_limits<int64_t>::min());
  for (int i = 0; i < kinds_; ++i) {
    const size_t u = static_cast<size_t>(i);
    left_[u] = maxq_[u];
    kind_changed_[u] = clock_;
    weight_[u] = PassWeights[i].p_number;
    // The closeness terms are exact integer products below this limit.
    const long double largest = static_cast<long double>(weight_[u]) * maxq_[u] * maxq_[u];
    if (weight_[u] < 0 || largest >= 0x1p62L) bounds_hold_ = false;
  }
  all_bounds_.assign(static_cast<size_t>(opt_.all_schemes.Count()),
                     std::numeric_limits<double>::infinity());
  all_block_bounds_.clear();
  all_group_bounds_.clear();
  all_stamp_.resize(static_cast<size_t>(opt_.all_schemes.Count()), 0);
  if (all_top_count_.size() != uk_) {
    const TPatternPool& pool = opt_.all_schemes;
    all_top_count_.assign(uk_, 0);
    for (int p = 0; p < pool.Count(); ++p) {
      for (int k = pool.NzBegin(p); k < pool.NzEnd(p); ++k) {
        int32_t& top = all_top_count_[static_cast<size_t>(pool.NzIndex()[k])];
        top = std::max(top, pool.NzCount()[k]);
      }
    }
  }
  stale_kinds_.assign(opt_.all_schemes.Blocks().size(), 0);
  for (int s = 0; s < nsheets_; ++s) WorkSheets[static_cast<size_t>(s)] = opt_.sheets[s].p_number;
  MarkLiveBlocks();
  std::fill(opt_.all_schemes.number.begin(), opt_.all_schemes.number.end(), 0);
  pool_ = &opt_.all_schemes;
  WeightList = PassWeights;
  regenerations_ = 0;
  picks_ = 0;
  unlimited_ = false;
  met_nothing_ = false;
  cut_since_regen_ = false;
  success_ = false;
  ResetLoseValues();
}

// The greedy steps of a pass, or the replay of the pass recorded when the
// weights cannot change its outcome.
void ClosestSearch::RunPass() {
  const bool weight_free = pending_ && bounds_hold_;
  if (weight_free && record_.kept) {
    ReplayPass();
    return;
  }
  recording_ = weight_free;
  if (recording_) record_ = PassRecord{};
  GreedyPass();
  if (recording_) KeepPassRecord();
  recording_ = false;
}

void ClosestSearch::KeepPassRecord() {
  record_.kept = true;
  record_.trial = trial_;
  record_.success = success_;
  record_.unlimited = unlimited_;
  record_.left_at_end = LeftCounts();
}

// What the recorded pass did beyond its trial plan: the same progress steps,
// the weight updates for its shortfalls (applied to this pass's weights) and
// the pieces its last regeneration left to the seeds.
void ClosestSearch::ReplayPass() {
  for (int64_t k = 0; k < record_.steps; ++k) opt_.ProgressStepMaybeRepaint();
  for (const std::vector<int32_t>& left : record_.shortfalls) {
    SetLeftParts(left);
    WeightList.MinusSquare(LeftParts, opt_.parts, LeftParts, avgArea_);
  }
  if (record_.regenerated) {
    SetLeftParts(record_.seeds_left);
    opt_.all_seeds.parts = LeftParts;
    if (!seeds_have_sheets_) opt_.all_seeds.sheets = opt_.sheets;
    seeds_have_sheets_ = true;
  }
  SetLeftParts(record_.left_at_end);
  trial_ = record_.trial;
  success_ = record_.success;
  unlimited_ = record_.unlimited;
}

void ClosestSearch::SetLeftParts(const std::vector<int32_t>& left) {
  ++left_parts_version_;
  for (int i = 0; i < kinds_; ++i) LeftParts[i].p_number = left[static_cast<size_t>(i)];
}

std::vector<int32_t> ClosestSearch::LeftCounts() const {
  std::vector<int32_t> left(uk_);
  for (int i = 0; i < kinds_; ++i) left[static_cast<size_t>(i)] = LeftParts[i].p_number;
  return left;
}

// Greedy steps until the demand is met or the pass fails.
void ClosestSearch::GreedyPass() {
  for (;;) {
    const int way = met_nothing_ ? 1 : way_;
    RefreshDemandTerms();
    const int best = ChoosePattern(way);
    const StepOutcome out = best >= 0 ? CutBar(best) : NothingSelectable();
    if (out == StepOutcome::Continue) continue;
    success_ = out == StepOutcome::Success;
    return;
  }
}

// The per-kind terms of the closeness that depend on the remaining demand.
void ClosestSearch::RefreshDemandTerms() {
  for (size_t i = 0; i < uk_; ++i) {
    wl_[i] = weight_[i] * left_[i];
    const int64_t produced = maxq_[i] - left_[i];
    has_div_[i] = produced >= req_[i];
    div2_[i] = static_cast<double>(produced - req_[i] + 1);
    // A kind's terms change only with its pieces left (the weights stay fixed
    // in a pass); counts above the pieces left overflow and need none.
    if (terms_left_[i] == left_[i]) continue;
    terms_left_[i] = left_[i];
    const int64_t top = std::min<int64_t>(left_[i], kTermCounts - 1);
    for (int64_t s = 1; s <= top; ++s) {
      terms_[i * kTermCounts + static_cast<size_t>(s)] = CloseTerm(i, s);
    }
  }
}

// Each kind's term per area, and the kinds in order of it (see
// CheapBlockBound): made for a step's first cheap bound, as most steps of a
// small pool need none.
void ClosestSearch::OrderRates() {
  for (size_t i = 0; i < uk_; ++i) {
    term_per_area_[i] =
        static_cast<double>(wl_[i]) / total1_[i] / (has_div_[i] ? div2_[i] : 1.0) / part_area_[i];
  }
  rate_order_.clear();
  rates_ordered_ = kinds_ <= 64;
  for (int i = 0; i < kinds_ && rates_ordered_; ++i) {
    rates_ordered_ = !std::isnan(term_per_area_[static_cast<size_t>(i)]);
    rate_order_.push_back(i);
  }
  if (!rates_ordered_) return;
  std::stable_sort(rate_order_.begin(), rate_order_.end(), [this](int32_t a, int32_t b) {
    return term_per_area_[static_cast<size_t>(a)] > term_per_area_[static_cast<size_t>(b)];
  });
}

// Choosing a stock and its pattern: the best selectable pattern of the lowest
// priority with bars left, or -1.
int ClosestSearch::ChoosePattern(int way) {
  if (pool_ == &RegeneratedPool && lazy_regen_) return ChooseRegenerated(way);
  const TPatternPool& pool = *pool_;
  Choice choice = StartChoice();
  const std::vector<TPatternBlock>& blocks = pool.Blocks();
  BlockBounds().resize(blocks.size());
  std::vector<GroupBound>& groups = GroupBounds();
  const size_t ngroups = (blocks.size() + kGroupBlocks - 1) / kGroupBlocks;
  if (groups.size() != ngroups) groups.assign(ngroups, GroupBound{});
  // A bound leaves out the patterns found not selectable. With a score that
  // may rise (a negative weight) such a pattern may become selectable, so
  // nothing is skipped by its bound.
  const bool may_skip = bounds_hold_ || pending_;
  // Cheap block bounds hold while the scores only fall (see CheapBlockBound).
  const bool cheap = bounds_hold_ && pool.HasMasks() && way != 0 && !FixedValues();
  if (cheap) TopUtils();
  // The kinds are ordered for the step's first cheap bound, if any.
  rates_ordered_ = false;
  order_rates_ = cheap;
  const bool first_pool = pool_ == &opt_.all_schemes;
  for (size_t g = 0; g < ngroups; ++g) {
    if (SkipGroup(groups[g], choice, may_skip)) continue;
    if (first_pool) {
      groups[g] = ChooseInLiveBlocks(g, way, cheap, may_skip, choice);
      continue;
    }
    const size_t end = std::min(blocks.size(), (g + 1) * kGroupBlocks);
    groups[g] = ChooseInBlocks(g * kGroupBlocks, end, way, cheap, may_skip, choice);
  }
  return choice.best;
}

// A choice before any pattern: the kinds with nothing left (a pattern that
// cuts one overflows) and, in the first pool, the kinds some pattern cuts
// more of than are left.
ClosestSearch::Choice ClosestSearch::StartChoice() const {
  Choice choice;
  if (pool_->HasMasks()) {
    for (int i = 0; i < kinds_; ++i) {
      if (left_[static_cast<size_t>(i)] <= 0) choice.exhausted |= uint64_t{1} << i;
    }
    if (pool_ == &opt_.all_schemes) {
      choice.tight = 0;
      for (size_t i = 0; i < uk_; ++i) {
        if (left_[i] < all_top_count_[i]) choice.tight |= uint64_t{1} << i;
      }
    }
  }
  return choice;
}

// True when a group's patterns cannot win the step: a worse priority, or a
// bound that loses against the choice so far.
bool ClosestSearch::SkipGroup(const GroupBound& gb, const Choice& choice, bool may_skip) const {
  if (gb.min_prio > choice.best_prio) return true;
  return may_skip && gb.min_prio == choice.best_prio && gb.value <= choice.lose_below;
}

// The blocks begin .. end - 1 for the choice; returns their group bound, from
// the blocks with bars left (an unknown block bound counts as infinite).
ClosestSearch::GroupBound ClosestSearch::ChooseInBlocks(size_t begin, size_t end, int way,
                                                        bool cheap, bool may_skip, Choice& choice) {
  const std::vector<TPatternBlock>& blocks = pool_->Blocks();
  GroupBound sum{std::numeric_limits<int32_t>::max(), -std::numeric_limits<double>::infinity()};
  for (size_t k = begin; k < end; ++k) {
    const size_t ps = static_cast<size_t>(blocks[k].sheet);
    if (WorkSheets[ps] == 0) continue;
    VisitBlock(k, prio_[ps], way, cheap, may_skip, choice, sum);
  }
  return sum;
}

// ChooseInBlocks over group g of the first pool, visiting only the blocks of
// stocks with bars left: at most steps, most stocks of a remnant rack have
// none.
ClosestSearch::GroupBound ClosestSearch::ChooseInLiveBlocks(size_t g, int way, bool cheap,
                                                            bool may_skip, Choice& choice) {
  const std::vector<TPatternBlock>& blocks = pool_->Blocks();
  GroupBound sum{std::numeric_limits<int32_t>::max(), -std::numeric_limits<double>::infinity()};
  for (uint32_t live = all_live_[g]; live != 0; live &= live - 1) {
    const size_t k = g * kGroupBlocks + static_cast<size_t>(__builtin_ctz(live));
    VisitBlock(k, prio_[static_cast<size_t>(blocks[k].sheet)], way, cheap, may_skip, choice, sum);
  }
  return sum;
}

// Block k (of a stock of priority pp with bars left) for the choice: skipped
// by its known or its cheap bound, else scanned; `sum` takes in its bound.
__attribute__((always_inline)) inline void ClosestSearch::VisitBlock(size_t k, int32_t pp, int way,
                                                                     bool cheap, bool may_skip,
                                                                     Choice& choice,
                                                                     GroupBound& sum) {
  BlockBound& bb = BlockBounds()[k];
  bool skip =
      pp > choice.best_prio || (may_skip && bb.way == way && bb.value <= SkipBelow(choice, pp));
  if (!skip && cheap) {
    // A bound from the block's kinds and its best utilisation often
    // shows that it loses, without a look at its patterns.
    const double v = CheapBlockBound(k, choice.exhausted, way);
    if (v <= SkipBelow(choice, pp)) {
      bb = BlockBound{way, v};
      skip = true;
    }
  }
  if (!skip) bb = ScanBlock(k, pp, way, choice);
  sum.min_prio = std::min(sum.min_prio, pp);
  const double v = bb.way == way ? bb.value : std::numeric_limits<double>::infinity();
  if (!(v <= sum.value)) sum.value = v;  // a NaN stays
}

// Marks the first pool's blocks whose stocks have bars left (after the bars
// of every stock were set).
void ClosestSearch::MarkLiveBlocks() {
  const std::vector<TPatternBlock>& blocks = opt_.all_schemes.Blocks();
  if (stock_block_begin_.size() != static_cast<size_t>(nsheets_) + 1) {
    // Where each stock's blocks begin (the pool stays the same through the
    // search).
    stock_block_begin_.assign(static_cast<size_t>(nsheets_) + 1, 0);
    for (const TPatternBlock& b : blocks) ++stock_block_begin_[static_cast<size_t>(b.sheet) + 1];
    for (size_t s = 0; s < static_cast<size_t>(nsheets_); ++s) {
      stock_block_begin_[s + 1] += stock_block_begin_[s];
    }
  }
  all_live_.assign((blocks.size() + kGroupBlocks - 1) / kGroupBlocks, 0);
  for (size_t k = 0; k < blocks.size(); ++k) {
    if (WorkSheets[static_cast<size_t>(blocks[k].sheet)] != 0) {
      all_live_[k / kGroupBlocks] |= static_cast<uint16_t>(1u << (k % kGroupBlocks));
    }
  }
}

// Stock s has bars again (live) or none left: its blocks of the first pool
// follow.
void ClosestSearch::SetStockLive(size_t s, bool live) {
  for (uint32_t k = stock_block_begin_[s]; k < stock_block_begin_[s + 1]; ++k) {
    const auto bit = static_cast<uint16_t>(1u << (k % kGroupBlocks));
    uint16_t& bits = all_live_[k / kGroupBlocks];
    bits = live ? static_cast<uint16_t>(bits | bit) : static_cast<uint16_t>(bits & ~bit);
  }
}

// The group of block k: a unit of a pool listed unit by unit, else a run of
// kGroupBlocks blocks.
size_t ClosestSearch::GroupOfBlock(size_t k) const {
  if (pool_ == &RegeneratedPool && lazy_regen_) {
    return static_cast<size_t>(unit_of_sheet_[static_cast<size_t>(pool_->Blocks()[k].sheet)]);
  }
  return k / kGroupBlocks;
}

// The largest utilisation of each block of the pool (kept per pool).
const std::vector<double>& ClosestSearch::TopUtils() {
  const TPatternPool& pool = *pool_;
  std::vector<double>& top = pool_ == &RegeneratedPool ? regen_top_util_ : all_top_util_;
  const std::vector<TPatternBlock>& blocks = pool.Blocks();
  // Blocks are only added (a pool listed unit by unit grows).
  const size_t known = top.size();
  if (known == blocks.size()) return top;
  top.resize(blocks.size());
  for (size_t k = known; k < blocks.size(); ++k) {
    double u = 0.0;
    for (int p = blocks[k].begin; p < blocks[k].end; ++p) u = std::max(u, pool.Util(p));
    top[k] = u;
  }
  return top;
}

// An upper bound of the values (see LoseValue) of block k's patterns that
// cut no kind of `exhausted`, for the rest of the pass while scores only
// fall: a closeness term of a kind is at most its pieces' area times the
// kind's term per area, so a pattern's closeness is at most its used area
// (its utilisation times the stock's area) times the largest of its kinds;
// the scores grow with utilisation and closeness. A pattern already cut
// shows the repeat bonus. The margin covers the rounding of the sums.
double ClosestSearch::CheapBlockBound(size_t k, uint64_t exhausted, int way) {
  const TPatternPool& pool = *pool_;
  const TPatternBlock& block = pool.Blocks()[k];
  const uint64_t kinds = block.mask & ~exhausted;
  if (order_rates_) {
    OrderRates();
    order_rates_ = false;
  }
  double rate = 0.0;
  if (rates_ordered_) {
    // The first of the block's kinds by term per area is the largest.
    for (const int32_t i : rate_order_) {
      if (((kinds >> i) & 1) != 0) {
        rate = term_per_area_[static_cast<size_t>(i)];
        break;
      }
    }
  } else {
    for (uint64_t m = kinds; m != 0; m &= m - 1) {
      const double r = term_per_area_[static_cast<size_t>(__builtin_ctzll(m))];
      if (!(r <= rate)) rate = r;  // a NaN stays
    }
  }
  constexpr double kMargin = 1.0 + 1e-9;
  const double top = TopUtils()[k];
  const size_t ps = static_cast<size_t>(block.sheet);
  const double c = rate * (top / 100.0 * sarea_[ps]) * kMargin;
  // The score and lead of a pattern of utilisation `top` on this stock.
  const double ub = ScaledScoreAt(top, ps, c) *
                    (bundle_ ? tuning::kBundleRepeatBonus : tuning::kRepeatBonus) * kMargin;
  if (way == 2) return ub;
  return LeadScoreAt(top, ps, ub, way) * kMargin;
}

// Stock s has bars again: the groups of its blocks in the first pool are
// unknown.
void ClosestSearch::ForgetGroupsOfStock(size_t s) {
  std::vector<GroupBound>& groups = all_group_bounds_;
  for (uint32_t k = stock_block_begin_[s]; k < stock_block_begin_[s + 1]; ++k) {
    if (k / kGroupBlocks < groups.size()) groups[k / kGroupBlocks] = GroupBound{};
  }
}

// Scans the patterns of one block for the choice; returns the block's bound:
// the largest value any of its selectable patterns can show the first test.
ClosestSearch::BlockBound ClosestSearch::ScanBlock(size_t k, int32_t pp, int way, Choice& choice) {
  const TPatternPool& pool = *pool_;
  const TPatternBlock& block = pool.Blocks()[k];
  ForgetStaleBounds(k);
  const int* nz_index = pool.NzIndex();
  const int32_t* nz_count = pool.NzCount();
  std::vector<double>& bounds = Bounds();
  std::vector<double>& lose = LoseValues();
  std::vector<int64_t>& stamps = Stamps();
  const bool masks = pool.HasMasks();
  const int64_t* changed = kind_changed_.data();
  const uint64_t* kind_masks = pool.Masks();
  // Only the kinds the block cuts matter.
  const uint64_t exhausted = choice.exhausted & (masks ? block.mask : ~uint64_t{0});
  double skip = SkipBelow(choice, pp);
  BlockBound bb{way, -std::numeric_limits<double>::infinity()};
  // Most patterns lose by their value alone: one pass over the block sorts
  // them out without branches, taking their largest value into the bound,
  // and leaves the others (ascending) as candidates to look at in turn.
  double skipped_top = -std::numeric_limits<double>::infinity();
  double mask_skip = skip;
  uint32_t pending = Candidates(block.begin, block.end, exhausted, skip, skipped_top);
  // With improvement passes pending the tie-break compares every pattern
  // with a score of 1, and a score only has to be non-negative to count.
  // Without negative weights every score is, so none is computed.
  const bool scoreless = pending_ && bounds_hold_;
  // A pattern that cuts more of a kind than is left stays so until a
  // take-back raises that kind, which makes the scores of the patterns
  // cutting it stale (see InvalidateBounds): until then its value drops out
  // of the candidates. Fixed values are not made stale and stay.
  const bool drop_overflow = !FixedValues();
  while (pending != 0) {
    const int p = block.begin + __builtin_ctz(pending);
    pending &= pending - 1;
    const uint64_t mask = kind_masks[p];
    const double v = lose[static_cast<size_t>(p)];
    if (v <= skip) {
      // Not a NaN: the largest value is all the bound takes in.
      if (v > bb.value) bb.value = v;
      continue;
    }
    bool overflow = false;
    bool exact = true;
    // The closeness, summed while the counts are read anyway (valid when
    // `summed` and the pattern does not overflow).
    double closeness = 0.0;
    bool summed = false;
    if (scoreless) {
      // Only whether the pattern fits the pieces left matters.
      if (!masks || (mask & choice.tight) != 0) {
        for (int k = pool.NzBegin(p); k < pool.NzEnd(p) && !overflow; ++k) {
          overflow = nz_count[k] > left_[static_cast<size_t>(nz_index[k])];
        }
      }
    } else if (const int64_t stamp = stamps[static_cast<size_t>(p)];
               masks && (mask & choice.tight) == 0) {
      // No kind can overflow: the kind bits alone tell whether the score is
      // exact, without reading the pattern's counts.
      for (uint64_t m = mask; m != 0 && exact; m &= m - 1) {
        exact = changed[__builtin_ctzll(m)] <= stamp;
      }
    } else {
      // As ClosenessIn sums it, in position order.
      for (int k = pool.NzBegin(p); k < pool.NzEnd(p) && !overflow; ++k) {
        const size_t i = static_cast<size_t>(nz_index[k]);
        const int32_t n = nz_count[k];
        overflow = n > left_[i];
        exact = exact && changed[i] <= stamp;
        closeness +=
            n < kTermCounts ? terms_[i * kTermCounts + static_cast<size_t>(n)] : CloseTerm(i, n);
      }
      summed = true;
    }
    if (overflow) {
      if (drop_overflow) lose[static_cast<size_t>(p)] = -std::numeric_limits<double>::infinity();
      continue;
    }
    double c = 0.0;
    if (scoreless) {
      c = 1.0;
    } else if (exact) {
      c = bounds[static_cast<size_t>(p)];
    } else {
      c = summed ? closeness : Closeness(p);
    }
    if (!exact && c < 0) {
      // With a negative weight the score may turn non-negative as pieces are
      // cut; the pending tie-break values do not depend on it.
      if (pending_ && !bounds_hold_) bb.Include(v);
      continue;
    }
    if (!exact) {
      c = ScaledScore(p, c);
      bounds[static_cast<size_t>(p)] = c;
      stamps[static_cast<size_t>(p)] = clock_;
      lose[static_cast<size_t>(p)] = LoseValue(p, way);
    }
    bb.Include(lose[static_cast<size_t>(p)]);
    if (pp < choice.best_prio || choice.B <= 0) {
      Take(choice, p, c, pp, way);
      skip = SkipBelow(choice, pp);
      RecheckAfter(block.begin, p, block.end, exhausted, skip, mask_skip, pending);
      continue;
    }
    // With improvement passes pending only utilisation and area decide.
    if (pending_) {
      choice.B = 1.0;
      c = 1.0;
    }
    if (pool.number[static_cast<size_t>(p)] > 0) {
      c = c * (bundle_ ? tuning::kBundleRepeatBonus : tuning::kRepeatBonus);
    }
    // A value computed just now may lose the first test outright.
    if (lose[static_cast<size_t>(p)] <= skip) continue;
    if (PreferOver(p, c, choice.best, choice.B, choice.best_lead, way)) {
      Take(choice, p, c, pp, way);
      skip = SkipBelow(choice, pp);
      RecheckAfter(block.begin, p, block.end, exhausted, skip, mask_skip, pending);
    }
  }
  if (skipped_top > bb.value) bb.value = skipped_top;
  return bb;
}

// The patterns first .. end - 1 (at most 32) that cut no exhausted kind and
// whose value is above `skip` (or NaN), as bits from `first`; `top` takes in
// the largest value of the others that cut no exhausted kind.
uint32_t ClosestSearch::Candidates(int first, int end, uint64_t exhausted, double skip,
                                   double& top) const {
  const uint64_t* kind_masks = pool_->Masks();
  const double* lose = (pool_ == &RegeneratedPool ? regen_lose_ : all_lose_).data();
  uint32_t cands = 0;
  double t = top;
  int p = first;
#if defined(__SSE2__)
  // Two patterns at a time, as the loop below tests them one by one: every
  // block of the pool is scanned this way at nearly every step. The
  // largest value taken in is never a NaN, so the order of the maxima does
  // not matter.
  const __m128d skip2 = _mm_set1_pd(skip);
  const __m128i exhausted2 = _mm_set1_epi64x(static_cast<long long>(exhausted));
  const __m128d none = _mm_set1_pd(-std::numeric_limits<double>::infinity());
  __m128d t2 = none;
  for (; p + 1 < end; p += 2) {
    const __m128d v = _mm_loadu_pd(lose + p);
    const __m128d low = _mm_cmple_pd(v, skip2);  // false for a NaN
    __m128d live = _mm_castsi128_pd(_mm_set1_epi32(-1));
    if (exhausted != 0) live = CutsNoneOf(kind_masks + p, exhausted2);
    cands |= static_cast<uint32_t>(_mm_movemask_pd(_mm_andnot_pd(low, live))) << (p - first);
    t2 = _mm_max_pd(t2, Select(_mm_and_pd(low, live), v, none));
  }
  const double t_lo = _mm_cvtsd_f64(t2);
  const double t_hi = _mm_cvtsd_f64(_mm_unpackhi_pd(t2, t2));
  t = t_lo > t ? t_lo : t;
  t = t_hi > t ? t_hi : t;
#endif
  for (; p < end; ++p) {
    const double v = lose[p];
    const bool live = exhausted == 0 || (kind_masks[p] & exhausted) == 0;
    const bool low = v <= skip;
    cands |= static_cast<uint32_t>(live && !low) << (p - first);
    t = live && low && v > t ? v : t;
  }
  top = t;
  return cands;
}

// After a new best pattern at p: when the skipping value fell below the one
// the candidates were picked with, the block's later patterns between the
// two become candidates too (their values stay in the bound: it may only be
// too large, never too small).
void ClosestSearch::RecheckAfter(int begin, int p, int end, uint64_t exhausted, double skip,
                                 double& mask_skip, uint32_t& pending) const {
  if (!(skip < mask_skip)) return;
  mask_skip = skip;
  const int first = p + 1;
  if (first >= end) return;
  double ignored = -std::numeric_limits<double>::infinity();
  pending |= Candidates(first, end, exhausted, skip, ignored) << (first - begin);
}

// Closeness of pattern p to the remaining demand, summed in position order
// over the kinds it cuts.
double ClosestSearch::Closeness(int p) const { return ClosenessIn(*pool_, p); }

__attribute__((always_inline)) inline double ClosestSearch::ClosenessIn(const TPatternPool& pool,
                                                                        int p) const {
  const int* nz_index = pool.NzIndex();
  const int32_t* nz_count = pool.NzCount();
  double c = 0.0;
  for (int k = pool.NzBegin(p); k < pool.NzEnd(p); ++k) {
    const size_t i = static_cast<size_t>(nz_index[k]);
    const int32_t s = nz_count[k];
    c += s < kTermCounts ? terms_[i * kTermCounts + static_cast<size_t>(s)] : CloseTerm(i, s);
  }
  return c;
}

// The closeness term of `s` pieces of kind i.
double ClosestSearch::CloseTerm(size_t i, int64_t s) const {
  int64_t prod = 0;
  double term;
  if (!__builtin_mul_overflow(s, wl_[i], &prod)) {
    term = static_cast<double>(prod) / total1_[i];
    if (has_div_[i]) term = term / div2_[i];
  } else {
    term = panels_math::CloseTerm(s, weight_[i], left_[i], maxq_[i], req_[i]);
  }
  return term;
}

// Scoring: closeness scaled by cost per area, or by utilisation.
__attribute__((always_inline)) inline double ClosestSearch::ScaledScore(int p, double c) const {
  return ScaledScoreAt(pool_->Util(p), static_cast<size_t>(pool_->Sheet(p)), c);
}

// ScaledScore of a pattern of utilisation `util` on the stock at `ps`.
inline double ClosestSearch::ScaledScoreAt(double util, size_t ps, double c) const {
  if (cost_opt_) return (sarea2_[ps] * c + tuning::kCostEpsilon) / scost2_[ps] + 1;
  const double u = util / 100;
  const double u2 = u * u;
  if (!opt_.FewPiecesPerKind) return u2 * c + 1;
  const double u4 = u2 * u2;
  const double u8 = u4 * u4;
  return u8 * c + 1;
}

// The tie-break between pattern p (score c) and the best one so far of equal
// priority (score best_c, utilisation score best_lead): closeness and
// utilisation in an order set by the way, then the smaller stock, then the
// larger area per piece.
bool ClosestSearch::PreferOver(int p, double c, int best, double best_c, double best_lead,
                               int way) const {
  const TPatternPool& pool = *pool_;
  const double a = LeadScore(p, c, way);
  const double b = best_lead;
  if (way == 2) {
    if (std::fabs((c + 1) / (best_c + 1) - 1) >= tuning::kClosenessTolerance) return c > best_c;
    if (std::fabs((a + 1) / (b + 1) - 1) >= tuning::kUtilTolerance) return a > b;
  } else {
    if (std::fabs(a / b - 1) >= tuning::kUtilTolerance) return a > b;
    if (std::fabs(c / best_c - 1) >= tuning::kUtilTolerance) return c > best_c;
  }
  const double ap = sarea_[static_cast<size_t>(pool.Sheet(p))];
  const double aq = sarea_[static_cast<size_t>(pool.Sheet(best))];
  if (std::fabs(ap / aq - 1) >= tuning::kAreaTolerance) return ap < aq;
  return ap / static_cast<double>(pool.Pieces(p)) > aq / static_cast<double>(pool.Pieces(best));
}

// The utilisation score of the tie-break: utilisation (way 1: weighted by the
// score c), scaled by cost per area when costs are optimised.
__attribute__((always_inline)) inline double ClosestSearch::LeadScore(int p, double c,
                                                                      int way) const {
  return LeadScoreAt(pool_->Util(p), static_cast<size_t>(pool_->Sheet(p)), c, way);
}

// LeadScore of a pattern of utilisation `util` on the stock at `ps`.
inline double ClosestSearch::LeadScoreAt(double util, size_t ps, double c, int way) const {
  double a = util;
  if (way == 1) a = opt_.FewPiecesPerKind ? util * util * c + 1 : util * c + 1;
  if (!cost_opt_) return a;
  return (sarea2_[ps] * a + tuning::kCostEpsilon) / scost2_[ps] + 1;
}

// Patterns of priority pp whose value (see LoseValue) is at most this lose
// the tie-break against the choice so far and need no scoring.
double ClosestSearch::SkipBelow(const Choice& choice, int32_t pp) const {
  if (pp != choice.best_prio) return -std::numeric_limits<double>::infinity();
  return choice.lose_below;
}

// The largest value that ValueLoses rejects against the best pattern of the
// choice (ValueLoses is monotonic in the value, each step being a rounded
// sum, quotient or difference with a positive divisor); -infinity when the
// values may not decide (scores that can rise, a divisor not positive).
double ClosestSearch::LoseThreshold(const Choice& choice, int way) const {
  constexpr double kNone = -std::numeric_limits<double>::infinity();
  if (choice.B <= 0 || !(bounds_hold_ || pending_)) return kNone;
  double t = 0.0;
  if (way == 2 && !pending_) {
    if (!(choice.B + 1 > 0)) return kNone;
    t = (choice.B + 1) * (1 - tuning::kClosenessTolerance) - 1;
  } else if (way == 2) {
    if (!(choice.best_lead + 1 > 0)) return kNone;
    t = (choice.best_lead + 1) * (1 - tuning::kUtilTolerance) - 1;
  } else {
    if (!(choice.best_lead > 0)) return kNone;
    t = choice.best_lead * (1 - tuning::kUtilTolerance);
  }
  if (!std::isfinite(t)) return kNone;
  // The estimate is off by a few rounding steps at most.
  constexpr int kSteps = 16;
  if (ValueLoses(t, choice, way)) {
    for (int i = 0; i < kSteps; ++i) {
      const double up = std::nextafter(t, std::numeric_limits<double>::infinity());
      if (!ValueLoses(up, choice, way)) break;
      t = up;
    }
    return t;
  }
  for (int i = 0; i < kSteps; ++i) {
    t = std::nextafter(t, kNone);
    if (ValueLoses(t, choice, way)) return t;
  }
  return kNone;
}

// The first pool's values at the start of a pass: taken from the scores'
// starting bounds (infinite) or, where they do not depend on scores, once
// per search from the utilisations.
void ClosestSearch::ResetLoseValues() {
  const size_t n = static_cast<size_t>(opt_.all_schemes.Count());
  const bool fixed = way_ == 0 || pending_;
  if (!fixed) {
    all_lose_.assign(n, std::numeric_limits<double>::infinity());
    return;
  }
  if (all_lose_start_.size() != n) {
    all_lose_start_.resize(n);
    for (size_t p = 0; p < n; ++p) all_lose_start_[p] = LoseValue(static_cast<int>(p), way_);
    const std::vector<TPatternBlock>& blocks = opt_.all_schemes.Blocks();
    all_block_start_.assign(blocks.size(),
                            BlockBound{way_, -std::numeric_limits<double>::infinity()});
    for (size_t k = 0; k < blocks.size(); ++k) {
      for (int p = blocks[k].begin; p < blocks[k].end; ++p) {
        all_block_start_[k].Include(all_lose_start_[static_cast<size_t>(p)]);
      }
    }
  }
  all_lose_ = all_lose_start_;
  all_block_bounds_ = all_block_start_;
}

// The value pattern p can show at most in the first deciding test of the
// tie-break, from its score bound: the score with the repeat bonus (way 2) or
// the utilisation score (ways 0 and 1). Every step of the scores is
// monotonic. With improvement passes pending the scores are replaced by 1
// (times the repeat bonus): a pattern already cut wins way 2's first test,
// the others tie it and are decided by utilisation.
__attribute__((always_inline)) inline double ClosestSearch::LoseValue(int p, int way) const {
  if (way == 0) return LeadScore(p, 0.0, 0);
  if (pending_) {
    if (pool_->number[static_cast<size_t>(p)] == 0) return LeadScore(p, 1.0, way);
    if (way == 2) return std::numeric_limits<double>::infinity();
    return LeadScore(p, bundle_ ? tuning::kBundleRepeatBonus : tuning::kRepeatBonus, way);
  }
  double ub = (pool_ == &RegeneratedPool ? regen_bounds_ : all_bounds_)[static_cast<size_t>(p)];
  if (pool_->number[static_cast<size_t>(p)] > 0) {
    ub = ub * (bundle_ ? tuning::kBundleRepeatBonus : tuning::kRepeatBonus);
  }
  return way == 2 ? ub : LeadScore(p, ub, way);
}

// True when a pattern showing at most `v` in the first test loses it against
// the choice so far.
bool ClosestSearch::ValueLoses(double v, const Choice& choice, int way) const {
  if (way == 2 && pending_) return (v + 1) / (choice.best_lead + 1) - 1 <= -tuning::kUtilTolerance;
  if (way == 2) return (v + 1) / (choice.B + 1) - 1 <= -tuning::kClosenessTolerance;
  return v / choice.best_lead - 1 <= -tuning::kUtilTolerance;
}

void ClosestSearch::Take(Choice& choice, int p, double c, int32_t pp, int way) const {
  choice.best = p;
  choice.B = c;
  choice.best_prio = pp;
  // With improvement passes pending the tie-break compares the best pattern
  // with a score of 1.
  if (pending_) {
    choice.best_lead = LeadScore(p, 1.0, way);
  } else {
    choice.best_lead = LeadScore(p, c, way);
  }
  choice.lose_below = LoseThreshold(choice, way);
}

// Forgets the score bounds of the first pool's patterns that cut any of
// `kinds` (all patterns without kind masks) and the bounds of their blocks.
void ClosestSearch::InvalidateBounds(uint64_t kinds) {
  std::vector<double>& lose = LoseValues();
  std::vector<BlockBound>& block_bounds = BlockBounds();
  const TPatternPool& pool = *pool_;
  const std::vector<TPatternBlock>& blocks = pool.Blocks();
  const bool masks = pool.HasMasks();
  const bool fixed = FixedValues();
  const int way = pool_ == &RegeneratedPool ? 1 : way_;
  std::vector<GroupBound>& groups = GroupBounds();
  block_bounds.resize(blocks.size());
  for (size_t k = 0; k < blocks.size(); ++k) {
    if (masks && (blocks[k].mask & kinds) == 0) continue;
    if (fixed && WorkSheets[static_cast<size_t>(blocks[k].sheet)] == 0) {
      // A stock without bars is not scanned: its bound is made again by a
      // scan once it has bars again.
      block_bounds[k] = BlockBound{};
      if (k / kGroupBlocks < groups.size()) groups[k / kGroupBlocks] = GroupBound{};
      continue;
    }
    if (fixed) {
      // The values stand; the block's bound takes in the patterns it left
      // out as not selectable.
      BlockBound bb{way, -std::numeric_limits<double>::infinity()};
      for (int p = blocks[k].begin; p < blocks[k].end; ++p)
        bb.Include(lose[static_cast<size_t>(p)]);
      block_bounds[k] = bb;
      if (k / kGroupBlocks < groups.size()) groups[k / kGroupBlocks] = GroupBound{};
      continue;
    }
    // The scores are forgotten when the block is scanned next.
    stale_kinds_[k] |= masks ? kinds : ~uint64_t{0};
    block_bounds[k] = BlockBound{};
    if (k / kGroupBlocks < groups.size()) groups[k / kGroupBlocks] = GroupBound{};
  }
}

// Forgets the score bounds of block k's patterns that cut a kind taken back
// since they were computed.
void ClosestSearch::ForgetStaleBounds(size_t k) {
  if (pool_ != &opt_.all_schemes || stale_kinds_[k] == 0) return;
  const TPatternPool& pool = *pool_;
  const TPatternBlock& block = pool.Blocks()[k];
  const uint64_t kinds = stale_kinds_[k];
  double* bounds = all_bounds_.data();
  double* lose = all_lose_.data();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  if (!pool.HasMasks()) {
    // Without kind bits every pattern is forgotten, also those whose kinds
    // did not change since they were scored: their scores must not count
    // as exact, or a forgotten (infinite) bound would be taken for one.
    std::fill(bounds + block.begin, bounds + block.end, kInf);
    std::fill(lose + block.begin, lose + block.end, kInf);
    std::fill(all_stamp_.begin() + block.begin, all_stamp_.begin() + block.end, int64_t{-1});
    stale_kinds_[k] = 0;
    return;
  }
  const uint64_t* kind_masks = pool.Masks();
  int p = block.begin;
#if defined(__SSE2__)
  // Two patterns at a time and without branches: which patterns cut a
  // stale kind follows no order a branch could predict.
  const __m128i kinds2 = _mm_set1_epi64x(static_cast<long long>(kinds));
  const __m128d inf2 = _mm_set1_pd(kInf);
  for (; p + 1 < block.end; p += 2) {
    // A pattern cutting no stale kind keeps its bounds.
    const __m128d keep = CutsNoneOf(kind_masks + p, kinds2);
    _mm_storeu_pd(bounds + p, Select(keep, _mm_loadu_pd(bounds + p), inf2));
    _mm_storeu_pd(lose + p, Select(keep, _mm_loadu_pd(lose + p), inf2));
  }
#endif
  for (; p < block.end; ++p) {
    if ((kind_masks[p] & kinds) != 0) {
      bounds[p] = kInf;
      lose[p] = kInf;
    }
  }
  stale_kinds_[k] = 0;
}

// A pattern cut for the first time shows the repeat bonus from now on: its
// block's bound takes in its raised value.
void ClosestSearch::RaiseBlockBound(int p) {
  const std::vector<TPatternBlock>& blocks = pool_->Blocks();
  const auto it = std::upper_bound(blocks.begin(), blocks.end(), p,
                                   [](int q, const TPatternBlock& b) { return q < b.begin; });
  std::vector<BlockBound>& block_bounds = BlockBounds();
  const size_t k = static_cast<size_t>(it - blocks.begin()) - 1;
  const double v = LoseValues()[static_cast<size_t>(p)];
  if (k < block_bounds.size()) block_bounds[k].Include(v);
  std::vector<GroupBound>& groups = GroupBounds();
  const size_t g = GroupOfBlock(k);
  if (g < groups.size() && !(v <= groups[g].value)) groups[g].value = v;
}

// One greedy step: cuts a bar of pattern `best`; the pass succeeds when every
// requirement is met.
StepOutcome ClosestSearch::CutBar(int best) {
  TPatternPool& pool = *pool_;
  opt_.ProgressStepMaybeRepaint();
  if (recording_) ++record_.steps;
  ++picks_;
  ++clock_;
  for (int k = pool.NzBegin(best); k < pool.NzEnd(best); ++k) {
    left_[static_cast<size_t>(pool.NzIndex()[k])] -= pool.NzCount()[k];
    kind_changed_[static_cast<size_t>(pool.NzIndex()[k])] = clock_;
  }
  if (pool.number[static_cast<size_t>(best)]++ == 0) {
    cut_.push_back(best);
    LoseValues()[static_cast<size_t>(best)] = LoseValue(best, met_nothing_ ? 1 : way_);
    RaiseBlockBound(best);
  }
  if (--WorkSheets[static_cast<size_t>(pool.Sheet(best))] == 0) {
    SetStockLive(static_cast<size_t>(pool.Sheet(best)), false);
  }
  cut_since_regen_ = true;
  bool done = true;
  for (size_t i = 0; i < uk_ && done; ++i) done = maxq_[i] - left_[i] >= req_[i];
  if (done) {
    FlushPool();
    return StepOutcome::Success;
  }
  if (regenerations_ == 0 && picks_ % tuning::kTakeBackEvery == 1) TakeBackPoorest(best);
  return StepOutcome::Continue;
}

// Takes back one bar of the poorest pattern cut so far (not the one just cut).
void ClosestSearch::TakeBackPoorest(int best) {
  TPatternPool& pool = *pool_;
  int worst = -1;
  double worst_value = tuning::kTakeBackCeiling;
  // The first pattern in pool order of the lowest value.
  for (int p : cut_) {
    double value = pool.Util(p);
    if (cost_opt_) {
      const size_t ps = static_cast<size_t>(pool.Sheet(p));
      value = (sarea_[ps] * value + tuning::kCostEpsilon) / scostd_[ps] + 1;
    }
    if (value < worst_value || (worst >= 0 && value == worst_value && p < worst)) {
      worst_value = value;
      worst = p;
    }
  }
  if (worst < 0 || worst == best) return;
  ++clock_;
  for (int k = pool.NzBegin(worst); k < pool.NzEnd(worst); ++k) {
    left_[static_cast<size_t>(pool.NzIndex()[k])] += pool.NzCount()[k];
    kind_changed_[static_cast<size_t>(pool.NzIndex()[k])] = clock_;
  }
  if (--pool.number[static_cast<size_t>(worst)] == 0) std::erase(cut_, worst);
  if (WorkSheets[static_cast<size_t>(pool.Sheet(worst))]++ == 0) {
    ForgetGroupsOfStock(static_cast<size_t>(pool.Sheet(worst)));
    SetStockLive(static_cast<size_t>(pool.Sheet(worst)), true);
  }
  if (!pool.HasMasks()) {
    InvalidateBounds(~uint64_t{0});
  } else if (const uint64_t risen = RisenKinds(best, worst); risen != 0) {
    InvalidateBounds(risen);
  }
}

// The kinds with more pieces left after cutting `best` and taking back
// `worst` than before: every bound was computed with at least as many pieces
// left of every other kind, so it still holds for them.
uint64_t ClosestSearch::RisenKinds(int best, int worst) const {
  const TPatternPool& pool = *pool_;
  const int* nz_index = pool.NzIndex();
  const int32_t* nz_count = pool.NzCount();
  uint64_t risen = 0;
  for (int k = pool.NzBegin(worst); k < pool.NzEnd(worst); ++k) {
    int32_t cut = 0;
    for (int j = pool.NzBegin(best); j < pool.NzEnd(best); ++j) {
      if (nz_index[j] == nz_index[k]) cut = nz_count[j];
    }
    if (nz_count[k] > cut) risen |= uint64_t{1} << nz_index[k];
  }
  return risen;
}

// Nothing selectable: the pass succeeds when no piece is left; otherwise the
// weights learn the shortfall and the pass goes on with unlimited stocks (when
// the last regenerated pool cut nothing) or a regenerated pool.
StepOutcome ClosestSearch::NothingSelectable() {
  FlushPool();
  met_nothing_ = true;
  if (std::all_of(left_.begin(), left_.end(), [](int64_t n) { return n <= 0; })) {
    return StepOutcome::Success;
  }
  SyncLeftParts();
  if (recording_) record_.shortfalls.push_back(LeftCounts());
  WeightList.MinusSquare(LeftParts, opt_.parts, LeftParts, avgArea_);
  if (regenerations_ >= 1 && !cut_since_regen_) {
    picks_ = 0;
    if (unlimited_) return StepOutcome::Failed;
    unlimited_ = true;
    all_group_bounds_.clear();
    for (int s = 0; s < nsheets_; ++s) {
      if (opt_.sheets[s].owner == PANEL_OWNER::owSheet) {
        WorkSheets[static_cast<size_t>(s)] = std::numeric_limits<int32_t>::max();
      }
    }
    MarkLiveBlocks();
    met_nothing_ = false;
    pool_ = &opt_.all_schemes;
    cut_since_regen_ = false;
    return StepOutcome::Continue;
  }
  return Regenerate();
}

// A new pool for the remaining demand, from the stocks with bars left: each
// stock's patterns in listing order, or, in a large pool, ordered by stock
// label and utilisation. While the scores only fall, a large pool is listed
// unit by unit as the steps need them (see ChooseRegenerated).
StepOutcome ClosestSearch::Regenerate() {
  picks_ = 0;
  opt_.all_seeds.parts = LeftParts;
  if (recording_) {
    record_.regenerated = true;
    record_.seeds_left = LeftCounts();
  }
  if (!seeds_have_sheets_) opt_.all_seeds.sheets = opt_.sheets;
  seeds_have_sheets_ = true;
  KeepRegeneratedBounds();
  RegeneratedPool.Clear(kinds_);
  regen_origin_.clear();
  ++regenerations_;
  // The pool of the last allowed regeneration would never be used.
  if (regenerations_ >= opt_.max_regenerations_) return StepOutcome::Failed;
  pool_ = &RegeneratedPool;  // the values below are of this pool's patterns
  lazy_regen_ = bounds_hold_ && ScoreListings();
  cut_since_regen_ = false;
  regen_pass_ = pass_id_;
  if (lazy_regen_) {
    const size_t units = unit_begin_.size() - 1;
    unit_listed_.assign(units, 0);
    unit_blocks_.assign(units, {0, 0});
    regen_group_bounds_.assign(units, GroupBound{});
    return StepOutcome::Continue;
  }
  int total = 0;
  for (int s = 0; s < nsheets_; ++s) {
    stock_patterns_[static_cast<size_t>(s)] = nullptr;
    if (WorkSheets[static_cast<size_t>(s)] == 0) continue;
    ListStock(s);
    total += stock_patterns_[static_cast<size_t>(s)]->patterns.Count();
  }
  if (total > tuning::kSortRegeneratedAbove) {
    for (size_t u = 0; u + 1 < unit_begin_.size(); ++u) AppendUnit(u);
  } else {
    for (int s = 0; s < nsheets_; ++s) {
      const TLengthPatterns* entry = stock_patterns_[static_cast<size_t>(s)];
      if (entry == nullptr) continue;
      for (int p : entry->listing) AppendRegenerated(*entry, p, s);
    }
  }
  return StepOutcome::Continue;
}

// For a pool listed unit by unit: the number of patterns and the largest
// value of every stock with bars left. False when the pool is small (it is
// listed whole).
bool ClosestSearch::ScoreListings() {
  RefreshDemandTerms();
  regen_cx_.resize(uk_);
  regen_qty_.resize(uk_);
  regen_area_.resize(uk_);
  for (int i = 0; i < kinds_; ++i) {
    const size_t u = static_cast<size_t>(i);
    regen_cx_[u] = LeftParts[i].p_cx;
    regen_qty_[u] = LeftParts[i].p_number;
    regen_area_[u] = LeftParts[i].area();
  }
  int64_t total = 0;
  for (int s = 0; s < nsheets_; ++s) {
    const size_t u = static_cast<size_t>(s);
    stock_patterns_[u] = nullptr;
    stock_count_[u] = 0;
    stock_top_[u] = -std::numeric_limits<double>::infinity();
    if (WorkSheets[u] == 0) continue;
    ScoreListing(s);
    total += stock_count_[u];
  }
  return total > tuning::kSortRegeneratedAbove;
}

// The number of patterns listed for stock s from the pieces left at the
// regeneration, and the largest value (see LoseValue) of those that fit the
// pieces left now, from the stored list or from the enumeration that would
// list them, without storing it. The scores only fall and patterns only stop
// fitting until the next regeneration, so that value bounds theirs till then.
void ClosestSearch::ScoreListing(int s) {
  const size_t ps = static_cast<size_t>(s);
  const T2DStock& stock = opt_.sheets[s];
  double top = -std::numeric_limits<double>::infinity();
  uint64_t top_mask = 0;
  int32_t count = 0;
  // A stock is scored again and again between two changes of the pieces
  // left: the cache is asked once, and again only after a new list.
  const std::pair<uint64_t, uint64_t> now{left_parts_version_, pattern_cache_.Listings()};
  const TLengthPatterns* e = nullptr;
  if (unlisted_at_[ps] != now) {
    e = pattern_cache_.Find(LeftParts, stock);
    if (e == nullptr) unlisted_at_[ps] = now;
  }
  if (e != nullptr) {
    const TPatternPool& listed = e->patterns;
    count = listed.Count();
    for (int p = 0; p < count; ++p) {
      const double v = ValueNow(listed.Util(p), ps, pending_ ? 0.0 : ClosenessIn(listed, p));
      if (!(v <= top) && !std::isnan(top) && Fits(listed, p)) {
        top = v;
        top_mask = listed.Mask(p);
      }
    }
  } else {
    const int limit = tuning::ListingLimit(opt_.params.speed);
    TSparseEnumerator& en = enumerator_;
    // The closeness terms as Closeness adds them up.
    auto term = [this](int32_t i, int32_t c) {
      const size_t u = static_cast<size_t>(i);
      return c < kTermCounts ? terms_[u * kTermCounts + static_cast<size_t>(c)] : CloseTerm(u, c);
    };
    // The area and closeness of the pattern that showed `top`: a pattern
    // with no more of either shows no more (the value grows with both).
    const double per_area = UtilOf(1.0, stock.p_cx, stock.p_cy);
    const double util_scale = per_area * (1.0 + 1e-12);
    // The utilisation as a fraction, from a product raised past its
    // roundings (see ValueBound).
    const double fraction_scale = per_area / 100 * (1.0 + 1e-11);
    double top_area = -std::numeric_limits<double>::infinity();
    double top_close = -std::numeric_limits<double>::infinity();
    auto visit = [&](const int32_t* nz_kind, const int32_t* nz_count, int nz) {
      const double area = en.Sum();
      const double close = pending_ ? 0.0 : en.TermSum();
      if (!(area <= top_area && close <= top_close)) {
        // The utilisation from a product, raised past its rounding: the
        // value only has to bound the pattern's.
        const double v = ValueBound(area * util_scale, area * fraction_scale, ps, close);
        // Patterns that cut more than is left are not selectable.
        if (!(v <= top) && !std::isnan(top) && FitsLeft(nz_kind, nz_count, nz)) {
          top = v;
          top_mask = en.Mask();
          top_area = area;
          top_close = close;
        }
      }
      ++count;
      return count <= limit;
    };
    en.Run(kinds_, regen_cx_.data(), regen_qty_.data(), stock.p_cx, visit, regen_area_.data(),
           term);
  }
  // A NaN stays (the stock is always listed). The margin covers a rounding
  // step of another order of the same sums.
  constexpr double kMargin = 1.0 + 1e-9;
  stock_count_[ps] = count;
  stock_top_[ps] = top * kMargin;
  stock_top_mask_[ps] = kinds_ <= 64 && !std::isnan(top) ? top_mask : ~uint64_t{0};
  stock_top_clock_[ps] = clock_;
}

// True when stock s's largest value may have fallen since it was found: a
// kind of the pattern that showed it was cut since (the others only fell).
bool ClosestSearch::TopMayHaveFallen(size_t s) const {
  if (kinds_ > 64) return true;
  for (uint64_t m = stock_top_mask_[s]; m != 0; m &= m - 1) {
    if (kind_changed_[static_cast<size_t>(__builtin_ctzll(m))] > stock_top_clock_[s]) return true;
  }
  return false;
}

bool ClosestSearch::FitsLeft(const int32_t* kind, const int32_t* count, int nz) const {
  for (int k = 0; k < nz; ++k) {
    if (count[k] > left_[static_cast<size_t>(kind[k])]) return false;
  }
  return true;
}

bool ClosestSearch::Fits(const TPatternPool& pool, int p) const {
  const int b = pool.NzBegin(p);
  return FitsLeft(pool.NzIndex() + b, pool.NzCount() + b, pool.NzEnd(p) - b);
}

// The value (see LoseValue, way 1) of a pattern not cut yet of utilisation
// `util` on the stock at `ps` with the closeness given.
inline double ClosestSearch::ValueNow(double util, size_t ps, double closeness) const {
  if (pending_) return LeadScoreAt(util, ps, 1.0, 1);
  return LeadScoreAt(util, ps, ScaledScoreAt(util, ps, closeness), 1);
}

// At least ValueNow(util, ps, closeness) for a utilisation of at most `util`
// whose fraction (util / 100) is at most `fraction`, without the division:
// the scores of ScaledScoreAt and LeadScoreAt (way 1) grow with both.
inline double ClosestSearch::ValueBound(double util, double fraction, size_t ps,
                                        double closeness) const {
  if (pending_ || cost_opt_) return ValueNow(util, ps, closeness);
  const double u2 = fraction * fraction;
  if (!opt_.FewPiecesPerKind) return util * (u2 * closeness + 1) + 1;
  const double u4 = u2 * u2;
  return util * util * (u4 * u4 * closeness + 1) + 1;
}

// A step on a pool listed unit by unit: the units in pool order, each listed
// when one of its stocks may win the step against the choice so far. A unit
// left out would only have shown patterns that lose.
int ClosestSearch::ChooseRegenerated(int way) {
  Choice choice = StartChoice();
  const bool may_skip = true;  // the scores only fall
  const bool cheap = RegeneratedPool.HasMasks() && way != 0 && !FixedValues();
  rates_ordered_ = false;
  order_rates_ = cheap;
  for (size_t u = 0; u + 1 < unit_begin_.size(); ++u) {
    if (!unit_listed_[u]) {
      if (!UnitMayWin(u, choice)) continue;
      // Scores fall as pieces are cut: the values of this step may show
      // that the unit loses after all, at less cost than its list.
      bool rescored = false;
      for (size_t k = unit_begin_[u]; k < unit_begin_[u + 1]; ++k) {
        const size_t ps = static_cast<size_t>(rank_order_[k]);
        if (WorkSheets[ps] != 0 && stock_count_[ps] != 0 && TopMayHaveFallen(ps)) {
          ScoreListing(rank_order_[k]);
          rescored = true;
        }
      }
      if (rescored && !UnitMayWin(u, choice)) continue;
      ListUnit(u);
    }
    GroupBound& gb = regen_group_bounds_[u];
    if (SkipGroup(gb, choice, may_skip)) continue;
    gb =
        ChooseInBlocks(unit_blocks_[u].first, unit_blocks_[u].second, way, cheap, may_skip, choice);
  }
  return choice.best;
}

bool ClosestSearch::UnitMayWin(size_t u, const Choice& choice) const {
  for (size_t k = unit_begin_[u]; k < unit_begin_[u + 1]; ++k) {
    const size_t ps = static_cast<size_t>(rank_order_[k]);
    if (WorkSheets[ps] == 0 || stock_count_[ps] == 0 || prio_[ps] > choice.best_prio) continue;
    if (!(stock_top_[ps] <= SkipBelow(choice, prio_[ps]))) return true;
  }
  return false;
}

// Lists unit u's stocks with bars left and appends their patterns.
void ClosestSearch::ListUnit(size_t u) {
  for (size_t k = unit_begin_[u]; k < unit_begin_[u + 1]; ++k) {
    const int s = rank_order_[k];
    if (WorkSheets[static_cast<size_t>(s)] != 0) ListStock(s);
  }
  const size_t first = RegeneratedPool.Blocks().size();
  AppendUnit(u);
  const size_t end = RegeneratedPool.Blocks().size();
  unit_blocks_[u] = {first, end};
  unit_listed_[u] = 1;
  regen_block_bounds_.resize(end);
}

// The stock's list for the pieces left, with the score bounds it carries.
void ClosestSearch::ListStock(int s) {
  const size_t u = static_cast<size_t>(s);
  const TLengthPatterns* entry = &pattern_cache_.Get(LeftParts, opt_.sheets[s], opt_.params.speed);
  const std::pair<uint64_t, int> key{entry->version, pass_id_};
  if (stock_bounds_key_[u] != key) {
    stock_bounds_key_[u] = key;
    stock_bounds_[u].assign(static_cast<size_t>(entry->patterns.Count()),
                            std::numeric_limits<double>::infinity());
  }
  stock_patterns_[u] = entry;
}

// Appends the patterns of unit u's listed stocks in the order
// TPatternPool::SortUtilization gives: a stock alone at its rank as listed;
// the utilisation-ordered lists of several merged (on equal utilisation the
// earlier stock first).
void ClosestSearch::AppendUnit(size_t u) {
  const size_t g = unit_begin_[u];
  const size_t end = unit_begin_[u + 1];
  if (end == g + 1) {
    const int s = rank_order_[g];
    const TLengthPatterns* e = stock_patterns_[static_cast<size_t>(s)];
    if (e != nullptr) {
      RegeneratedPool.AppendAll(e->patterns, s);
      NoteRegenerated(0, e->patterns.Count(), s);
    }
    return;
  }
  merge_pos_.assign(end - g, 0);
  for (;;) {
    int pick = -1;
    double pick_util = 0.0;
    for (size_t k = g; k < end; ++k) {
      const TLengthPatterns* e = stock_patterns_[static_cast<size_t>(rank_order_[k])];
      const size_t pos = merge_pos_[k - g];
      if (e == nullptr || pos >= static_cast<size_t>(e->patterns.Count())) continue;
      const double util = e->patterns.Util(static_cast<int>(pos));
      if (pick < 0 || util > pick_util) {
        pick = static_cast<int>(k);
        pick_util = util;
      }
    }
    if (pick < 0) break;
    const int s = rank_order_[static_cast<size_t>(pick)];
    const TLengthPatterns* e = stock_patterns_[static_cast<size_t>(s)];
    size_t& pos = merge_pos_[static_cast<size_t>(pick) - g];
    AppendRegenerated(*e, static_cast<int>(pos), s);
    ++pos;
  }
}

void ClosestSearch::AppendRegenerated(const TLengthPatterns& entry, int p, int32_t sheet) {
  RegeneratedPool.AppendCopy(entry.patterns, p, sheet);
  NoteRegenerated(p, 1, sheet);
}

void ClosestSearch::NoteRegenerated(int first, int n, int32_t sheet) {
  const std::vector<double>& bounds = stock_bounds_[static_cast<size_t>(sheet)];
  const int start = RegeneratedPool.Count() - n;
  for (int k = 0; k < n; ++k) {
    const int p = first + k;
    regen_origin_.push_back(p);
    const double bound = bounds[static_cast<size_t>(p)];
    regen_bounds_.push_back(bound);
    // An unknown score bounds nothing (with improvement passes pending the
    // values do not depend on it).
    const bool unknown = bound == std::numeric_limits<double>::infinity() && !pending_;
    regen_lose_.push_back(unknown ? bound : LoseValue(start + k, 1));
    regen_stamp_.push_back(-1);
  }
}

// Hands the score bounds of the regenerated pool of this pass back to its
// stocks. Pieces are only cut, never taken back, once a pass regenerates.
void ClosestSearch::KeepRegeneratedBounds() {
  if (regen_pass_ == pass_id_) {
    for (int p = 0; p < RegeneratedPool.Count(); ++p) {
      const size_t s = static_cast<size_t>(RegeneratedPool.Sheet(p));
      stock_bounds_[s][static_cast<size_t>(regen_origin_[static_cast<size_t>(p)])] =
          regen_bounds_[static_cast<size_t>(p)];
    }
  }
  regen_bounds_.clear();
  regen_lose_.clear();
  regen_stamp_.clear();
  regen_block_bounds_.clear();
  regen_top_util_.clear();
  regen_group_bounds_.clear();
}

void ClosestSearch::SyncLeftParts() {
  ++left_parts_version_;
  for (int i = 0; i < kinds_; ++i) {
    LeftParts[i].p_number = static_cast<int32_t>(left_[static_cast<size_t>(i)]);
  }
}

// Adds the bars of every pattern of the pool to the trial plan (merging equal
// patterns of the same stock label) and resets their bars to 0.
void ClosestSearch::FlushPool() {
  TPatternPool& pool = *pool_;
  if (pool_ == &RegeneratedPool && lazy_regen_) {
    // Units are listed out of order: pool order is unit by unit.
    std::sort(cut_.begin(), cut_.end(), [&](int a, int b) {
      const int32_t ua = unit_of_sheet_[static_cast<size_t>(pool.Sheet(a))];
      const int32_t ub = unit_of_sheet_[static_cast<size_t>(pool.Sheet(b))];
      return ua < ub || (ua == ub && a < b);
    });
  } else {
    std::sort(cut_.begin(), cut_.end());
  }
  for (int p : cut_) {
    int32_t& n = pool.number[static_cast<size_t>(p)];
    const int32_t lid = label_id_[static_cast<size_t>(pool.Sheet(p))];
    flush_counts_.resize(uk_);
    pool.CountsInto(p, flush_counts_.data());
    const int32_t* c = flush_counts_.data();
    auto same = [&](const TrialEntry& e) {
      return label_id_[static_cast<size_t>(e.sheet)] == lid &&
             std::memcmp(e.counts.data(), c, uk_ * sizeof(int32_t)) == 0;
    };
    const auto it = std::find_if(trial_.begin(), trial_.end(), same);
    if (it != trial_.end()) {
      it->bars += n;
    } else {
      trial_.push_back({pool.Sheet(p), n, std::vector<int32_t>(c, c + kinds_)});
    }
    n = 0;
  }
  cut_.clear();
}

// The trial plan as patterns, ordered by utilisation. A recycled pattern is
// one this function built before, its piece entries copies of the current
// piece list, so only the fields set here differ from a fresh one.
TSchemes ClosestSearch::BuildTrialPlan() {
  TSchemes plan;
  plan.schemes.reserve(trial_.size());
  for (const TrialEntry& e : trial_) {
    TPacket pattern = spare_patterns_.empty() ? TPacket(opt_.parts) : TakeSparePattern();
    SetPatternHeader(pattern, opt_.sheets[e.sheet], e.bars);
    for (int i = 0; i < kinds_; ++i) pattern.numbers[i].p_number = e.counts[static_cast<size_t>(i)];
    pattern.used_parts.RemoveAll();
    pattern.available_rects.RemoveAll();
    pattern.rFastUtil = pattern.UtRateShape();
    plan.schemes.push_back(std::move(pattern));
  }
  plan.SortByUtilizationDescending();
  return plan;
}

TPacket ClosestSearch::TakeSparePattern() {
  TPacket pattern = std::move(spare_patterns_.back());
  spare_patterns_.pop_back();
  return pattern;
}

// Keeps the patterns of a trial plan that the best plan did not take.
void ClosestSearch::RecyclePatterns(TSchemes& plan) {
  for (TPacket& p : plan.schemes) spare_patterns_.push_back(std::move(p));
  plan.schemes.clear();
}

// Learning: the kinds of the poorer half of the trial plan lose weight, those
// of the better half gain, once per bar.
void ClosestSearch::LearnFrom(const TSchemes& trial_plan) {
  const TPanels& parts = opt_.parts;
  const int n = trial_plan.Count();
  if (n >= 2 && trial_plan[n - 1].p_number > 0) {
    for (int k = 0; k < trial_plan[n - 1].p_number; ++k) {
      WeightList.MinusSquare(trial_plan[n - 1].numbers, parts, parts, avgArea_);
    }
  }
  for (int pos = n - 2; pos >= n / 2 + 1; --pos) {
    for (int k = 0; k < trial_plan[pos].p_number; ++k) {
      WeightList.MinusSquare(trial_plan[pos].numbers, parts, parts, avgArea_);
    }
  }
  for (int pos = 0; pos <= n / 2 - 1; ++pos) {
    for (int k = 0; k < trial_plan[pos].p_number; ++k) {
      WeightList.PlusSquare(trial_plan[pos].numbers, parts, parts, avgArea_);
    }
  }
}

// Scores a successful trial against the best plan and applies the stop rules
// that follow a success. Returns true to end the search.
bool ClosestSearch::ScoreTrial(int r, TSchemes& trial_plan) {
  TSchemes& best_result = opt_.best_result;
  // A plan on unlimited stocks never replaces one found within the stock.
  if (!(seen_within_stock_ && unlimited_)) {
    if (best_result.Empty() || opt_.CompareResult(best_result, trial_plan) < 0) {
      // A best plan this search built goes back to the spare patterns.
      if (best_is_own_) {
        std::swap(best_result, trial_plan);
      } else {
        best_result = std::move(trial_plan);
      }
      best_is_own_ = true;
      last_improving_ = r;
    }
  }
  if (pending_ && r - last_improving_ > tuning::kPendingStagnantPasses && !best_result.Empty()) {
    return true;
  }
  // One bar of the only stock cannot be beaten.
  if (nsheets_ == 1 && best_result.Count() == 1 && best_result[0].p_number == 1) return true;
  if (!unlimited_) seen_within_stock_ = true;
  if (static_cast<int64_t>(opt_.Now() - start_time_) > opt_.params.time_limit_seconds) {
    opt_.TimeLimitReached = true;
    return true;
  }
  return opt_.Cancelled();
}

std::string ClosestSearch::Finish() {
  TSchemes& best_result = opt_.best_result;
  if (best_result.Empty()) {
    std::string msg = opt_.params.texts.MSG_CANT_GET_RESULT;
    if (opt_.params.min_offcut_size > 0) {
      msg.append("\r\nSetup Minimum Offcut Size to 0, try it again.");
    }
    return msg;
  }
  std::erase_if(best_result.schemes, [](const TPacket& p) { return p.p_number == 0; });
  for (TPacket& p : best_result.schemes) p.SortUsedParts();
  opt_.m_rest_sheets = opt_.sheets;
  for (const TPacket& p : best_result.schemes) {
    T2DStock& rest = opt_.m_rest_sheets[p.p_id];
    rest.SetNegativeNumber(rest.p_number - p.p_number);
  }
  return {};
}

std::string TOptimize2d::GenBestResultClosest(int m_Optimize_way,
                                              std::vector<TPacket>* spare_patterns) {
  return ClosestSearch(*this, m_Optimize_way, spare_patterns).Run();
}

}  // namespace tralvin
