// The main window: frame, menu, tool bar, pages, the job started from the
// tool bar when it runs synchronously, and the shutdown.
#include "app/ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMetaMethod>
#include <QPageSetupDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdio>

#include "app/job.h"
#include "app/option_file.h"
#include "app/ui/current_printer.h"
#include "app/ui/message_box.h"
#include "app/ui/optimize_job.h"
#include "app/ui/settings_page.h"
#include "app/ui/shell_open.h"
#include "app/ui/small_windows.h"
#include "base/ini_file.h"
#include "base/product.h"
#include "labels/ui/label_buttons.h"
#include "results/cutting_report.h"
#include "results/ui/report_page.h"
#include "results/ui/report_printing.h"
#include "tables/grid_clipboard.h"
#include "tables/material_types.h"
#include "tables/material_types_setup.h"
#include "tables/table_grids.h"
#include "tables/ui/table_import_export.h"
#include "tables/ui/table_page.h"
#include "tables/ui/type_editor.h"
#include "tables/ui/type_setup_dialog.h"
#include "texts/ui/caption_applier.h"
#include "texts/ui/caption_settings_section.h"

namespace tralvin::ui {

namespace {

StartupState EmptyState() {
  StartupState s(QDir::currentPath().toStdString());
  s.sheets = MakeSheetsGrid(s.captions, false, s.settings.EditMeasure);
  s.parts = MakePartsGrid(s.captions);
  return s;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

// True on Qt's platforms that have no screen: a modal box there would wait
// for ever, so messages go to standard error instead.
bool HeadlessPlatform() {
  const QString platform = QGuiApplication::platformName();
  return platform == "offscreen" || platform == "minimal";
}

}  // namespace

TSDIAppForm::TSDIAppForm(QWidget* parent) : TSDIAppForm(EmptyState(), parent) {}

TSDIAppForm::TSDIAppForm(StartupState state, QWidget* parent)
    : QMainWindow(parent), state_(std::move(state)) {
  setObjectName("SDIAppForm");
  typeEditor_ = new TypeEditor(state_.types, this);
  BuildPages();
  AddLabelButtons(*this, CurrentPrinter());
  BuildMenuAndToolBar();
  BuildSettingsJobAndReport();
  // Caption editing and the language choice, below the settings.
  auto* captionSection = new CaptionSettingsSection(state_.captions, state_.settings.StartFolder(),
                                                    Page("TabSheetSetup"));
  Page("TabSheetSetup")->layout()->addWidget(captionSection);
  connect(captionSection, &CaptionSettingsSection::captionsChanged, this, [this] {
    RefreshCaptionWidgets(this, state_);
    settingsPage_->ApplyCaptions();
    reportPage_->ApplyCaptions();
    RefreshTables();
  });
  setMinimumSize(781, 575);  // ResizeForm: never smaller than this
  resize(900, 640);
  if (state_.settings.AppLeft > 0 || state_.settings.AppTop > 0) {
    move(state_.settings.AppLeft, state_.settings.AppTop);
  }
  if (state_.settings.AppWinStyle != 0) setWindowState(Qt::WindowMaximized);
  sheetsPage_->ApplyBestDimension();
  // Totals of the tables loaded at start-up; a failure is shown with the other
  // start-up warnings (ShowStartupWarnings).
  for (TablePage* page : {sheetsPage_, partsPage_}) {
    if (const std::optional<GridFailure> failure = page->ComputeTotals()) {
      state_.warnings.push_back(failure->message);
    }
  }
  UpdateTitle();
  // Last, so that every control built above shows the texts of the caption table.
  ApplyCaptions(this, state_.captions);
}

TSDIAppForm::~TSDIAppForm() {
  // Destroying the window closes it, but only a close by the user or by
  // "Exit" runs the shutdown.
  shutDown_ = true;
  if (job_) job_->Shutdown();  // a running job is cancelled at its search's next check
  // The pages' models read the grids of state_, which goes before the
  // widgets would: remove the pages first.
  typeEditor_->Abandon();
  disconnect(qApp, nullptr, this, nullptr);
  disconnect(QApplication::clipboard(), nullptr, this, nullptr);
  delete pages_;
  pages_ = nullptr;
  sheetsPage_ = partsPage_ = nullptr;
  settingsPage_ = nullptr;
  reportPage_ = nullptr;
}

void TSDIAppForm::BuildPages() {
  pages_ = new QTabWidget(this);
  pages_->setObjectName("AllPageControl");
  for (const char* name : {"TabSheetSheets", "TabSheetParts", "TabSheetReport", "TabSheetSetup"}) {
    auto* page = new QWidget(pages_);
    page->setObjectName(name);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    pages_->addTab(page, Q(state_.captions.ControlCaption(name)));
  }
  setCentralWidget(pages_);
  sheetsPage_ =
      new TablePage(GridKind::Sheets, state_, sort_, *typeEditor_, Page("TabSheetSheets"));
  Page("TabSheetSheets")->layout()->addWidget(sheetsPage_);
  partsPage_ = new TablePage(GridKind::Parts, state_, sort_, *typeEditor_, Page("TabSheetParts"));
  Page("TabSheetParts")->layout()->addWidget(partsPage_);
  for (TablePage* page : {sheetsPage_, partsPage_}) {
    connect(page, &TablePage::fileNameChanged, this, &TSDIAppForm::UpdateTitle);
  }
  auto* importExport = new TableImportExport(state_, this);
  importExport->AddToPage(*sheetsPage_);
  importExport->AddToPage(*partsPage_);
}

void TSDIAppForm::BuildMenuAndToolBar() {
  const auto caption = [this](const char* control) {
    return Q(state_.captions.ControlCaption(control));
  };
  const auto action = [this](const char* objectName, const QString& text) {
    auto* a = new QAction(text, this);
    a->setObjectName(objectName);
    return a;
  };
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu(caption("File1"));
  file->setObjectName("File1");
  QAction* printSetup = file->addAction(caption("PrintSetup1"));
  printSetup->setObjectName("PrintSetup1");
  connect(printSetup, &QAction::triggered, this, &TSDIAppForm::PrintSetup1Click);
  QAction* support = file->addAction(caption("NeedHelp1"));
  support->setObjectName("NeedHelp1");
  connect(support, &QAction::triggered, this, &TSDIAppForm::NeedHelp1Click);
  QAction* update = file->addAction(caption("Update1"));
  update->setObjectName("Update1");
  connect(update, &QAction::triggered, this, [] {
    if (*kVendorWebAddress) OpenWebAddress(QString(kVendorWebAddress) + "/download.html");
  });
  file->addSeparator();
  QAction* exit = action("FileExit1", caption("FileExitItem"));
  connect(exit, &QAction::triggered, this, &QWidget::close);
  file->addAction(exit);

  QMenu* edit = bar->addMenu(caption("Edit1"));
  edit->setObjectName("Edit1");
  cut_ = action("EditCut1", caption("CutItem"));
  cut_->setShortcut(QKeySequence::Cut);
  copy_ = action("EditCopy1", caption("CopyItem"));
  copy_->setShortcut(QKeySequence::Copy);
  paste_ = action("EditPaste1", caption("PasteItem"));
  paste_->setShortcut(QKeySequence::Paste);
  for (QAction* a : {cut_, copy_, paste_}) edit->addAction(a);
  connect(cut_, &QAction::triggered, this, [] {
    if (auto* line = qobject_cast<QLineEdit*>(QApplication::focusWidget())) line->cut();
  });
  connect(copy_, &QAction::triggered, this, [this] {
    QWidget* focus = QApplication::focusWidget();
    if (auto* line = qobject_cast<QLineEdit*>(focus)) return line->copy();
    for (TablePage* page : {sheetsPage_, partsPage_}) {
      if (focus == page->View()) page->CopySelection();
    }
  });
  connect(paste_, &QAction::triggered, this, [this] {
    QWidget* focus = QApplication::focusWidget();
    if (auto* line = qobject_cast<QLineEdit*>(focus)) return line->paste();
    for (TablePage* page : {sheetsPage_, partsPage_}) {
      if (focus == page->View()) page->Paste();
    }
  });
  connect(qApp, &QApplication::focusChanged, this, &TSDIAppForm::UpdateEditActions);
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
          &TSDIAppForm::UpdateEditActions);

