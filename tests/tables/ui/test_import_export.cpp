// The import window and the export file-type window, driven through their
// controls over the program state: mapping, Copy, Append, the mapping check,
// unreadable files, dropped files and an export read back.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <memory>

#include "app/startup.h"
#include "app/ui/file_dialog.h"
#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "base/ini_file.h"
#include "tables/table_grids.h"
#include "tables/ui/export_form.h"
#include "tables/ui/import_form.h"
#include "tables/ui/table_import_export.h"
#include "tables/ui/table_page.h"

using namespace tralvin;
using namespace tralvin::ui;

namespace {

QString Fixture(const char* name) { return QString(TRALVIN_TEST_DATA_DIR) + "/import/" + name; }

void WriteFile(const QString& name, const QByteArray& bytes) {
  QFile file(name);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

template <typename W = QWidget>
W* Child(QWidget& parent, const char* name) {
  W* widget = parent.findChild<W*>(name);
  if (widget == nullptr) qFatal("no widget %s", name);
  return widget;
}

void Click(QWidget& parent, const char* name) {
  QTest::mouseClick(Child<QPushButton>(parent, name), Qt::LeftButton);
}

// Selects an item of a closed drop-down list with the keyboard.
void Pick(QWidget& parent, const char* name, int index) {
  auto* box = Child<QComboBox>(parent, name);
  QTest::keyClick(box, Qt::Key_Home);
  for (int i = 0; i < index; ++i) QTest::keyClick(box, Qt::Key_Down);
  QCOMPARE(box->currentIndex(), index);
}

// Answers the file dialogs shown while it lives with the given names, in
// order (then with "", a cancel), and records the requests.
class FileChoiceScript {
 public:
  explicit FileChoiceScript(QStringList answers = {}) : answers_(std::move(answers)) {
    SetFileDialogAnswerer([this](const FileDialogRequest& request) {
      requests_.push_back(request);
      return answers_.isEmpty() ? QString() : answers_.takeFirst();
    });
  }
  ~FileChoiceScript() { SetFileDialogAnswerer({}); }
  void Add(const QString& answer) { answers_.push_back(answer); }
  const QList<FileDialogRequest>& Requests() const { return requests_; }

 private:
  QStringList answers_;
  QList<FileDialogRequest> requests_;
};

// Item of a mapping box that names table column c.
int ItemOfColumn(int c) { return c + 1; }

std::vector<std::vector<std::string>> Cells(const StringGrid& grid) {
  std::vector<std::vector<std::string>> rows;
  for (int r = 0; r < grid.RowCount(); ++r) rows.push_back(grid.Row(r));
  return rows;
}

}  // namespace

class TestImportExport : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    state_ = std::make_unique<StartupState>(dir_->path().toStdString());
    state_->sheets = MakeSheetsGrid(state_->captions, false, "cm");
    state_->parts = MakePartsGrid(state_->captions);
    window_ = std::make_unique<QWidget>();
    io_ = new TableImportExport(*state_, window_.get());
  }
  void cleanup() {
    window_.reset();
    state_.reset();
    dir_.reset();
  }

  void csvIntoStocksWithSwappedAndIgnoredColumns();
  void secondWorksheetAppendedToPieces();
  void sameFieldErrorFocusesTheLaterBox();
  void unreadableFileLeavesTheTableUnchanged();
  void exportedWorkbookReadsBackEqual();
  void textExportKeepsTitleChoiceAndReportsRefusedWrite();
  void droppedFileOpensTheImportWindow();
  void mainWindowButtonsImportAndRedrawThePage();

 private:
  QString Path(const char* name) const { return dir_->filePath(name); }
  TFormImportData& ImportForm() { return io_->ImportForm(); }

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<StartupState> state_;
  std::unique_ptr<QWidget> window_;
  TableImportExport* io_ = nullptr;
};

