// The cutting report: the plan of the last job as text lines, one per list-box
// item. The builders run in a fixed order after every successful job and keep
// their sections and tallies until the next job; "Stocks List" rebuilds only
// the stock section and the assembly.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "optimizer/panels.h"
#include "results/job_plan.h"

namespace tralvin {

class CaptionTable;

struct ReportDateTime {
  std::string date;  // short date
  std::string time;  // long time
};
// Gives the date and time printed on the report's title line.
using ReportClock = std::function<ReportDateTime()>;
// The local date and time in the forms of the process locale.
ReportDateTime LocalReportDateTime();

class CuttingReport {
 public:
  std::vector<std::string> ReportLines;
  std::vector<std::string> ReportTitleLines;
  std::vector<std::string> StockSectionLines;
  std::vector<std::string> PieceSectionLines;
  std::vector<std::string> PatternSectionLines;
  TPanels UsedStockCounts;  // per position of plan.sheets: bars used
  TPanels UsedPieceCounts;  // per position of plan.parts: pieces produced
  int32_t UsedStockTotal = 0;
  bool StocksList = true;  // "Stocks List": list the used stock rows

  // Empties every line list (the start of a job).
  void Clear();

  void TallyUsedQuantities(const JobPlan& plan);
  // Orders the plan by material type, stock label, then utilisation descending.
  static void OrderPlanForReport(JobPlan& plan);
  void BuildStockSection(const JobPlan& plan, const CaptionTable& captions);
  void BuildPieceSection(const JobPlan& plan, const CaptionTable& captions);
  void BuildPatternSection(const JobPlan& plan, const CaptionTable& captions);
  void AssembleReport(const JobPlan& plan, const CaptionTable& captions,
                      const std::string& projectTitle, const ReportClock& clock);

  // All steps in the order a successful job runs them.
  void BuildAll(JobPlan& plan, const CaptionTable& captions, const std::string& projectTitle,
                const ReportClock& clock);

  // The items of the report list box: one " ", then ReportLines.
  std::vector<std::string> ListItems() const;

  // "Stocks List" clicked: stores the flag and, when there is a plan, rebuilds
  // the stock section and the assembly. True when the report changed.
  bool StocksListClicked(bool checked, const JobPlan& plan, const CaptionTable& captions,
                         const std::string& projectTitle, const ReportClock& clock);
};

}  // namespace tralvin