  QMenu* help = bar->addMenu(caption("Help1"));
  help->setObjectName("Help1");
  QAction* contents = help->addAction(caption("Contents1"));
  contents->setObjectName("Contents1");
  connect(contents, &QAction::triggered, this, &TSDIAppForm::Contents1Click);
  QAction* online = help->addAction(caption("Homepage1"));
  online->setObjectName("Homepage1");
  connect(online, &QAction::triggered, this, &TSDIAppForm::Homepage1Click);
  QAction* question = help->addAction(caption("emailsupport1"));
  question->setObjectName("emailsupport1");
  connect(question, &QAction::triggered, this, &TSDIAppForm::NeedHelp1Click);
  help->addSeparator();
  QAction* about = action("HelpAbout1", caption("HelpAboutItem"));
  connect(about, &QAction::triggered, this, &TSDIAppForm::HelpAbout1Execute);
  help->addAction(about);

  QToolBar* tools = addToolBar("ToolBar1");
  tools->setObjectName("ToolBar1");
  tools->setMovable(false);
  tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
  const auto toolButton = [tools](QAction* a, const char* buttonName, const QString& hint) {
    tools->addAction(a);
    QWidget* button = tools->widgetForAction(a);
    button->setObjectName(buttonName);
    button->setToolTip(hint);
  };
  const auto hint = [this](const char* key) { return Q(state_.captions.Hint(key)); };
  toolButton(cut_, "ToolButton4", hint("Cut Tool Button"));
  toolButton(copy_, "ToolButton5", hint("Copy Tool Button"));
  toolButton(paste_, "ToolButton6", hint("Paste Tool Button"));
  tools->addSeparator();
  startOptimize_ = action("StartOptimizeAction", "Start Optimize");
  connect(startOptimize_, &QAction::triggered, this, &TSDIAppForm::StartOptimizeClick);
  toolButton(startOptimize_, "StartOptimize", hint("Start Optimize Button"));
  tools->addSeparator();
  QAction* helpTool = action("HelpToolAction", "Help");
  connect(helpTool, &QAction::triggered, this, &TSDIAppForm::Contents1Click);
  toolButton(helpTool, "ToolButton2", hint("Help Tool Button"));
  tools->addSeparator();
  auto* spacer = new QWidget(tools);
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  tools->addWidget(spacer);
  progress_ = new QProgressBar(tools);
  progress_->setObjectName("ProgressBar1");
  progress_->setRange(0, kJobProgressMax);
  progress_->setTextVisible(false);
  progress_->setFixedWidth(260);
  QAction* progressAction = tools->addWidget(progress_);
  progressAction->setVisible(false);
  progress_->setProperty("toolBarAction", QVariant::fromValue<QObject*>(progressAction));