void TestImportExport::csvIntoStocksWithSwappedAndIgnoredColumns() {
  const QString csv = Path("stocks.csv");
  WriteFile(csv, "6000,A1,junk,10,steel\n 2500 ,B2,junk,3,alu,x,y,z,w,v,u,dropped\n");
  QSignalSpy imported(io_, &TableImportExport::TableImported);
  MessageRecorder messages;
  FileChoiceScript files({csv});

  io_->ImportInto(GridKind::Sheets);
  TFormImportData& form = ImportForm();
  QVERIFY(form.isVisible());
  QCOMPARE(form.windowTitle(), QString("import"));
  QCOMPARE(Child<QPushButton>(form, "ButtonOK")->text(), QString("Copy to database"));
  QCOMPARE(Child<QPushButton>(form, "ButtonAppend")->text(), QString("Append to database"));
  QCOMPARE(Child<QPushButton>(form, "ButtonCancel")->text(), QString("cancel"));
  QVERIFY(!Child<QPushButton>(form, "ButtonImportXML")->isVisible());
  auto* box1 = Child<QComboBox>(form, "ComboBox1");
  QCOMPARE(box1->count(), 8);
  QCOMPARE(box1->itemText(0), QString("======"));
  QCOMPARE(box1->itemText(1), QString("Name"));

  Click(form, "ButtonImportTXT");
  QCOMPARE(files.Requests().size(), 1);
  const FileDialogRequest& request = files.Requests().first();
  QCOMPARE(request.filter,
           QString("All supported (*.csv *.txt *.xlsx *.xls);;open a file (*.csv)"));
  QCOMPARE(request.folder, dir_->path());
  // The preview shows the lines as they will be read: cut at commas, untrimmed.
  auto* preview = Child<QTableView>(form, "StringGridImportData");
  QCOMPARE(preview->model()->columnCount(), 11);
  QCOMPARE(preview->model()->index(1, 0).data().toString(), QString(" 2500 "));
  QCOMPARE(preview->model()->index(1, 10).data().toString(), QString("u"));

  // Column 1 of the file holds lengths, column 2 labels, column 3 is ignored.
  Pick(form, "ComboBox1", ItemOfColumn(kSheetColLength));
  Pick(form, "ComboBox2", ItemOfColumn(kSheetColLabel));
  Pick(form, "ComboBox3", 0);
  Pick(form, "ComboBox4", ItemOfColumn(kSheetColQty));
  Pick(form, "ComboBox5", ItemOfColumn(kSheetColType));
  Click(form, "ButtonOK");

  QVERIFY(!form.isVisible());
  QVERIFY(messages.Texts().isEmpty());
  QCOMPARE(imported.count(), 1);
  const StringGrid& sheets = state_->sheets;
  QCOMPARE(sheets.Row(1), (std::vector<std::string>{"A1", "steel", "6000", "10", "", "", ""}));
  QCOMPARE(sheets.Row(2), (std::vector<std::string>{"B2", "alu", " 2500 ", "3", "", "", ""}));
  QVERIFY(sheets.RowIsEmpty(3));
  QCOMPARE(sheets.Cell(kSheetColLabel, 0), std::string("Name"));
  QCOMPARE(sheets.RowCount(), 501);
  QCOMPARE(state_->settings.EditSheetsFileName, csv.toStdString() + ".stk");

  // The mapping is remembered and comes back at the next opening, with the
  // preview as it was left.
  const TIniFile mapping(dir_->filePath("default").toStdString());
  QCOMPARE(mapping.ReadInteger("SHEET_FIELDS", "FIELD01", -1), 3);
  QCOMPARE(mapping.ReadInteger("SHEET_FIELDS", "FIELD03", -1), 0);
  QCOMPARE(state_->settings.Folder("DIR_IMPORT_SHEETS_TXT"), dir_->path().toStdString());
  io_->ImportInto(GridKind::Sheets);
  QCOMPARE(box1->currentIndex(), 3);
  QCOMPARE(Child<QComboBox>(form, "ComboBox5")->currentText(), QString("Stocks Type"));
  QCOMPARE(preview->model()->index(0, 1).data().toString(), QString("A1"));
  Click(form, "ButtonCancel");
  QCOMPARE(imported.count(), 1);
}

