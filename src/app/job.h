// The optimisation job: reads the settings and both tables from a snapshot,
// splits the work by material type, runs the driver for each type (with the
// optional search for the best stock length), and merges the per-type plans
// into one. The snapshot makes the job independent of the window, so it can
// run on a worker thread; progress goes to a callback.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include "app/settings.h"
#include "results/job_plan.h"
#include "tables/material_types.h"
#include "tables/string_grid.h"
#include "tables/table_grids.h"
#include "texts/caption_table.h"

namespace tralvin {

// Everything the job reads, copied from the window when the job starts.
struct JobInput {
  SettingsModel settings;
  StringGrid sheets{7, 2};
  StringGrid parts{6, 2};
  bool bestDimensionMode = false;
  MaterialTypeLists types;
  CaptionTable captions;
};

// The progress bar of a job: range 0 .. kJobProgressMax, one step at a time.
inline constexpr int kJobProgressMax = 1024;
// Receives the bar's new position; called on the job's thread.
using JobProgress = std::function<void(int position)>;

struct JobOutcome {
  JobPlan plan;               // empty plan when the job failed
  std::string LastErrorText;  // the failure; empty on success

  // Where a validation failure takes the user: the Settings tab with this
  // edit focused, or the grid page with this cell selected.
  SettingsField settingsFocus = SettingsField::None;
  std::optional<GridFailure> gridFailure;

  // The snapshot as the job left it: cells the grid reading filled in (empty
  // cost or priority set to "0", quantities copied across) and the settings
  // the reader normalised keep their new text even when the job failed.
  SettingsModel settings;
  StringGrid sheets;
  StringGrid parts;

  // The user stopped the search early; the plan is the best one found by then.
  bool stopped = false;

  bool Succeeded() const { return plan.HasPlan(); }
};

// Runs one job on the calling thread (the worker's body): the job, with any
// exception that escapes it turned into MSG_CANT_GET_RESULT + "[" + text + "]".
// The driver's own random generator starts from the fixed state 479, so the
// same tables give the same plan. `cancel`, when set from another thread,
// ends the driver's searches early and the job fails (the program is closing).
// `stop`, when set, ends every search from then on as its time limit would:
// each keeps the best plan it has found, so the job still gives a plan.
JobOutcome RunJob(JobInput input, const JobProgress& progress = {},
                  const std::atomic<bool>* cancel = nullptr,
                  const std::atomic<bool>* stop = nullptr);

}  // namespace tralvin
