// The batch runner's work: the start-up steps (default files of the start
// folder, then the switches), one job as "Start Optimize" runs it, and the
// report written as text, and optionally as an HTML page and as JSON. Never
// waits for input and never writes the default files.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tralvin {

// Exit statuses of the batch runner.
inline constexpr int kBatchOk = 0;
inline constexpr int kBatchJobFailed = 1;
inline constexpr int kBatchBadUsage = 2;

std::string BatchUsageText();

struct BatchStreams {
  std::ostream& out;         // the report when no "-report:" file is named, or "-"
  std::ostream& err;         // failures, warnings and the progress bar
  bool progressBar = false;  // draw a progress bar on `err`
  // The streams are terminals: control characters in what is written to them
  // (labels may hold escape sequences) are shown as U+FFFD.
  bool outIsTerminal = false;
  bool errIsTerminal = false;
};

// The text with every control character other than tab and line feed
// (C0, DEL and C1) replaced by U+FFFD, for showing on a terminal.
std::string TerminalSafeText(const std::string& text);

// Runs the batch with the command-line parameters after the program name;
// returns the exit status. `startFolder` is where the default files are read
// (and the dump files written when asked for).
int RunBatch(const std::vector<std::string>& params, const std::string& startFolder,
             BatchStreams streams);

}  // namespace tralvin