void TestImportExport::secondWorksheetAppendedToPieces() {
  StringGrid& parts = state_->parts;
  parts.SetRow(1, {"Q9", "wood", "300", "2", "5", "kept"});
  QSignalSpy imported(io_, &TableImportExport::TableImported);
  MessageRecorder messages;
  FileChoiceScript files({Fixture("openpyxl_gap.xlsx")});

  io_->ImportInto(GridKind::Parts);
  TFormImportData& form = ImportForm();
  QCOMPARE(Child<QComboBox>(form, "ComboBox1")->count(), 7);
  Click(form, "ButtonImportEXCEL");
  QVERIFY(files.Requests().first().filter.endsWith(";;open a file (*.xlsx *.xls)"));
  auto* sheetList = Child<QComboBox>(form, "ComboBoxSheetName");
  QCOMPARE(sheetList->count(), 2);
  QCOMPARE(sheetList->currentText(), QString("Stock list"));
  auto* preview = Child<QTableView>(form, "StringGridImportData");
  QCOMPARE(preview->model()->index(0, 0).data().toString(), QString("Label"));

  Pick(form, "ComboBoxSheetName", 1);  // re-reads the second worksheet
  QCOMPARE(preview->model()->index(0, 0).data().toString(), QString("P1"));
  QCOMPARE(preview->model()->index(21, 2).data().toString(), QString("750"));
  for (int c = 0; c < 4; ++c) {
    Pick(form, qPrintable(QString("ComboBox%1").arg(c + 1)), ItemOfColumn(c));
  }
  Click(form, "ButtonAppend");

  QVERIFY2(messages.Texts().isEmpty(), qPrintable(messages.Texts().join('|')));
  QCOMPARE(imported.count(), 1);
  // The imported rows come first; the former row is merged back after them.
  QCOMPARE(parts.Row(1), (std::vector<std::string>{"P1", "steel", "1500", "4", "", ""}));
  QCOMPARE(parts.Row(22), (std::vector<std::string>{"P2", "", "750", "", "", ""}));
  int q9 = -1;
  for (int r = 1; r < parts.RowCount(); ++r) {
    if (parts.Cell(kPartColLabel, r) == "Q9") q9 = r;
  }
  QVERIFY(q9 > 1);
  QCOMPARE(parts.Row(q9), (std::vector<std::string>{"Q9", "wood", "300", "2", "5", "kept"}));
  QVERIFY(QFile::exists(dir_->filePath("tmp.dst")));
  // Append keeps the file name the page shows.
  QCOMPARE(state_->settings.EditPartsFileName, std::string());
  const TIniFile mapping(dir_->filePath("default").toStdString());
  QCOMPARE(mapping.ReadInteger("PART_FIELDS", "FIELD04", -1), 4);
  QCOMPARE(state_->settings.Folder("DIR_IMPORT_PARTS_EXCEL"),
           QString(TRALVIN_TEST_DATA_DIR "/import").toStdString());
}

