// The Report page's controls and commands.
#include "results/ui/report_page.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>
#include <exception>

#include "app/ui/current_printer.h"
#include "app/ui/file_dialog.h"
#include "app/ui/message_box.h"
#include "app/ui/page_focus.h"
#include "app/ui/shell_open.h"
#include "app/update_settings.h"
#include "results/cut_pattern.h"
#include "results/html_page.h"
#include "results/lower_bound_line.h"
#include "results/ui/diagram_view.h"
#include "results/ui/report_printing.h"
#include "texts/caption_table.h"
#include "texts/message_text.h"

namespace tralvin::ui {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

ReportPage::Dialogs DefaultDialogs() {
  ReportPage::Dialogs d;
  d.print = [](QWidget* parent) {
    QPrintDialog dialog(&CurrentPrinter(), parent);
    return dialog.exec() == QDialog::Accepted;
  };
  d.open = [](const QString& file) { OpenLocalFile(file); };
  return d;
}

ReportPage::Dialogs& DialogsHook() {
  static ReportPage::Dialogs dialogs = DefaultDialogs();
  return dialogs;
}

}  // namespace

void ReportPage::SetDialogs(Dialogs dialogs) { DialogsHook() = std::move(dialogs); }
void ReportPage::ResetDialogs() { DialogsHook() = DefaultDialogs(); }

ReportPage::ReportPage(ReportState& report, StartupState& state, QWidget* parent)
    : QWidget(parent), report_(report), state_(state) {
  setObjectName("ReportPage");
  auto* page = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout;
  buttonPrint_ = new QPushButton(this);
  buttonPrint_->setObjectName("ButtonPrintReport");
  buttonPrint_->setDefault(true);
  buttonUpdate_ = new QPushButton(this);
  buttonUpdate_->setObjectName("ButtonUpdate");
  buttonExport_ = new QPushButton(this);
  buttonExport_->setObjectName("ButtonExportReport");
  exportMenu_ = new QMenu(buttonExport_);
  actionHtml_ = exportMenu_->addAction("HTML page...");
  actionHtml_->setObjectName("ActionExportHtml");
  actionHtml_->setToolTip("Export layouts data to HTML file");
  actionPdf_ = exportMenu_->addAction("PDF...");
  actionPdf_->setObjectName("ActionExportPdf");
  actionPdf_->setToolTip("Save the printed form of the report as a PDF file");
  buttonExport_->setMenu(exportMenu_);
  checkStocksList_ = new QCheckBox(this);
  checkStocksList_->setObjectName("chkReportAllPanels");
  buttons->addWidget(buttonPrint_);
  buttons->addWidget(buttonUpdate_);
  buttons->addWidget(buttonExport_);
  buttons->addWidget(checkStocksList_);
  buttons->addStretch(1);
  page->addLayout(buttons);

  labelLowerBound_ = new QLabel(this);
  labelLowerBound_->setObjectName("LabelLowerBound");
  labelLowerBound_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  page->addWidget(labelLowerBound_);

  listBox_ = new QListWidget(this);
  listBox_->setObjectName("ListBoxReport");
  listBox_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  listBox_->setWordWrap(false);
  listBox_->setUniformItemSizes(true);
  listBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  listBox_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  listBox_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // The report lines above, the cutting diagrams below; a click on either
  // selects the same pattern in the other.
  diagrams_ = new DiagramView(this);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->setObjectName("SplitterReport");
  split->addWidget(listBox_);
  split->addWidget(diagrams_);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  page->addWidget(split, 1);
  connect(diagrams_, &DiagramView::patternClicked, this, &ReportPage::SelectPatternLines);
  connect(listBox_, &QListWidget::currentRowChanged, this, [this](int row) {
    const int number = PatternOfLine(report_.listItems, row);
    if (number > 0) diagrams_->SelectPattern(number);
  });

  connect(buttonPrint_, &QPushButton::clicked, this, &ReportPage::ButtonPrintReportClick);
  connect(buttonUpdate_, &QPushButton::clicked, this, &ReportPage::ButtonUpdateClick);
  connect(actionHtml_, &QAction::triggered, this, &ReportPage::ButtonSaveToHtmlClick);
  connect(actionPdf_, &QAction::triggered, this, &ReportPage::ExportPdfClick);
  connect(checkStocksList_, &QCheckBox::clicked, this, &ReportPage::chkReportAllPanelsClick);

  ApplyCaptions();
  Refresh();
}

