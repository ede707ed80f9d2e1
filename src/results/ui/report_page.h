// The Report page: the cutting report in a fixed-pitch list box, with "Print",
// "Update All", "Export" (the HTML page, or a PDF of the printed form) and
// "Stocks List". The lower bound of the plan, when the job has one, is shown
// above the list.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "app/startup.h"
#include "results/report_state.h"

class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;

namespace tralvin::ui {

class DiagramView;

class ReportPage : public QWidget {
  Q_OBJECT

 public:
  ReportPage(ReportState& report, StartupState& state, QWidget* parent = nullptr);

  // The print dialog and the shell's "open", replaceable in tests (file
  // names come through ChooseFile of app/ui/file_dialog.h).
  struct Dialogs {
    // The print dialog over the current printer; true to print.
    std::function<bool(QWidget*)> print;
    // Opens an exported file with the desktop's program for it.
    std::function<void(const QString&)> open;
  };
  static void SetDialogs(Dialogs dialogs);
  static void ResetDialogs();

  // Shows the report state: the list items, the bound line, "Update All".
  void Refresh();
  // Captions from the caption table.
  void ApplyCaptions();

  // The page's commands.
  void ButtonPrintReportClick();
  void ButtonUpdateClick();
  void ButtonSaveToHtmlClick();
  void ExportPdfClick();
  void chkReportAllPanelsClick(bool checked);
  // Selects the list lines of the pattern with this report number.
  void SelectPatternLines(int number);
  DiagramView* Diagrams() const { return diagrams_; }

 signals:
  // "Update All" changed the stock and piece tables (refresh grids and totals).
  void tablesUpdated();
  void statusMessage(const QString& text);
  // Printing corrected the printer font size field (below 8 or not a number).
  void settingsChanged();

 private:
  bool WarnWhenNoPlan();
  // The printer font as printing uses it (ReadPrinterFontSize).
  const SettingsModel& ReadPrinterFont();

  ReportState& report_;
  StartupState& state_;
  QPushButton* buttonPrint_ = nullptr;
  QPushButton* buttonUpdate_ = nullptr;
  QPushButton* buttonExport_ = nullptr;
  QMenu* exportMenu_ = nullptr;
  QAction* actionHtml_ = nullptr;
  QAction* actionPdf_ = nullptr;
  QCheckBox* checkStocksList_ = nullptr;
  QLabel* labelLowerBound_ = nullptr;
  QListWidget* listBox_ = nullptr;
  DiagramView* diagrams_ = nullptr;
};

// The report number of the pattern whose block holds list line `row`, or 0.
int PatternOfLine(const std::vector<std::string>& items, int row);

}  // namespace tralvin::ui