void TestImportExport::sameFieldErrorFocusesTheLaterBox() {
  state_->sheets.SetRow(1, {"S1", "steel", "6000", "1", "", "", ""});
  const auto before = Cells(state_->sheets);
  const QString csv = Path("two.csv");
  WriteFile(csv, "a,b,c,d,e,f,g,h,i,j,k\n");
  QSignalSpy imported(io_, &TableImportExport::TableImported);
  MessageRecorder messages;
  FileChoiceScript files({csv});

  io_->ImportInto(GridKind::Sheets);
  TFormImportData& form = ImportForm();
  form.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  Click(form, "ButtonImportTXT");
  Pick(form, "ComboBox2", ItemOfColumn(kSheetColLength));
  Pick(form, "ComboBox4", ItemOfColumn(kSheetColLabel));
  Pick(form, "ComboBox11", ItemOfColumn(kSheetColLength));
  Click(form, "ButtonAppend");

  QCOMPARE(messages.Texts(), QStringList{"same field error"});
  QCOMPARE(messages.Requests().first().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
  QVERIFY(form.isVisible());
  QCOMPARE(form.focusWidget(), Child<QWidget>(form, "ComboBox11"));
  QVERIFY(!form.Model().IsAppend());
  // Closing the window by its frame after the failed check imports nothing.
  form.close();
  QCOMPARE(Cells(state_->sheets), before);
  QCOMPARE(imported.count(), 0);
  QVERIFY(!QFile::exists(dir_->filePath("default")));
}

void TestImportExport::unreadableFileLeavesTheTableUnchanged() {
  state_->sheets.SetRow(1, {"S1", "steel", "6000", "1", "", "", ""});
  const auto before = Cells(state_->sheets);
  const QString good = Path("good.csv");
  WriteFile(good, "kept,in,preview\n");
  const QString broken = Path("broken.xlsx");
  WriteFile(broken, "this is not a workbook");
  QSignalSpy imported(io_, &TableImportExport::TableImported);
  MessageRecorder messages;
  FileChoiceScript files({good, Path("missing.csv"), broken});

  io_->ImportInto(GridKind::Sheets);
  TFormImportData& form = ImportForm();
  Click(form, "ButtonImportTXT");
  Click(form, "ButtonImportTXT");
  QCOMPARE(messages.Texts().size(), 1);
  QVERIFY2(messages.Texts().first().startsWith("Cannot open file \"" + Path("missing.csv")),
           qPrintable(messages.Texts().first()));
  QCOMPARE(messages.Requests().first().icon, QMessageBox::Warning);
  auto* preview = Child<QTableView>(form, "StringGridImportData");
  QCOMPARE(preview->model()->index(0, 0).data().toString(), QString("kept"));
  QCOMPARE(form.Model().ImportFileName(), good.toStdString());

  Click(form, "ButtonImportEXCEL");
  QCOMPARE(messages.Texts().size(), 2);
  QVERIFY2(messages.Texts().last().startsWith("need EXCEL\n"), qPrintable(messages.Texts().last()));
  QVERIFY(messages.Texts().last().size() > QString("need EXCEL\n").size());
  QCOMPARE(Child<QComboBox>(form, "ComboBoxSheetName")->count(), 0);

  Click(form, "ButtonCancel");
  QVERIFY(!form.isVisible());
  QCOMPARE(Cells(state_->sheets), before);
  QCOMPARE(imported.count(), 0);
  QCOMPARE(state_->settings.EditSheetsFileName, std::string());
}

void TestImportExport::exportedWorkbookReadsBackEqual() {
  StringGrid& sheets = state_->sheets;
  sheets.SetRow(1, {"A1", "steel", "6000", "10", "12.5", "1", " spaced "});
  sheets.SetRow(2, {"B2", "alu", "0.1", "3", "", "0", "x,y"});
  sheets.SetRow(6, {"C3", "", "-2.25", "", "", "", "after a gap"});
  const StringGrid original = sheets;
  const QString book = Path("stocks.xlsx");
  QSignalSpy exported(io_, &TableImportExport::TableExported);
  MessageRecorder messages;
  FileChoiceScript files({book, book});

  io_->ExportFrom(GridKind::Sheets);
  TFormExportFileTypeSelect& choice = io_->ExportForm();
  QVERIFY(choice.isVisible());
  QCOMPARE(choice.windowTitle(), QString("export"));
  QVERIFY(!Child<QCheckBox>(choice, "CheckBoxExportColumnTitle")->isChecked());
  Click(choice, "ButtonExportEXCELFile");
  QVERIFY(!choice.isVisible());
  QCOMPARE(exported.count(), 1);
  QVERIFY(messages.Texts().isEmpty());
  const FileDialogRequest& request = files.Requests().first();
  QVERIFY(request.save);
  QCOMPARE(request.filter, QString("open a file (*.xlsx)"));
  QCOMPARE(request.defaultSuffix, QString("xlsx"));
  QVERIFY(QFile::exists(book));
  QCOMPARE(state_->settings.Folder("DIR_EXPORT_SHEETS_EXCEL"), dir_->path().toStdString());

  // Read back through the import window with every column on its own field.
  sheets.ClearData();
  io_->ImportInto(GridKind::Sheets);
  TFormImportData& form = ImportForm();
  Click(form, "ButtonImportEXCEL");
  QCOMPARE(Child<QComboBox>(form, "ComboBoxSheetName")->currentText(), QString("panels"));
  for (int c = 0; c < kSheetColCount; ++c) {
    Pick(form, qPrintable(QString("ComboBox%1").arg(c + 1)), ItemOfColumn(c));
  }
  Click(form, "ButtonOK");
  QVERIFY2(messages.Texts().isEmpty(), qPrintable(messages.Texts().join('|')));
  const int rows = std::max(original.RowCount(), sheets.RowCount());
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < kSheetColCount; ++c) {
      QCOMPARE(sheets.Cell(c, r), original.Cell(c, r));
    }
  }
  QCOMPARE(state_->settings.EditSheetsFileName, book.toStdString() + ".stk");
}

void TestImportExport::textExportKeepsTitleChoiceAndReportsRefusedWrite() {
  state_->parts.SetRow(1, {" P1 ", "steel", "1500", "4", "", "note"});
  state_->parts.SetRowCount(3);
  MessageRecorder messages;
  FileChoiceScript files;
  QSignalSpy exported(io_, &TableImportExport::TableExported);
  TFormExportFileTypeSelect& choice = io_->ExportForm();

  // Closing the window by its frame exports nothing and asks for no file.
  io_->ExportFrom(GridKind::Parts);
  choice.close();
  QVERIFY(files.Requests().isEmpty());
  QCOMPARE(exported.count(), 0);

  const QString csv = Path("parts.csv");
  files.Add(csv);
  io_->ExportFrom(GridKind::Parts);
  QTest::mouseClick(Child<QCheckBox>(choice, "CheckBoxExportColumnTitle"), Qt::LeftButton);
  QCOMPARE(Child<QCheckBox>(choice, "CheckBoxExportColumnTitle")->text(),
           QString("include column titles"));
  Click(choice, "ButtonExportTXTFile");
  QCOMPARE(files.Requests().last().title, QString("save as"));
  QCOMPARE(files.Requests().last().filter, QString("save as (*.csv)"));
  QFile file(csv);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(),
           QByteArray("\xEF\xBB\xBFname,Stocks Type,length,quantity,maximum quantity,note,\r\n"
                      "P1,steel,1500,4,,note,\r\n,,,,,,\r\n"));

  // The check box keeps its state; a write that is refused is reported (the
  // core writer's own tests show that an old file stays as it was).
  files.Add(Path("no/such/folder/parts.csv"));
  io_->ExportFrom(GridKind::Parts);
  QVERIFY(Child<QCheckBox>(choice, "CheckBoxExportColumnTitle")->isChecked());
  Click(choice, "ButtonExportTXTFile");
  QCOMPARE(exported.count(), 2);
  QVERIFY(!exported.last().at(1).value<ExportResult>().ok);
  QCOMPARE(messages.Texts(), QStringList{"Unable to write to " + Path("no/such/folder/parts.csv") +
                                         " (No such file or directory)"});

  // In best-dimension mode the stock table is not exported.
  state_->bestDimensionMode = true;
  io_->ExportFrom(GridKind::Sheets);
  QVERIFY(!choice.isVisible());
}