void ReportPage::ApplyCaptions() {
  const CaptionTable& c = state_.captions;
  auto button = [&c](QAbstractButton* b, const char* key) {
    if (const CaptionEntry* e = c.Find(key)) {
      b->setText(Q(e->caption));
      b->setToolTip(Q(e->hint));
    }
  };
  button(buttonPrint_, "Print Report Button");
  button(buttonUpdate_, "Update All Data Button");
  buttonExport_->setText(Q(c.Text("Export Caption")));
  button(checkStocksList_, "Report all raw material");
}

void ReportPage::Refresh() {
  listBox_->clear();
  for (const std::string& item : report_.listItems) listBox_->addItem(Q(item));
  diagrams_->SetDiagrams(
      report_.plan.HasPlan()
          ? BuildPatternDiagrams(report_.plan, MinOffcutLengthOf(state_.settings))
          : std::vector<PatternDiagram>{},
      report_.plan.measure);
  const std::string bound = report_.plan.HasPlan() ? LowerBoundLine(report_.plan) : std::string();
  labelLowerBound_->setText(Q(bound));
  labelLowerBound_->setVisible(!bound.empty());
  buttonUpdate_->setEnabled(report_.update.Enabled());
  const QSignalBlocker block(checkStocksList_);
  checkStocksList_->setChecked(state_.settings.chkReportAllPanels);
}

bool ReportPage::WarnWhenNoPlan() {
  if (report_.plan.HasPlan()) return false;
  ShowWarning(this,
              Q(MessageText(state_.captions, "MSG_LAYOUT_IS_EMPTY",
                            "Layout list is empty, please click optimize button in Toolsbar")));
  return true;
}

void ReportPage::chkReportAllPanelsClick(bool checked) {
  state_.settings.chkReportAllPanelsClick(checked);
  if (report_.report.StocksListClicked(checked, report_.plan, state_.captions,
                                       state_.settings.EditPrintTitle, LocalReportDateTime)) {
    report_.listItems = report_.report.ListItems();
    Refresh();
  }
}

void ReportPage::ButtonUpdateClick() {
  const UpdateOutcome outcome =
      UpdateAll(state_.sheets, state_.parts, CutPatternsOf(report_.plan),
                UpdateSettingsOf(state_.settings, state_.bestDimensionMode), state_.captions);
  report_.update.Apply(outcome);
  buttonUpdate_->setEnabled(report_.update.Enabled());
  if (outcome.status != UpdateStatus::NoPlan) emit tablesUpdated();
  if (outcome.status == UpdateStatus::InvalidMinLength) {
    FocusSettingsField(window(), SettingsField::EditMinOffcutLength1);
  }
  if (!outcome.message.empty()) ShowWarning(this, Q(outcome.message));
  if (outcome.status == UpdateStatus::InvalidMinLength) {
    FocusSettingsField(window(), SettingsField::EditMinOffcutLength1);
  }
  if (outcome.status == UpdateStatus::Done) emit statusMessage("The tables were updated");
}

namespace {

ReportPrintText PrintText(const ReportState& report, const SettingsModel& settings) {
  ReportPrintText text;
  if (report.plan.HasPlan()) {
    text.diagrams = BuildPatternDiagrams(report.plan, MinOffcutLengthOf(settings));
    text.measure = report.plan.measure;
  }
  text.items = report.listItems;
  text.titleLines = report.report.ReportTitleLines;
  text.fontName = Q(settings.params.PrinterFontName);
  text.fontSize = settings.params.PrinterFontSize;
  return text;
}

}  // namespace

