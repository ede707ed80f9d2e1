// Command-line switches: a switch is one parameter that begins with its tag
// (matched without regard to case); its value is the rest of the parameter.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tralvin {

// The value of the first parameter carrying `tag` (a lower-case tag such as
// "-stk:"), its case kept and cut to 255 characters; "" when none carries it.
// `params` are the parameters after the program name; only the first 100 are
// looked at, and an empty parameter ends the search.
std::string GetParaValue(const std::vector<std::string>& params, std::string_view tag);

// Every switch of the command line, read in the order the start-up acts on them.
struct CommandLineSwitches {
  std::string stockText;   // "-stock:" plain text stock table
  std::string pieceText;   // "-piece:" plain text piece table
  std::string stockFile;   // "-stk:" stock table file
  std::string pieceFile;   // "-dst:" piece table file
  std::string optionFile;  // "-option:" option file with folder and extension
  std::string measure;     // "-measure:" Measure text
  bool autoRun = false;    // "-auto:" yes
  // "-update:", "-ex_stock:", "-ex_piece:" are accepted; nothing uses them.
  bool updateFlag = false;
  std::string exStockFile = "ExSheet.txt";
  std::string exPieceFile = "ExPart.txt";
  bool hideMode = false;  // "-hide:" yes
};

CommandLineSwitches ReadSwitches(const std::vector<std::string>& params);

}  // namespace tralvin
