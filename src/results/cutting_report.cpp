// Building the cutting report's sections and assembling its lines.
#include "results/cutting_report.h"

#include <ctime>
#include <string_view>
#include <utility>

#include "base/pubfunc.h"
#include "results/report_format.h"
#include "texts/caption_table.h"

namespace tralvin {

namespace {

constexpr std::string_view kPatternRule =
    "-----------------------------------------------------------------------------";

int64_t I64(int32_t v) { return v; }

// Ordinal order of (material type, label): true when a comes after b.
bool TypeLabelAfter(const T2DStock& a, const T2DStock& b) {
  if (a.MatType != b.MatType) return a.MatType > b.MatType;
  return a.p_lab > b.p_lab;
}

void TallyPieces(const TSchemes& plan, const TPanels& parts, TPanels& counts) {
  counts = parts;
  for (T2DStock& r : counts.Items()) r.p_number = 0;
  for (const TPacket& p : plan.schemes) {
    for (const T2DStock& e : p.numbers.Items()) {
      for (T2DStock& r : counts.Items()) {
        if (r.p_lab == e.p_lab && r.MatType == e.MatType) {
          r.p_number += p.p_number * e.p_number;
        }
      }
    }
  }
}

}  // namespace

ReportDateTime LocalReportDateTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char date[64];
  char time[64];
  std::strftime(date, sizeof date, "%x", &local);
  std::strftime(time, sizeof time, "%X", &local);
  return {date, time};
}

void CuttingReport::Clear() {
  ReportLines.clear();
  ReportTitleLines.clear();
  StockSectionLines.clear();
  PieceSectionLines.clear();
  PatternSectionLines.clear();
}

void CuttingReport::TallyUsedQuantities(const JobPlan& plan) {
  TallyPieces(plan.best_result, plan.parts, UsedPieceCounts);
  UsedStockCounts = plan.sheets;
  for (T2DStock& r : UsedStockCounts.Items()) r.p_number = 0;
  for (int i = 0; i < plan.sheets.Count(); ++i) {
    const T2DStock& s = plan.sheets[i];
    for (const TPacket& p : plan.best_result.schemes) {
      if (s.p_lab == p.p_lab && s.MatType == p.MatType) UsedStockCounts[i].p_number += p.p_number;
    }
  }
}

void CuttingReport::OrderPlanForReport(JobPlan& plan) {
  std::vector<TPacket>& v = plan.best_result.schemes;
  for (size_t i = 0; i < v.size(); ++i) {
    for (size_t j = i + 1; j < v.size(); ++j) {
      const TPacket& a = v[i];
      const TPacket& b = v[j];
      bool exchange;
      if (a.MatType != b.MatType) {
        exchange = a.MatType > b.MatType;
      } else if (a.p_lab != b.p_lab) {
        exchange = a.p_lab > b.p_lab;
      } else {
        exchange = a.UtRateShape() < b.UtRateShape();
      }
      if (exchange) std::swap(v[i], v[j]);
    }
  }
}

void CuttingReport::BuildStockSection(const JobPlan& plan, const CaptionTable& captions) {
  StockSectionLines.clear();
  UsedStockTotal = 0;
  if (StocksList) {
    StockSectionLines.push_back(
        FormatLine("%-20s%-20s%-10s%-10s%-10s%-10s%-10s%-10s  %s",
                   {captions.Text("Stock Label Caption"), captions.Text("Material Type Caption"),
                    captions.Text("Stock Length Caption"), captions.Text("Stock Cost Caption"),
                    captions.Text("Stock Qty Caption"), captions.Text("Stock USED Caption"),
                    captions.Text("Stock REST Caption"), captions.Text("Stock Priority"),
                    captions.Text("Comment Caption")}));
  }
  StockSectionLines.push_back(" ");
  const TPubFunc pub;
  for (int i = 0; i < plan.sheets.Count(); ++i) {
    const T2DStock& s = plan.sheets[i];
    const int32_t used = i < UsedStockCounts.Count() ? UsedStockCounts[i].p_number : 0;
    if (used == 0) continue;
    if (StocksList) {
      // In best-dimension mode the chosen length, as the pattern lines show it.
      const std::string length = plan.bestDimensionMode ? pub.IntToExtStr(s.p_cx) : s.disp_XSize;
      StockSectionLines.push_back(
          FormatLine("%-20s%-20s%-10s%-10s%-10d%-10d%-10d%-10d  %s",
                     {s.p_lab, s.MatType, length, pub.IntToExtStr(s.p_cost), I64(s.p_number),
                      I64(used), I64(s.p_number) - used, I64(s.Priority), s.disp_Comment}));
    }
    UsedStockTotal += used;
  }
}

