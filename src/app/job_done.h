// Starting a job and ending it: the dump files of the job's input, and what
// the after-run handler does with the outcome (the failure text to show, or
// the report built and its list-box items).
#pragma once

#include <string>
#include <vector>

#include "app/job.h"
#include "results/cutting_report.h"

namespace tralvin {

// Writes the job's input into StartFolder: the stock table to "dump.sht", the
// piece table to "dump.prt", the material types to "dump.typ" and the
// settings to "dump.opt". They are a record of the latest job that nothing
// reads back, so a dump that cannot be written does not stop the job; the
// texts of such failures are returned.
std::vector<std::string> WriteJobDumpFiles(const JobInput& input);

struct JobDone {
  bool failed = false;
  std::string warning;                 // LastErrorText, shown when failed
  std::vector<std::string> listItems;  // the report list box, when not failed
};

// The after-run handler: on success runs the report steps in order
// (TallyUsedQuantities, OrderPlanForReport, the three sections,
// AssembleReport) and gives the list-box items; the plan stays in the order
// the report left it. The report's "Stocks List" flag is used as it stands.
JobDone ThreadDone(JobOutcome& outcome, CuttingReport& report, const CaptionTable& captions,
                   const ReportClock& clock = {});

}  // namespace tralvin
