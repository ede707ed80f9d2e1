// The dump files of a job and the after-run handler's outcome.
#include "app/job_done.h"

#include <exception>

#include "app/option_file.h"
#include "base/safe_file.h"
#include "tables/table_files.h"

namespace tralvin {

std::vector<std::string> WriteJobDumpFiles(const JobInput& input) {
  std::vector<std::string> failures;
  const std::string folder = input.settings.StartFolder() + "/";
  TableSaveResult sheets =
      SaveSheetsFile(input.sheets, input.bestDimensionMode, folder + "dump.sht", false);
  if (!sheets.ok) failures.push_back(sheets.message);
  TableSaveResult parts = SavePartsFile(input.parts, folder + "dump.prt", false);
  if (!parts.ok) failures.push_back(parts.message);
  // Each failure with the system's reason (a full disk, a refused folder).
  try {
    WriteTypesFile(folder + "dump.typ", input.types);
  } catch (const FileWriteError& e) {
    failures.push_back(WriteFailureText(e));
  } catch (const std::exception& e) {
    failures.emplace_back(e.what());
  }
  try {
    WriteOptionFile(input.settings, "dump");
  } catch (const FileWriteError& e) {
    failures.push_back(WriteFailureText(e));
  } catch (const std::exception& e) {
    failures.emplace_back(e.what());
  }
  return failures;
}

JobDone ThreadDone(JobOutcome& outcome, CuttingReport& report, const CaptionTable& captions,
                   const ReportClock& clock) {
  JobDone done;
  if (!outcome.Succeeded()) {
    done.failed = true;
    done.warning = outcome.LastErrorText;
    return done;
  }
  report.BuildAll(outcome.plan, captions, outcome.settings.EditPrintTitle, clock);
  done.listItems = report.ListItems();
  return done;
}

}  // namespace tralvin
