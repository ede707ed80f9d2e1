// TOptimize2d::Run: the staged run. Problems of more than StageSize piece
// kinds are cut in stages of at most StageSize kinds, followed by improvement
// passes; every stage prepares its candidate patterns and searches its best
// plan three times.
#include <algorithm>
#include <chrono>
#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

#include "optimizer/optimize2d.h"

namespace tralvin {

namespace {

// The positions of each label in a list, ascending, so that a plan is taken
// off long lists without searching them for every pattern.
class LabelIndex {
 public:
  explicit LabelIndex(const TPanels& list) {
    for (int i = 0; i < list.Count(); ++i) at_[list[i].p_lab].push_back(i);
  }
  const std::vector<int>& Of(const std::string& lab) const {
    static const std::vector<int> kNone;
    const auto it = at_.find(lab);
    return it == at_.end() ? kNone : it->second;
  }

 private:
  std::unordered_map<std::string, std::vector<int>> at_;
};

// Takes the pieces and bars of `patterns` off the remaining quantities `rest`
// (the first kind of each label) and the stocks `stocks` (every stock of the
// pattern's label).
void SubtractPatterns(const std::vector<TPacket>& patterns, TPanels& rest, TPanels& stocks) {
  const LabelIndex rest_at(rest);
  const LabelIndex stock_at(stocks);
  for (const TPacket& pattern : patterns) {
    for (const T2DStock& e : pattern.numbers.Items()) {
      const std::vector<int>& at = rest_at.Of(e.p_lab);
      if (!at.empty()) rest[at.front()].p_number -= e.p_number * pattern.p_number;
    }
    for (const int s : stock_at.Of(pattern.p_lab)) stocks[s].p_number -= pattern.p_number;
  }
}

}  // namespace

// The staged run: the piece and stock lists as given, the plan of all stages
// so far and the steps of one stage.
class StagedRun {
 public:
  explicit StagedRun(TOptimize2d& opt);
  std::string Run();

 private:
  // How the preparation of a stage ended.
  enum class Prepared { Ok, Finish, Abort };

  bool CollectActive();
  bool SelectStageKinds();
  void SelectPartialStage();
  void AddKind(int i, int32_t required);
  int32_t StillRequired(int i) const { return C[i].p_number - (A[i].p_number - B[i].p_number); }
  Prepared PrepareStage(std::string& msg);
  std::string SearchStage();
  bool MergeCompleteStage();
  void MergePartialStage();
  std::string Finish(std::string result);

