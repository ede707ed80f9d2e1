// Bringing the stock and piece tables up to date after the plan was cut: the
// used bars and the produced pieces are taken off, and every leftover at least
// the minimum offcut length becomes (or adds to) a stock row.
#pragma once

#include <string>
#include <vector>

#include "results/cut_pattern.h"
#include "tables/string_grid.h"

namespace tralvin {

class CaptionTable;

// The settings the update reads when it runs.
struct UpdateSettings {
  std::string minOffcutLengthText;  // "Min. Length" of reusable offcuts, as typed
  std::string offcutPrefix;         // put in front of every offcut label
  bool bestDimensionMode = false;   // the plan chose its stock length
};

enum class UpdateStatus {
  Done,              // all three steps ran
  NoPlan,            // nothing changed; message is MSG_LAYOUT_IS_EMPTY
  InvalidMinLength,  // bars and pieces were taken off, no leftover added
  BadCell,           // a quantity cell is not a whole number; later steps not run
};

struct UpdateOutcome {
  UpdateStatus status = UpdateStatus::Done;
  std::string message;         // the warning to show; empty when Done
  bool disableButton = false;  // "Update All" is used up for this plan
};

// Each step throws ConversionError (app/pubfunc.h) when a quantity cell it
// must change does not hold a whole number; the cells changed before stay.

// Stock quantity -= bars of every pattern cut from the row (label and type
// matched after trimming). The table is left alone in best-dimension mode.
void TakeOffUsedBars(StringGrid& sheets, const std::vector<CutPattern>& plan,
                     bool bestDimensionMode);

// Maximum quantity -= pieces produced (not limited); quantity likewise, but
// not below 0.
void TakeOffProducedPieces(StringGrid& parts, const std::vector<CutPattern>& plan);

// Adds every leftover of at least `minLength` (scaled; 0 counts as 1) as a
// stock row labelled prefix + length + "_1", or adds its bars to the row of
// that label and type. Nothing is added in best-dimension mode.
void AddLeftoversToSheets(StringGrid& sheets, const std::vector<CutPattern>& plan,
                          int32_t minLength, const std::string& prefix, bool bestDimensionMode);

// "Update All": the three steps in order, with the checks and messages of the
// command. The caller disables the button when the outcome says so.
UpdateOutcome UpdateAll(StringGrid& sheets, StringGrid& parts, const std::vector<CutPattern>& plan,
                        const UpdateSettings& settings, const CaptionTable& captions);

// Whether "Update All" may still be used: enabled by the start of every job,
// used up by an update that got past its bad-cell checks.
class UpdateAllState {
 public:
  void JobStarted() { enabled_ = true; }
  void Apply(const UpdateOutcome& outcome) {
    if (outcome.disableButton) enabled_ = false;
  }
  bool Enabled() const { return enabled_; }

 private:
  bool enabled_ = false;
};

}  // namespace tralvin
