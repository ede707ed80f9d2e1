// The job body: settings and tables read, one driver run per material type,
// the per-type plans merged and finished.
#include "app/job.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <exception>
#include <limits>
#include <memory>
#include <optional>

#include "app/grid_reader.h"
#include "app/job_best_dimension.h"
#include "base/pubfunc.h"
#include "optimizer/near_optimal.h"
#include "optimizer/optimize2d.h"
#include "texts/message_text.h"

namespace tralvin {

namespace {

// The width every record of this edition has (one display unit).
constexpr int32_t kUnitWidth = 1000;

class ProgressBar {
 public:
  explicit ProgressBar(const JobProgress& sink) : sink_(sink) {}
  // Past the end the bar starts over, as a stepped progress bar does.
  void Step() {
    position_ = position_ >= kJobProgressMax ? 0 : position_ + 1;
    if (sink_) sink_(position_);
  }
  void Fill() {
    position_ = kJobProgressMax;
    if (sink_) sink_(position_);
  }

 private:
  const JobProgress& sink_;
  int position_ = 0;
};

std::string NotePrefix(const CaptionTable& captions, const std::string& type) {
  return "------>  " + captions.Text("Material Type Caption") + " [" + type + "] ";
}

// The first piece with a maximum above 0 that no stock of its type can hold.
const T2DStock* PieceThatFitsNoStock(const TPanels& pieces, const TPanels& stocks,
                                     bool bestDimensionMode) {
  for (const T2DStock& p : pieces.Items()) {
    if (p.p_number <= 0) continue;
    const bool fits =
        std::any_of(stocks.Items().begin(), stocks.Items().end(), [&](const T2DStock& s) {
          const int32_t length = bestDimensionMode ? s.p_max_cx : s.p_cx;
          return s.MatType == p.MatType && length >= p.p_cx;
        });
    if (!fits) return &p;
  }
  return nullptr;
}

// What the job's lower bound measures: cost with cost optimisation, bars when
// every material type has one stock length, else the length of the bars.
BoundKind JobBoundKind(const TPanels& stocks, bool costOptimize) {
  if (costOptimize) return BoundKind::Cost;
  for (const T2DStock& a : stocks.Items()) {
    for (const T2DStock& b : stocks.Items()) {
      if (a.MatType == b.MatType && a.p_cx != b.p_cx) return BoundKind::Length;
    }
  }
  return BoundKind::Bars;
}

// A stock's length or width less twice an edge trim (0 or more); nullopt when
// twice the trim is past the largest 32-bit length.
std::optional<int32_t> Trimmed(int32_t length, int32_t edge) {
  const int64_t twice = 2 * int64_t{edge};
  if (twice > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(int64_t{length} - twice);
}

std::vector<std::string> DistinctTypes(const TPanels& stocks) {
  std::vector<std::string> types;
  for (const T2DStock& s : stocks.Items()) {
    if (std::find(types.begin(), types.end(), s.MatType) == types.end()) types.push_back(s.MatType);
  }
  return types;
}

// A steady clock in seconds that, once `stop` is set, moves a million
// seconds forward at every reading, so that every search in progress or yet to
// start sees its time limit passed at its next check and ends as the time
// limit ends it, keeping its best plan.
std::function<double()> StoppableClock(const std::atomic<bool>* stop) {
  auto jump = std::make_shared<double>(0.0);
  return [stop, jump]() {
    if (stop->load(std::memory_order_relaxed)) *jump += 1e6;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(now).count() + *jump;
  };
}

class Job {
 public:
  Job(JobOutcome& out, const JobInput& in, const JobProgress& progress,
      const std::atomic<bool>* cancel, const std::atomic<bool>* stop)
      : out_(out), in_(in), bar_(progress), cancel_(cancel), stop_(stop) {}

  void StartOptimizeProcess();

 private:
  bool ReadInput();
  void SetDriverParameters();
  // False when the job must end (LastErrorText set).
  bool ProcessType(const std::string& type);
  void FinishPlan();

  JobOutcome& out_;
  const JobInput& in_;
  ProgressBar bar_;
  const std::atomic<bool>* cancel_;
  const std::atomic<bool>* stop_;
  const CaptionTable& captions() const { return in_.captions; }

  TPubFunc pub_;
  TOptimize2d driver_;
  TPanels gridStocks_, gridPieces_, gridPiecesRequired_;
  TSchemes jobSchemes_;
  TPanels jobSheets_, jobParts_, jobMinParts_, jobRestSheets_;
  std::string lastDriverError_;
  // The job's lower bound, summed over the planned types.
  BoundKind boundKind_ = BoundKind::Bars;
  double bound_ = 0;
  bool boundValid_ = true;
};

bool Job::ReadInput() {
  SettingsMessage option = out_.settings.ReadOption(pub_, captions());
  if (!option.ok) {
    out_.LastErrorText = option.text;
    out_.settingsFocus = option.focus;
    return false;
  }
  if (auto failure =
          ReadSheetsGrid(out_.sheets, in_.bestDimensionMode, pub_, captions(), gridStocks_)) {
    out_.LastErrorText = failure->message;
    out_.gridFailure = failure;
    return false;
  }
  if (auto failure =
          ReadPartsGrid(out_.parts, pub_, captions(), gridPieces_, gridPiecesRequired_)) {
    out_.LastErrorText = failure->message;
    out_.gridFailure = failure;
    return false;
  }
  return true;
}

void Job::SetDriverParameters() {
  const JobParameters& p = out_.settings.params;
  TOptimizeParams& d = driver_.params;
  d.blade_width = p.BladeWidth;
  d.speed = p.Speed;
  d.cost_optimize = p.CostOptimize;
  d.bundle_optimize = p.BundleOptimize;
  d.best_dimension = in_.bestDimensionMode;
  d.min_offcut_size = p.MinOffcutSize;
  d.time_limit_seconds = 120;
  d.cancel = cancel_;
  if (stop_ != nullptr) d.clock = StoppableClock(stop_);
  d.texts = TOptimizerTexts::FromCaptions(captions());
  d.progress = [this](TProgressKind kind) {
    if (kind == TProgressKind::Step) bar_.Step();
    if (kind == TProgressKind::Fill) bar_.Fill();
  };
  // The fast-optimise setting never reaches a job.
  out_.settings.params.FastOptimize = false;

  out_.plan.bladeWidth = p.BladeWidth;
  out_.plan.bladeWidthText = p.BladeWidthText;
  out_.plan.measure = p.Measure;
  out_.plan.bestDimensionMode = in_.bestDimensionMode;
}

bool Job::ProcessType(const std::string& type) {
  const JobParameters& settings = out_.settings.params;
  lastDriverError_.clear();
  driver_.RemoveAll();

  if (const T2DStock* p = PieceThatFitsNoStock(gridPieces_, gridStocks_, in_.bestDimensionMode)) {
    out_.LastErrorText = "ERROR :[" + p->p_lab + "] [" + p->MatType + "]" + p->disp_XSize +
                         " is longer than all raw stocks" +
                         " or can NOT find any raw stocks with material type : [" + p->MatType +
                         "]";
    return false;
  }
  for (const T2DStock& s : gridStocks_.Items()) {
    if (s.MatType != type) continue;
    const std::optional<int32_t> length = Trimmed(s.p_cx, settings.WidthEdge);
    const std::optional<int32_t> width = Trimmed(kUnitWidth, settings.LengthEdge);
    if (!length || !width) {
      // Twice the trim is past the largest length: no length is left to cut.
      out_.LastErrorText = "\"" + s.p_lab + "\" edge trim " +
                           (length ? "LENGTH_EDGE" : "WIDTH_EDGE") + " is too large";
      out_.settingsFocus = length ? SettingsField::EditHeightEdige : SettingsField::EditWidthEdge;
      return false;
    }
    std::string e = driver_.AddSheet(s.p_lab, s.disp_XSize, s.disp_YSize, s.disp_Comment, "",
                                     *length, s.p_max_cx, *width, s.p_number, s.Priority, s.p_cost,
                                     PANEL_OWNER::owSheet);
    if (!e.empty()) {
      out_.LastErrorText = e;
      return false;
    }
  }
  for (int i = 0; i < gridPieces_.Count(); ++i) {
    const T2DStock& p = gridPieces_[i];
    if (p.p_number <= 0 || p.MatType != type) continue;
    std::string e =
        driver_.AddPart(p.p_lab, p.disp_XSize, p.disp_YSize, p.disp_Comment, p.p_cx, p.p_cy,
                        p.p_can_rotate, p.p_number, gridPiecesRequired_[i].p_number, p.p_shape);
    if (!e.empty()) {
      out_.LastErrorText = e + "=[" + p.p_lab + "]";
      return false;
    }
  }
  if (driver_.parts.Empty()) {
    out_.plan.notes.push_back(NotePrefix(captions(), type) + captions().Text("Tab Pieces") + "'" +
                              captions().Text("Part Qty Caption") + "=0");
    return true;
  }
  bar_.Step();
  if (in_.bestDimensionMode) {
    if (driver_.sheets.Count() > 1) {
      out_.plan.notes.push_back(NotePrefix(captions(), type) + "\"" +
                                MessageText(captions(), "MSG_ONE_STOCK_PER_TYPE_IN_FIND_DIMENSION",
                                            ". only allow one record per material type.") +
                                "\"");
      return true;
    }
    SearchBestDimension(driver_);
  }
  // The near-optimal method plans a type unless a stock length is being chosen.
  const bool nearOptimal =
      settings.OptimizeMethod == kOptimizeMethodNearOptimal && !in_.bestDimensionMode;
  const std::string e = nearOptimal ? RunNearOptimal(driver_) : driver_.Run();
  if (!e.empty()) {
    lastDriverError_ = e;
    out_.plan.notes.push_back(NotePrefix(captions(), type) + "\"" + e + "\"");
    return true;
  }
  for (TPacket& p : driver_.best_result.schemes) p.MatType = type;
  for (T2DStock& s : driver_.sheets.Items()) s.MatType = type;
  for (T2DStock& p : driver_.parts.Items()) p.MatType = type;
  if (in_.bestDimensionMode) {
    boundValid_ = false;
  } else {
    const PlanBound b = LowerBoundOf(driver_.parts, driver_.MinParts, driver_.sheets,
                                     driver_.params.blade_width, boundKind_);
    boundValid_ = boundValid_ && b.valid;
    bound_ += b.value;
  }
  jobSchemes_.AppendSchemes(driver_.best_result);
  jobSheets_.AppendPanels(driver_.sheets);
  jobParts_.AppendPanels(driver_.parts);
  jobMinParts_.AppendPanels(driver_.MinParts);
  jobRestSheets_.AppendPanels(driver_.m_rest_sheets);
  return true;
}

void Job::FinishPlan() {
  const int32_t blade = driver_.params.blade_width;
  for (TPacket& p : driver_.best_result.schemes) p.FinishPattern(blade);
  driver_.parts = jobParts_;
  driver_.MinParts = jobMinParts_;
  driver_.sheets = jobSheets_;
  driver_.m_rest_sheets = jobRestSheets_;
  for (TPacket& p : driver_.best_result.schemes) {
    for (T2DStock& e : p.numbers.Items()) e.MatType = p.MatType;
    for (T2DStock& e : p.used_parts.Items()) e.MatType = p.MatType;
  }
  driver_.best_result.SortUtilization();
}

void Job::StartOptimizeProcess() {
  if (!ReadInput()) return;
  SetDriverParameters();
  boundKind_ = JobBoundKind(gridStocks_, driver_.params.cost_optimize);
  out_.plan.optimizeMethod = out_.settings.params.OptimizeMethod;
  for (const std::string& type : DistinctTypes(gridStocks_)) {
    if (!TypeTakesPart(in_.types, type)) continue;
    if (!ProcessType(type)) return;
  }
  driver_.best_result = jobSchemes_;
  if (driver_.best_result.Empty()) {
    out_.LastErrorText = MessageText(captions(), "MSG_CANT_GET_RESULT",
                                     "can not get solution, please check the data.") +
                         lastDriverError_;
    return;
  }
  FinishPlan();
  out_.plan.best_result = std::move(driver_.best_result);
  out_.plan.sheets = std::move(driver_.sheets);
  out_.plan.parts = std::move(driver_.parts);
  out_.plan.MinParts = std::move(driver_.MinParts);
  out_.plan.m_rest_sheets = std::move(driver_.m_rest_sheets);
  out_.plan.costOptimize = driver_.params.cost_optimize;
  if (boundValid_) {
    JobPlan& plan = out_.plan;
    plan.hasLowerBound = true;
    plan.lowerBoundKind = boundKind_;
    const double scale = boundKind_ == BoundKind::Bars ? 1.0 : 1000.0;
    plan.lowerBound = bound_ / scale;
    plan.planValue = PlanValueOf(plan.best_result, plan.bladeWidth, boundKind_) / scale;
    plan.gap = plan.lowerBound > 0 ? (plan.planValue / plan.lowerBound - 1.0) * 100.0 : 0.0;
  }
}

}  // namespace

JobOutcome RunJob(JobInput input, const JobProgress& progress, const std::atomic<bool>* cancel,
                  const std::atomic<bool>* stop) {
  JobOutcome out;
  out.settings = input.settings;
  out.sheets = input.sheets;
  out.parts = input.parts;
  try {
    Job job(out, input, progress, cancel, stop);
    job.StartOptimizeProcess();
  } catch (const std::exception& e) {
    out.LastErrorText = MessageText(input.captions, "MSG_CANT_GET_RESULT",
                                    "can not get solution, please check the data.") +
                        "[" + e.what() + "]";
  } catch (...) {
    out.LastErrorText = MessageText(input.captions, "MSG_CANT_GET_RESULT",
                                    "can not get solution, please check the data.") +
                        "[]";
  }
  if (!out.LastErrorText.empty()) out.plan.best_result.RemoveAll();
  out.stopped = out.Succeeded() && stop != nullptr && stop->load();
  return out;
}

}  // namespace tralvin