  // Ctrl+O and Ctrl+S act on the table page shown.
  QAction* load = action("ActionLoadTable", "Load");
  load->setShortcut(QKeySequence::Open);
  connect(load, &QAction::triggered, this, [this] {
    if (TablePage* page = CurrentTablePage()) page->OpenClick();
  });
  QAction* save = action("ActionSaveTable", "Save");
  save->setShortcut(QKeySequence::Save);
  connect(save, &QAction::triggered, this, [this] {
    if (TablePage* page = CurrentTablePage()) page->SaveClick();
  });
  addAction(load);
  addAction(save);
  UpdateEditActions();
}

void TSDIAppForm::UpdateEditActions() {
  QWidget* focus = QApplication::focusWidget();
  const bool clipboardText = !QApplication::clipboard()->text().isEmpty();
  bool canCut = false, canCopy = false, canPaste = false;
  if (auto* line = qobject_cast<QLineEdit*>(focus)) {
    canCut =
        line->hasSelectedText() && !line->isReadOnly() && line->echoMode() == QLineEdit::Normal;
    canCopy = line->hasSelectedText() && line->echoMode() == QLineEdit::Normal;
    canPaste = !line->isReadOnly() && clipboardText;
    connect(line, &QLineEdit::selectionChanged, this, &TSDIAppForm::UpdateEditActions,
            Qt::UniqueConnection);
  } else if (sheetsPage_ && (focus == sheetsPage_->View() || focus == partsPage_->View())) {
    canCopy = true;
    canPaste = clipboardText;
  }
  cut_->setEnabled(canCut);
  copy_->setEnabled(canCopy);
  paste_->setEnabled(canPaste);
}

TablePage* TSDIAppForm::CurrentTablePage() const {
  QWidget* page = pages_->currentWidget();
  if (page == Page("TabSheetSheets")) return sheetsPage_;
  if (page == Page("TabSheetParts")) return partsPage_;
  return nullptr;
}

TablePage* TSDIAppForm::TablePageOf(GridKind kind) const {
  return kind == GridKind::Sheets ? sheetsPage_ : partsPage_;
}

QWidget* TSDIAppForm::Page(const char* objectName) const {
  for (int i = 0; i < pages_->count(); ++i) {
    if (pages_->widget(i)->objectName() == QLatin1String(objectName)) return pages_->widget(i);
  }
  return nullptr;
}

void TSDIAppForm::UpdateTitle() {
  // The product, "version" and the version text, then the table files open.
  QString title = QString::fromUtf8(kProductName) + " version" + QString::fromUtf8(kVersionText);
  if (*kVendorWebAddress) title += QString(" ") + kVendorWebAddress;
  title = title.trimmed();
  QStringList files;
  for (const std::string& name :
       {state_.settings.EditSheetsFileName, state_.settings.EditPartsFileName}) {
    if (!name.empty()) files << QFileInfo(Q(name)).fileName();
  }
  if (!files.isEmpty()) title += " - " + files.join(", ");
  setWindowTitle(title);
}

void TSDIAppForm::RefreshTables() {
  sheetsPage_->Refresh();
  partsPage_->Refresh();
  sheetsPage_->ApplyBestDimension();
  UpdateTitle();
}

void TSDIAppForm::ShowGridFailure(const GridFailure& failure) {
  TablePageOf(failure.grid)->ShowFailure(failure);
}

void TSDIAppForm::Report(const QString& text) {
  if (state_.HideMode && HeadlessPlatform()) {
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    return;
  }
  ShowWarning(this, text);
}

void TSDIAppForm::ShowStartupWarnings() {
  for (const std::string& warning : state_.warnings) Report(Q(warning));
  state_.warnings.clear();
  // Inputs refused unread (a pipe, device or folder, or a file too large)
  // were taken as missing; the window says which.
  for (const std::string& refused : state_.refusedInputs) Report(Q(refused));
  state_.refusedInputs.clear();
}

void TSDIAppForm::FinishStartup() {
  hide();
  if (state_.AutoRun) {
    StartOptimizeClick();
    if (!state_.HideMode) show();
  }
  pages_->setCurrentWidget(Page("TabSheetSheets"));
}

void TSDIAppForm::StartOptimizeClick() {
  const bool runnerConnected =
      isSignalConnected(QMetaMethod::fromSignal(&TSDIAppForm::startOptimizeRequested));
  if (runnerConnected && !state_.HideMode) {
    emit startOptimizeRequested();
    return;
  }
  RunJobSynchronously();
}

JobDone TSDIAppForm::RunJobSynchronously() {
  sheetsPage_->FinishEditing();
  partsPage_->FinishEditing();
  JobInput input;
  input.settings = state_.settings;
  input.sheets = state_.sheets;
  input.parts = state_.parts;
  input.bestDimensionMode = state_.bestDimensionMode;
  input.types = state_.types;
  input.captions = state_.captions;
  for (const std::string& failure : WriteJobDumpFiles(input)) {
    std::fprintf(stderr, "%s\n", failure.c_str());
  }
  const bool showProgress = !state_.HideMode;
  auto* progressAction =
      qobject_cast<QAction*>(progress_->property("toolBarAction").value<QObject*>());
  if (showProgress) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    progress_->setValue(0);
    if (progressAction) progressAction->setVisible(true);
  }
  startOptimize_->setEnabled(false);
  JobOutcome outcome = RunJob(std::move(input), [this, showProgress](int position) {
    if (!showProgress) return;
    progress_->setValue(position);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  // Cells the job filled in and settings it normalised stay, also after a failure.
  state_.sheets = outcome.sheets;
  state_.parts = outcome.parts;
  state_.settings = outcome.settings;
  RefreshTables();
  CuttingReport report;
  report.StocksList = state_.settings.chkReportAllPanels;
  lastJobDone_ = ThreadDone(outcome, report, state_.captions);
  startOptimize_->setEnabled(true);
  if (showProgress) {
    progress_->setValue(kJobProgressMax);
    if (progressAction) progressAction->setVisible(false);
    QApplication::restoreOverrideCursor();
  }
  if (lastJobDone_.failed) {
    if (outcome.gridFailure) {
      TablePageOf(outcome.gridFailure->grid)->SelectFailureCell(outcome.gridFailure->cell);
    } else if (outcome.settingsFocus != SettingsField::None) {
      pages_->setCurrentWidget(Page("TabSheetSetup"));
    }
    Report(Q(lastJobDone_.warning));
  } else {
    pages_->setCurrentWidget(Page("TabSheetReport"));
  }
  emit jobFinished(lastJobDone_.failed);
  return lastJobDone_;
}

void TSDIAppForm::ButtonTypeSetupClick() {
  BeginTypeSetup(typeEditor_->DropDown(), state_.types);
  auto* dialog = new TFormSetupTypeString(
      state_.types, StartFolderFile(state_.settings.StartFolder(), "default.typ"), this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->ApplyCaptions(state_.captions);
  connect(dialog, &QDialog::finished, this,
          [this, dialog] { typeEditor_->PutTypeIntoList(dialog->Model().EntryTexts()); });
  dialog->open();
}

void TSDIAppForm::HelpAbout1Execute() {
  TAboutBox box(this);
  box.setWindowTitle(QString::fromUtf8(kProductName));
  box.ProductName->setText(QString::fromUtf8(kProductName));
  box.Version->setText("version : " + QString::fromUtf8(kVersionText));
  box.OKButton->setText(Q(state_.captions.Text("Confirm Data Caption")));
  box.Notice->setText(kNoticeLine);
  box.Comments->setText(kVendorWebAddress);
  box.Comments->setVisible(*kVendorWebAddress != '\0');
  box.Label1->setText("tech support");
  box.Label1->setVisible(*kSupportMailAddress != '\0');
  box.exec();
}

void TSDIAppForm::PrintSetup1Click() { PrintSetupClick(this); }

void TSDIAppForm::Contents1Click() {
  OpenLocalFile(Q(StartFolderFile(state_.settings.StartFolder(), "help/kelvohelp.pdf")));
}

void TSDIAppForm::Homepage1Click() { OpenWebAddress(kVendorWebAddress); }

void TSDIAppForm::NeedHelp1Click() { OpenMailTo(kSupportMailAddress); }

void TSDIAppForm::closeEvent(QCloseEvent* event) {
  if (job_) job_->Shutdown();  // a running job is cancelled at its search's next check
  if (!shutDown_) Shutdown();
  event->accept();
}

void TSDIAppForm::Shutdown() {
  shutDown_ = true;
  sheetsPage_->FinishEditing();
  partsPage_->FinishEditing();
  SettingsModel& settings = state_.settings;
  // 1. The types file.
  try {
    WriteTypesFile(StartFolderFile(settings.StartFolder(), "default.typ"), state_.types);
  } catch (const IniWriteError& e) {
    Report(QString::fromUtf8(WriteFailureText(e).c_str()));
  }
  // 3. to 5. Which tables to save; the answer is remembered.
  TFormSaveSelectGrids dialog(this);
  if (const CaptionEntry* save = state_.captions.Find("Save File Button")) {
    dialog.setWindowTitle(Q(save->caption));
    dialog.setToolTip(Q(save->hint));
  }
  dialog.CheckBoxSaveSheets->setText(pages_->tabText(pages_->indexOf(Page("TabSheetSheets"))));
  dialog.CheckBoxSaveParts->setText(pages_->tabText(pages_->indexOf(Page("TabSheetParts"))));
  dialog.ButtonSaveSelectGrids->setText(Q(state_.captions.Text("Confirm Data Caption")));
  dialog.CheckBoxSaveSheets->setChecked(settings.AutoSavePanel);
  dialog.CheckBoxSaveParts->setChecked(settings.AutoSavePart);
  dialog.Ask();
  settings.AutoSavePanel = dialog.CheckBoxSaveSheets->isChecked();
  settings.AutoSavePart = dialog.CheckBoxSaveParts->isChecked();
  settings.AutoSaveOffcut = settings.AutoSavePartRack = settings.AutoSaveProfile = false;
  // 6. The chosen tables (a refused write shows its warning).
  if (settings.AutoSavePanel) sheetsPage_->SaveFile(settings.EditSheetsFileName, true);
  if (settings.AutoSavePart) partsPage_->SaveFile(settings.EditPartsFileName, true);
  // 7. The option file, with the window's place and the column widths.
  settings.AppLeft = x();
  settings.AppTop = y();
  settings.AppWinStyle = (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) ? 1 : 0;
  for (int c = 0; c < kSheetsGridCols; ++c) {
    settings.SheetsGridColWidths[c] = sheetsPage_->View()->columnWidth(c);
  }
  for (int c = 0; c < kPartsGridCols; ++c) {
    settings.PartsGridColWidths[c] = partsPage_->View()->columnWidth(c);
  }
  try {
    WriteOptionFile(settings, "default");
  } catch (const IniWriteError& e) {
    Report(QString::fromUtf8(WriteFailureText(e).c_str()));
  }
  // The reminder to look for a new version is left out: there is no site to
  // update from.
}

}  // namespace tralvin::ui
