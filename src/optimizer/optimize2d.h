// TOptimize2d: the optimisation driver. The job fills it with the stocks and
// pieces of one material type, calls Run and reads the plan (`best_result`)
// and the stock and piece lists from it.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "optimizer/optimize_params.h"
#include "optimizer/panels.h"
#include "optimizer/pattern_pool.h"
#include "optimizer/schemes.h"
#include "optimizer/search_tuning.h"
#include "optimizer/seeds.h"

namespace tralvin {

// Largest number of piece kinds one stage of Run handles.
inline constexpr int StageSize = 32;

// The optimiser's own pseudo-random numbers 0 .. n-1 from `state`.
int32_t OptimizerRandom(int64_t& state, int32_t n);

class TOptimize2d {
 public:
  TOptimize2d() = default;

  // Empties the generator holder, both plans and all four lists.
  void RemoveAll();

  // Input. Each returns a message text, empty when accepted.
  std::string AddPart(const std::string& m_label, const std::string& m_disp_X,
                      const std::string& m_disp_Y, const std::string& m_disp_comment, int32_t m_cx,
                      int32_t m_cy, bool b_rotate, int32_t m_number, int32_t m_min_number,
                      PANEL_SHAPE m_shape = PANEL_SHAPE::shRect);
  std::string AddSheet(const std::string& m_label, const std::string& m_disp_X,
                       const std::string& m_disp_Y, const std::string& m_disp_comment,
                       const std::string& m_disp_heatnumber, int32_t m_cx, int32_t m_max_cx,
                       int32_t m_cy, int32_t m_number, int32_t m_priority, int32_t m_cost,
                       PANEL_OWNER m_owner = PANEL_OWNER::owSheet);

  // The staged run: empty message when a plan was found (then `best_result`
  // is not empty).
  std::string Run();

  // Preparation steps of a stage.
  std::string GenAllPartsId();
  std::string GenAllRealXY();
  std::string NormalAvailable();
  std::string GenAllSeeds();
  void GenAllSchemes();

  // The best-plan search of one stage (way 0, 1 or 2). `spare_patterns`, if
  // given, holds patterns of earlier trial plans whose piece entries are
  // copies of the current piece list; the search refills them for its trial
  // plans and leaves there the ones no plan kept.
  std::string GenBestResultClosest(int m_Optimize_way,
                                   std::vector<TPacket>* spare_patterns = nullptr);
  // Rewrites every `number` of `pPanels` as a weight; returns the average
  // piece area.
  double GenPowerValue(TPanels& pPanels, int m_GenType);
  // -1 when `pSchemes2` is better than `pSchemes1`, 1 otherwise.
  int CompareResult(const TSchemes& pSchemes1, const TSchemes& pSchemes2) const;

  // Draws from OptimizerRandomState.
  int32_t OptimizerRandom(int32_t n) { return tralvin::OptimizerRandom(OptimizerRandomState, n); }

  // Data of the driver.
  int32_t m_result_const = 0;
  int32_t m_best_result_const = 0;
  TSeeds all_seeds;
  TPatternPool all_schemes;
  TSchemes best_result;
  TPanels MinParts;
  TPanels parts;
  TPanels sheets;
  TPanels m_rest_sheets;

  // Job-wide values and the flags Run sets for the search.
  TOptimizeParams params;
  bool SingleStageRun = false;
  bool ImprovementPassesPending = false;
  bool FewPiecesPerKind = false;
  int64_t OptimizerRandomState = 479;
  // Set when a search of the latest Run ended on its time limit.
  bool TimeLimitReached = false;

 private:
  friend class ClosestSearch;
  friend class StagedRun;

  void SortPartsByArea();
  void Progress(TProgressKind kind) const;
  void ProgressStepMaybeRepaint();
  double Now() const;
  bool Cancelled() const;

  std::minstd_rand repaint_rng_;
  // Regenerated pools a pass may use before it fails. Run lifts the bound for
  // a second attempt at a stage whose searches found no plan at all.
  int max_regenerations_ = tuning::kMaxRegenerations;
};

}  // namespace tralvin