void TestImportExport::droppedFileOpensTheImportWindow() {
  QWidget page;
  io_->AcceptDrops(&page, GridKind::Parts);
  QVERIFY(page.acceptDrops());
  const QString csv = Path("dropped.csv");
  WriteFile(csv, "D1,steel,100,2\n");
  MessageRecorder messages;

  QMimeData refused;
  refused.setUrls({QUrl::fromLocalFile(Path("table.stk"))});
  QDragEnterEvent enterRefused(QPoint(5, 5), Qt::CopyAction, &refused, Qt::LeftButton,
                               Qt::NoModifier);
  QApplication::sendEvent(&page, &enterRefused);
  QVERIFY(!enterRefused.isAccepted());

  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(csv)});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&page, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&page, &drop);
  QVERIFY(drop.isAccepted());
  QTRY_VERIFY(ImportForm().isVisible());
  QVERIFY(!ImportForm().Model().ImportForStocks());
  auto* preview = Child<QTableView>(ImportForm(), "StringGridImportData");
  QCOMPARE(preview->model()->index(0, 0).data().toString(), QString("D1"));
  QCOMPARE(ImportForm().Model().ImportFileName(), csv.toStdString());
  QVERIFY(messages.Texts().isEmpty());
  Click(ImportForm(), "ButtonCancel");
}

void TestImportExport::mainWindowButtonsImportAndRedrawThePage() {
  const QString csv = Path("main.csv");
  WriteFile(csv, "A1,steel,6000,10\nB2,alu,2500,3\n");
  TSDIAppForm window(std::move(*state_));
  window.show();
  MessageRecorder messages;
  FileChoiceScript files({csv});

  QVERIFY(Child<QWidget>(window, "TablePageSheets")->acceptDrops());
  QVERIFY(Child<QWidget>(window, "TablePageParts")->acceptDrops());
  Click(window, "ButtonImportSheets");
  auto* form = window.findChild<TFormImportData*>();
  QVERIFY(form != nullptr && form->isVisible());
  Click(*form, "ButtonImportTXT");
  for (int c = 0; c < 4; ++c) {
    Pick(*form, qPrintable(QString("ComboBox%1").arg(c + 1)), ItemOfColumn(c));
  }
  Click(*form, "ButtonOK");
  QVERIFY2(messages.Texts().isEmpty(), qPrintable(messages.Texts().join('|')));
  QCOMPARE(window.State().sheets.Cell(kSheetColLabel, 2), std::string("B2"));
  // The page shows the imported rows, their totals and the file name.
  auto* grid = Child<QTableView>(window, "StringGridSheets");
  QVERIFY(grid->model()->match(grid->model()->index(0, 0), Qt::DisplayRole, "B2").size() == 1);
  QCOMPARE(Child<QLineEdit>(window, "EditTotalSheetsNumber")->text(), QString("13"));
  QCOMPARE(Child<QLineEdit>(window, "EditSheetsFileName")->text(), csv + ".stk");

  // Best-dimension mode disables the stock table's export button only.
  Child<QCheckBox>(window, "CheckBoxBestDimension")->click();
  QVERIFY(!Child<QWidget>(window, "ButtonSheetsExportExcel")->isEnabled());
  QVERIFY(Child<QWidget>(window, "ButtonPartsExportExcel")->isEnabled());
  QVERIFY(Child<QWidget>(window, "ButtonImportParts")->isEnabled());
}

QTEST_MAIN(TestImportExport)
#include "test_import_export.moc"