int PatternOfLine(const std::vector<std::string>& items, int row) {
  // A pattern's block runs from its "[n]" line to the next blank line.
  for (int r = std::min(row, static_cast<int>(items.size()) - 1); r >= 0; --r) {
    const std::string& line = items[static_cast<size_t>(r)];
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
      try {
        return std::stoi(line.substr(1, line.size() - 2));
      } catch (const std::exception&) {
        return 0;
      }
    }
    if (line == " " && r != row) return 0;
  }
  return 0;
}

void ReportPage::SelectPatternLines(int number) {
  const std::string heading = "[" + std::to_string(number) + "]";
  const auto& items = report_.listItems;
  for (size_t first = 0; first < items.size(); ++first) {
    if (items[first] != heading) continue;
    size_t last = first;
    while (last + 1 < items.size() && items[last + 1] != " ") ++last;
    const QSignalBlocker block(listBox_);
    listBox_->clearSelection();
    for (size_t r = first; r <= last; ++r) listBox_->item(static_cast<int>(r))->setSelected(true);
    listBox_->setCurrentRow(static_cast<int>(first), QItemSelectionModel::NoUpdate);
    listBox_->scrollToItem(listBox_->item(static_cast<int>(last)));
    listBox_->scrollToItem(listBox_->item(static_cast<int>(first)));
    return;
  }
}

const SettingsModel& ReportPage::ReadPrinterFont() {
  const std::string before = state_.settings.EditPrinterFontSize;
  state_.settings.ReadPrinterFontSize();
  if (state_.settings.EditPrinterFontSize != before) emit settingsChanged();
  return state_.settings;
}

void ReportPage::ButtonPrintReportClick() {
  if (WarnWhenNoPlan()) return;
  if (!DialogsHook().print(this)) return;
  const int pages = PaintReport(CurrentPrinter(), PrintText(report_, ReadPrinterFont()));
  if (pages < 0) {
    ShowWarning(this, "The printer could not be opened.");
    return;
  }
  emit statusMessage(QString("Printed %1 page(s)").arg(pages));
}

void ReportPage::ButtonSaveToHtmlClick() {
  if (WarnWhenNoPlan()) return;
  const QString title = Q(MessageText(state_.captions, "MSG_SAVE_AS_FILE_TITLE", "save as"));
  const QString file = ChooseFile(this, {true, title, title + "(*.html)", "html",
                                         Q(state_.settings.Folder("DIR_EXPORT_HTML"))});
  if (file.isEmpty()) return;
  state_.settings.SetFolder("DIR_EXPORT_HTML", QFileInfo(file).absolutePath().toStdString());
  try {
    WriteHtmlPage(file.toStdString(), report_.listItems);
  } catch (const std::exception& e) {
    ShowWarning(this, Q(e.what()));
    return;
  }
  DialogsHook().open(file);
}

void ReportPage::ExportPdfClick() {
  if (WarnWhenNoPlan()) return;
  const QString title = Q(MessageText(state_.captions, "MSG_SAVE_AS_FILE_TITLE", "save as"));
  const QString file = ChooseFile(
      this, {true, title, title + "(*.pdf)", "pdf", Q(state_.settings.Folder("DIR_REPORT"))});
  if (file.isEmpty()) return;
  state_.settings.SetFolder("DIR_REPORT", QFileInfo(file).absolutePath().toStdString());
  const int pages = WriteReportPdf(file, PrintText(report_, ReadPrinterFont()));
  if (pages < 0) {
    ShowWarning(this, "The file could not be written: " + QDir::toNativeSeparators(file));
    return;
  }
  emit statusMessage(
      QString("%1 written, %2 page(s)").arg(QDir::toNativeSeparators(file)).arg(pages));
}

}  // namespace tralvin::ui
