// Printing the report: "P&rint Setup..." for the program's current printer
// (app/ui/current_printer.h), and the report's pages painted on a printer or
// into a PDF file in the printer font (never larger than fits the page width).
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "results/cutting_diagram.h"

class QPrinter;
class QWidget;

namespace tralvin::ui {

// "P&rint Setup...": the printer dialog that selects the current printer, its
// paper and orientation for all later printing. True when confirmed.
bool PrintSetupClick(QWidget* parent);

struct ReportPrintText {
  std::vector<std::string> items;        // the list-box lines
  std::vector<std::string> titleLines;   // date and time; project name
  QString fontName;                      // the printer font
  int fontSize = 8;                      // points, at least 8
  std::vector<PatternDiagram> diagrams;  // drawn after the report lines
  std::string measure;
};

// Paints the report's pages on `printer` (already set up: a device, or a PDF
// file). Returns the number of pages, or -1 when the printer cannot be
// opened (an unwritable PDF file).
int PaintReport(QPrinter& printer, const ReportPrintText& text);

// Writes the report as a PDF file with the current printer's paper and
// orientation. Returns the number of pages, or -1 when the file cannot be written.
int WriteReportPdf(const QString& fileName, const ReportPrintText& text);

}  // namespace tralvin::ui
