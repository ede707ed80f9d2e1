// The job-wide values the optimiser reads: settings, time limit, clock,
// progress callback, cancellation flag and the message texts it returns.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace tralvin {

class CaptionTable;

// The message texts of the driver, keyed like the caption entries.
struct TOptimizerTexts {
  std::string MSG_PIECE_LABEL_CANT_BE_EMPTY = "the field can not be empty";
  std::string MSG_PIECE_LENGTH_FORMAT_INVALID = "the data of field is invalid";
  std::string MSG_PART_WIDTH_FORMAT_INVALID = "the data of field is invalid";
  std::string MSG_PIECE_QTY_FORMAT_INVALID = "the data of field is invalid";
  std::string MSG_LABEL_ISNT_UNIQUE = "Name is not unique";
  std::string MSG_STOCK_LABEL_CANT_BE_EMPTY = "the field can not be empty";
  std::string MSG_STOCK_LENGTH_FORMAT_INVALID = "the data of field is invalid";
  std::string MSG_SHEET_WIDTH_FORMAT_INVALID = "the data of field is invalid";
  std::string MSG_STOCK_QTY_FORMAT_INVALID = "the data of field is invalid";
  std::string MSG_STOCK_COST_FORMAT_INVALID = "the data of field is invalid";
  std::string MSG_PIECE_DATA_IS_EMPTY = "pieces list is empty";
  std::string MSG_CANT_GET_RESULT = "can not get solution, please check the data.";

  // The texts of a caption table (the program's current captions).
  static TOptimizerTexts FromCaptions(const CaptionTable& captions);
};

enum class TProgressKind {
  Step,     // the progress bar advances one step
  Repaint,  // a hint that the main window may be repainted now
  Fill,     // the progress bar is filled to its maximum
};

struct TOptimizeParams {
  int32_t blade_width = 0;       // BLADE_WIDTH, internal units
  int32_t speed = 0;             // TRACK_OPTIMIZE_SPEED, 0 (fastest) .. 20
  bool cost_optimize = false;    // COST_OPTIMIZE
  bool bundle_optimize = false;  // BUNDLE_OPTIMIZE
  bool best_dimension = false;   // ISBESTDIMENSION of the stock file
  int32_t min_offcut_size = 0;   // MIN_OFFCUT_SIZE, only for the failure hint
  int64_t time_limit_seconds = 120;

  // Seconds on a steady clock; empty = std::chrono::steady_clock.
  std::function<double()> clock;
  // Progress of a run; may be empty. Called on the running thread.
  std::function<void(TProgressKind)> progress;
  // Set from another thread to end a run early (the program is closing).
  const std::atomic<bool>* cancel = nullptr;

  TOptimizerTexts texts;
};

}  // namespace tralvin
