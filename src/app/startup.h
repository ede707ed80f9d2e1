// The main window's start-up steps that load data: the types file, the option
// file and the table files of StartFolder, then the command-line switches.
// The window (or the batch runner) then shows the state and, when asked to,
// starts a job.
#pragma once

#include <string>
#include <vector>

#include "app/settings.h"
#include "app/switches.h"
#include "tables/material_types.h"
#include "tables/string_grid.h"
#include "texts/caption_table.h"

namespace tralvin {

struct StartupState {
  explicit StartupState(const std::string& startFolder) : settings(startFolder) {}

  SettingsModel settings;
  CaptionTable captions;
  MaterialTypeLists types;
  StringGrid sheets{7, 2};
  StringGrid parts{6, 2};
  bool bestDimensionMode = false;
  CommandLineSwitches switches;  // all off without parameters
  bool AutoRun = false;
  bool HideMode = false;
  // Warnings the readers left for the window to show, in the order they arose
  // (an option file's minimum offcut length that does not convert, a text
  // table that cannot be read).
  std::vector<std::string> warnings;
  // Input files that exist but were refused unread (a folder, pipe, device or
  // socket, or a file over the size limit), one message naming each. The
  // refused file reads as missing; the batch runner stops on these.
  std::vector<std::string> refusedInputs;
};

// StartFolder + "/" + name.
std::string StartFolderFile(const std::string& startFolder, const std::string& name);

// The start-up steps in the window's order: the grids of 501 rows, the types
// file "default.typ", the option file "default.opt", the caption file "default.cap", the stock and
// piece tables named by "SHEETS_FILE" / "PARTS_FILE" or else "default.stk" / "default.dst", and,
// when there is at least one parameter, the switches in their order. `params` are the command-line
// parameters after the program name.
StartupState RunStartupSteps(const std::string& startFolder,
                             const std::vector<std::string>& params);

}  // namespace tralvin