  TOptimize2d& opt_;
  double max_stock_area_ = std::numeric_limits<double>::lowest();
  // The pieces (A), their remaining quantities (B), requirements (C) and the
  // stocks (D) as given; P: the plan of all stages so far.
  TPanels A, B, C, D;
  TSchemes P;
  int kinds_ = 0;
  int improvement_passes_ = 0;
  std::vector<int> active_;
  std::vector<TPacket> spare_patterns_;  // see SearchStage
};

StagedRun::StagedRun(TOptimize2d& opt) : opt_(opt) {
  opt_.repaint_rng_.seed(static_cast<std::minstd_rand::result_type>(
      std::chrono::steady_clock::now().time_since_epoch().count()));
  opt_.TimeLimitReached = false;
  for (const T2DStock& s : opt_.sheets.Items()) {
    max_stock_area_ = std::max(max_stock_area_, s.area());
  }
  opt_.SortPartsByArea();
  A = opt_.parts;
  B = opt_.parts;
  C = opt_.MinParts;
  D = opt_.sheets;
  kinds_ = A.Count();
  improvement_passes_ = kinds_ > StageSize ? tuning::kImprovementPasses : 0;
  opt_.SingleStageRun = kinds_ <= StageSize;
  active_.reserve(static_cast<size_t>(kinds_));
}

std::string StagedRun::Run() {
  std::string result;
  for (;;) {
    if (opt_.Cancelled()) break;
    opt_.best_result.RemoveAll();
    if (!CollectActive()) break;
    const bool partial = SelectStageKinds();
    std::string msg;
    const Prepared prepared = PrepareStage(msg);
    if (prepared == Prepared::Finish) {
      result = msg;
      break;
    }
    if (prepared == Prepared::Abort) return msg;
    msg = SearchStage();
    if (!msg.empty()) return msg;
    opt_.best_result.SortUtilization();
    if (partial) {
      MergePartialStage();
    } else if (!MergeCompleteStage()) {
      break;
    }
  }
  return Finish(result);
}

// The kinds whose requirement is not met yet (a kind whose maximum is its
// requirement is done when met; others may take one more stage).
bool StagedRun::CollectActive() {
  active_.clear();
  for (int i = 0; i < kinds_; ++i) {
    const int32_t produced = A[i].p_number - B[i].p_number;
    const bool is_active =
        C[i].p_number == A[i].p_number ? produced < C[i].p_number : produced <= C[i].p_number;
    if (is_active) active_.push_back(i);
  }
  return !active_.empty();
}

void StagedRun::AddKind(int i, int32_t required) {
  T2DStock rec(B[i]);
  rec.RemoveDispValue();
  opt_.parts.AddPanel(rec);
  rec.p_number = required;
  opt_.MinParts.AddPanel(rec);
}

// The piece lists of the stage; true when it holds only part of the kinds.
bool StagedRun::SelectStageKinds() {
  opt_.parts.RemoveAll();
  opt_.MinParts.RemoveAll();
  const bool partial = static_cast<int>(active_.size()) > StageSize;
  if (partial) {
    SelectPartialStage();
  } else {
    for (int i : active_) AddKind(i, StillRequired(i));
  }
  return partial;
}

// A partial stage: the largest kinds up to an area of a few stocks, each
// required or not at random, then the smallest kinds as fillers.
void StagedRun::SelectPartialStage() {
  const int na = static_cast<int>(active_.size());
  int pos = 0;
  for (; pos < na && pos < tuning::kStageHeadKinds; ++pos) {
    const int i = active_[static_cast<size_t>(pos)];
    AddKind(i, opt_.OptimizerRandom(2) == 0 ? 0 : StillRequired(i));
  }
  int added = 0;
  while (pos < na) {
    if (opt_.parts.GetTotalArea() >= tuning::kStageAreaInStocks * max_stock_area_ &&
        added >= tuning::kStageHeadKinds) {
      break;
    }
    const int i = active_[static_cast<size_t>(pos)];
    AddKind(i, opt_.OptimizerRandom(2) == 0 ? 0 : StillRequired(i));
    ++added;
    ++pos;
  }
  const int last_taken = pos - 1;
  int fillers = 0;
  for (int q = na - 1; q > last_taken && fillers < tuning::kStageTailKinds; --q, ++fillers) {
    AddKind(active_[static_cast<size_t>(q)], 0);
  }
}

// Ids, sizes with the blade, fit check, seeds and the candidate patterns.
StagedRun::Prepared StagedRun::PrepareStage(std::string& msg) {
  msg = opt_.GenAllPartsId();
  opt_.Progress(TProgressKind::Step);
  if (!msg.empty()) return Prepared::Finish;
  opt_.GenAllRealXY();
  opt_.Progress(TProgressKind::Step);
  msg = opt_.NormalAvailable();
  if (!msg.empty()) return Prepared::Abort;
  msg = opt_.GenAllSeeds();
  opt_.Progress(TProgressKind::Step);
  if (!msg.empty()) return Prepared::Abort;
  opt_.GenAllSchemes();
  opt_.Progress(TProgressKind::Step);
  return Prepared::Ok;
}

// Three searches on the same best plan; a failure of any call sticks.
std::string StagedRun::SearchStage() {
  opt_.ImprovementPassesPending = improvement_passes_ > 0;
  // Trial patterns left from earlier searches take the stage's piece list,
  // as a fresh pattern would: the searches then refill them instead of
  // copying the piece list into new ones.
  for (TPacket& p : spare_patterns_) p.numbers = opt_.parts;
  auto search_three_ways = [this]() {
    std::string stage_msg;
    for (int way : {2, 1, 0}) {
      std::string msg = opt_.GenBestResultClosest(way, &spare_patterns_);
      if (stage_msg.empty()) stage_msg = std::move(msg);
    }
    return stage_msg;
  };
  std::string stage_msg = search_three_ways();
  if (!stage_msg.empty() && opt_.best_result.Empty() && !opt_.Cancelled()) {
    // No pass found any plan within the bound on regenerated pools, which
    // happens with many similar piece kinds at the fast speeds although
    // every piece fits a stock. Search the stage again without that bound
    // rather than report a feasible job as unsolvable.
    opt_.max_regenerations_ = std::numeric_limits<int>::max();
    stage_msg = search_three_ways();
    opt_.max_regenerations_ = tuning::kMaxRegenerations;
  }
  opt_.Progress(TProgressKind::Fill);
  return stage_msg;
}

// A complete stage joins the plan. With improvement passes left, the better
// half of the plan is kept and the rest is planned again; false when done.
bool StagedRun::MergeCompleteStage() {
  P.AddAllToResult(opt_.best_result.schemes);
  if (improvement_passes_ == 0) return false;
  --improvement_passes_;
  P.SortUtilization();
  P.schemes.erase(P.schemes.begin() + P.Count() / 2, P.schemes.end());
  B = A;
  opt_.sheets = D;
  SubtractPatterns(P.schemes, B, opt_.sheets);
  return true;
}

// A partial stage joins the plan; the stocks return to nominal sizes.
void StagedRun::MergePartialStage() {
  const int32_t blade = opt_.params.blade_width;
  SubtractPatterns(opt_.best_result.schemes, B, opt_.sheets);
  P.AddAllToResult(opt_.best_result.schemes);
  for (T2DStock& s : opt_.sheets.Items()) {
    s.p_cx -= blade;
    s.p_cy -= blade;
  }
}

// The plan of all stages with the display texts of the pieces; an empty plan
// is never reported as success (no active piece kind, or a cancelled run).
std::string StagedRun::Finish(std::string result) {
  opt_.parts = A;
  opt_.MinParts = C;
  opt_.sheets = D;
  opt_.best_result = std::move(P);
  // Every entry takes the texts of the first piece kind of its label.
  const LabelIndex part_at(opt_.parts);
  auto copy_texts = [this, &part_at](T2DStock& e) {
    const std::vector<int>& at = part_at.Of(e.p_lab);
    if (!at.empty()) e.CopyExtInfo(opt_.parts[at.front()]);
  };
  for (TPacket& p : opt_.best_result.schemes) {
    for (T2DStock& e : p.numbers.Items()) copy_texts(e);
    for (T2DStock& e : p.used_parts.Items()) {
      copy_texts(e);
      opt_.ProgressStepMaybeRepaint();
    }
  }
  if (result.empty() && (opt_.best_result.Empty() || opt_.Cancelled())) {
    result = opt_.params.texts.MSG_CANT_GET_RESULT;
  }
  return result;
}

std::string TOptimize2d::Run() { return StagedRun(*this).Run(); }

}  // namespace tralvin