void CuttingReport::BuildPieceSection(const JobPlan& plan, const CaptionTable& captions) {
  PieceSectionLines.clear();
  PieceSectionLines.push_back(
      FormatLine("%-20s%-20s%-10s%-10s%-10s%-10s  %s",
                 {captions.Text("Part Label Caption"), captions.Text("Material Type Caption"),
                  captions.Text("Part Length Caption"), captions.Text("Part Qty Caption"),
                  captions.Text("Max Pieces Qty"), captions.Text("Used Pieces Qty"),
                  captions.Text("Comment Caption")}));
  PieceSectionLines.push_back(" ");

  // The pieces listed by material type, then label; the plan keeps its order.
  TPanels parts = plan.parts;
  TPanels minParts = plan.MinParts;
  std::vector<T2DStock>& p = parts.Items();
  std::vector<T2DStock>& m = minParts.Items();
  for (size_t i = 0; i < p.size(); ++i) {
    for (size_t j = i + 1; j < p.size(); ++j) {
      if (TypeLabelAfter(p[i], p[j])) {
        std::swap(p[i], p[j]);
        if (j < m.size()) std::swap(m[i], m[j]);
      }
    }
  }
  TPanels produced;
  TallyPieces(plan.best_result, parts, produced);
  for (int i = 0; i < parts.Count(); ++i) {
    const T2DStock& piece = parts[i];
    const int64_t required = i < minParts.Count() ? minParts[i].p_number : 0;
    PieceSectionLines.push_back(
        FormatLine("%-20s%-20s%-10s%-10d%-10d%-10d %s",
                   {piece.p_lab, piece.MatType, piece.disp_XSize, required, I64(piece.p_number),
                    I64(produced[i].p_number), piece.disp_Comment}));
  }
  TallyUsedQuantities(plan);
}

void CuttingReport::BuildPatternSection(const JobPlan& plan, const CaptionTable& captions) {
  PatternSectionLines.clear();
  PatternSectionLines.push_back(" ");
  const TPubFunc pub;
  const std::string leftCaption = captions.Text("Left Caption");
  const auto& schemes = plan.best_result.schemes;
  for (size_t k = 0; k < schemes.size(); ++k) {
    const TPacket& p = schemes[k];
    if (p.p_number == 0) continue;
    PatternSectionLines.push_back("[" + std::to_string(k + 1) + "]");
    PatternSectionLines.emplace_back(kPatternRule);
    const std::string length =
        plan.bestDimensionMode ? pub.IntToExtStr(p.real_cx(plan.bladeWidth)) : p.disp_XSize;
    PatternSectionLines.push_back(FormatLine(
        "%-20s%-20s%-10s%-10d  %s", {p.p_lab, p.MatType, length, I64(p.p_number), p.disp_Comment}));
    const auto& entries = p.numbers.Items();
    for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
      if (e->p_number == 0) continue;
      PatternSectionLines.push_back(
          FormatLine("          %-20s%s X %d", {e->p_lab, e->disp_XSize, I64(e->p_number)}));
    }
    PatternSectionLines.push_back(
        FormatLine("%-10s : %s", {leftCaption, pub.IntToExtStr(p.GetLeft(plan.bladeWidth))}));
    PatternSectionLines.push_back(" ");
  }
}

void CuttingReport::AssembleReport(const JobPlan& plan, const CaptionTable& captions,
                                   const std::string& projectTitle, const ReportClock& clock) {
  ReportLines.clear();
  const ReportDateTime now = clock ? clock() : LocalReportDateTime();
  ReportTitleLines = {"    " + now.date + "   " + now.time, projectTitle};

  auto add = [this](std::string line) { ReportLines.push_back(std::move(line)); };
  auto addAll = [this](const std::vector<std::string>& lines) {
    ReportLines.insert(ReportLines.end(), lines.begin(), lines.end());
  };
  add(" ");
  add(FormatLine("%-25s: %s",
                 {captions.Text("Cost Optimize Caption"),
                  captions.Text(plan.costOptimize ? "TRUE Caption" : "FALSE Caption")}));
  add(FormatLine("%-25s: %s", {captions.Text("Measure Caption"), plan.measure}));
  add(FormatLine("%-25s: %s%s",
                 {captions.Text("Blade Width Caption"), plan.bladeWidthText, plan.measure}));
  add(" ");
  addAll(plan.notes);
  add(" ");
  add(FormatLine("%s:", {captions.Text("Tab Stocks")}));
  add(" ");
  addAll(StockSectionLines);
  add(" ");
  add(FormatLine("%s %s: %d", {captions.Text("Stock USED Caption"),
                               captions.Text("Total Qty Caption"), I64(UsedStockTotal)}));
  add(" ");
  add(FormatLine("%s:", {captions.Text("Tab Pieces")}));
  add(" ");
  addAll(PieceSectionLines);
  add(" ");
  add(captions.Text("Layout Caption"));
  addAll(PatternSectionLines);
  add(" ");
  add(FormatLine("%-40s: %s", {captions.Text("Stock Utilization Caption"),
                               UtilizationText(plan.best_result.GetURate(plan.bladeWidth)) + "%"}));
  add(FormatLine(
      "%-40s: %10.3f",
      {captions.Text("Total Cost"),
       plan.best_result.GetTotalCost(plan.bestDimensionMode, plan.bladeWidth) / 1000.0}));
}

void CuttingReport::BuildAll(JobPlan& plan, const CaptionTable& captions,
                             const std::string& projectTitle, const ReportClock& clock) {
  TallyUsedQuantities(plan);
  OrderPlanForReport(plan);
  BuildStockSection(plan, captions);
  BuildPieceSection(plan, captions);
  BuildPatternSection(plan, captions);
  AssembleReport(plan, captions, projectTitle, clock);
}

std::vector<std::string> CuttingReport::ListItems() const {
  std::vector<std::string> items;
  items.reserve(ReportLines.size() + 1);
  items.emplace_back(" ");
  items.insert(items.end(), ReportLines.begin(), ReportLines.end());
  return items;
}

bool CuttingReport::StocksListClicked(bool checked, const JobPlan& plan,
                                      const CaptionTable& captions, const std::string& projectTitle,
                                      const ReportClock& clock) {
  StocksList = checked;
  if (!plan.HasPlan()) return false;
  BuildStockSection(plan, captions);
  AssembleReport(plan, captions, projectTitle, clock);
  return true;
}

}  // namespace tralvin
