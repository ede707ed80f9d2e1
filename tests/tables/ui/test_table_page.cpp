// The Stocks and Pieces pages driven like a user: typing and Enter, fill-down,
// the type editor, totals and their failure, sorting, deleting, the Best
// Dimension switch, Load / Save As through the file dialogs, and pasting.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "app/ui/file_dialog.h"
#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "tables/table_grids.h"
#include "tables/ui/table_page.h"
#include "tables/ui/type_editor.h"

using tralvin::GridCell;
using tralvin::StringGrid;
using tralvin::ui::TablePage;
using tralvin::ui::TSDIAppForm;

namespace {

QString ReadAll(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

// Types `text` into the current cell as a user does (the first key opens the
// cell editor) and ends it with Enter.
void TypeIntoCurrentCell(QTableView* view, const QString& text) {
  QTest::keyClicks(view, text.left(1));
  QLineEdit* editor = nullptr;
  for (QLineEdit* e : view->viewport()->findChildren<QLineEdit*>()) {
    if (e->isVisible()) editor = e;
  }
  QVERIFY(editor != nullptr);
  QTest::keyClicks(editor, text.mid(1));
  QTest::keyClick(editor, Qt::Key_Return);
}

void ClickTitle(QTableView* view, int column) {
  QHeaderView* header = view->horizontalHeader();
  const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                  header->height() / 2);
  QTest::mousePress(header->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

class TestTablePage : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TSDIAppForm> window_;
  TablePage* sheets_ = nullptr;
  TablePage* parts_ = nullptr;
  QTableView* sheetsView_ = nullptr;

  StringGrid& Sheets() { return window_->State().sheets; }

 private slots:
  void init() {
    window_ = std::make_unique<TSDIAppForm>();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    sheets_ = window_->SheetsPage();
    parts_ = window_->PartsPage();
    sheetsView_ = window_->findChild<QTableView*>("StringGridSheets");
    QVERIFY(sheetsView_ != nullptr);
    QCOMPARE(sheets_->View(), sheetsView_);
  }
  void cleanup() { window_.reset(); }

  void enterPastTheLastRowAddsTenRowsAndTotals() {
    sheets_->SetCurrentCell({2, 1});
    TypeIntoCurrentCell(sheetsView_, "2000");
    QCOMPARE(sheets_->CurrentCell(), (GridCell{3, 1}));
    TypeIntoCurrentCell(sheetsView_, "3");
    QCOMPARE(Sheets().Cell(2, 1), std::string("2000"));
    QCOMPARE(Sheets().Cell(3, 1), std::string("3"));
    // The comment cell of the last row: Enter adds ten rows, moves to column 0
    // of the next row and recomputes the totals.
    sheets_->SetCurrentCell({6, 500});
    TypeIntoCurrentCell(sheetsView_, "last");
    QCOMPARE(Sheets().RowCount(), 511);
    QCOMPARE(sheets_->CurrentCell(), (GridCell{0, 501}));
    QCOMPARE(window_->findChild<QLineEdit*>("EditTotalSheetsArea")->text(), QString("6000"));
    QCOMPARE(window_->findChild<QLineEdit*>("EditTotalSheetsNumber")->text(), QString("3"));
    QCOMPARE(window_->findChild<QLineEdit*>("EditTotalSheetsCost")->text(), QString("0"));
    QCOMPARE(Sheets().Cell(4, 1), std::string("0"));  // empty cost of a counted row
  }

  void fillDownFromRowTwo() {
    sheets_->SetCurrentCell({0, 1});
    TypeIntoCurrentCell(sheetsView_, "Bar");
    sheets_->SetCurrentCell({0, 2});
    QCOMPARE(Sheets().Cell(0, 2), std::string("Bar"));
    QCOMPARE(sheetsView_->model()->index(1, 0).data().toString(), QString("Bar"));
    sheets_->SetCurrentCell({0, 3});
    QCOMPARE(Sheets().Cell(0, 3), std::string("Bar"));
    // Row 1 is never filled from the title row.
    auto* partsView = window_->findChild<QTableView*>("StringGridParts");
    window_->PageControl()->setCurrentWidget(window_->Page("TabSheetParts"));
    parts_->SetCurrentCell({2, 1});
    QCOMPARE(window_->State().parts.Cell(2, 1), std::string());
    QVERIFY(partsView != nullptr);
  }

  void typeEditorRegistersAnUnknownType() {
    window_->State().types.MaterialTypes = {"Oak", "Pine"};
    window_->Types().PutTypeIntoList({"Pine", "Oak"});
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    // A click on the type cell puts the editor over it, focused.
    const QRect cell = sheetsView_->visualRect(sheetsView_->model()->index(0, 1));
    QTest::mouseClick(sheetsView_->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(sheets_->CurrentCell(), (GridCell{1, 1}));
    auto* combo = window_->findChild<QComboBox*>("ComboBoxTypeSelect");
    QVERIFY(combo != nullptr);
    QTRY_VERIFY(combo->hasFocus());
    QCOMPARE(combo->mapTo(window_.get(), QPoint(0, 0)),
             sheetsView_->viewport()->mapTo(window_.get(), cell.topLeft()));
    QVERIFY(combo != nullptr);
    QVERIFY(combo->isVisible());
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QString("Oak"));  // sorted in
    QTest::keyClicks(combo->lineEdit(), "  Birch ");
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QVERIFY(!combo->isVisible());
    QCOMPARE(Sheets().Cell(1, 1), std::string("Birch"));
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(0), QString("Birch"));  // a new type goes first
    const auto& selected = window_->State().types.SelectedTypes;
    QVERIFY(std::find(selected.begin(), selected.end(), "Birch") != selected.end());
    // Enter in the editor moved on like Enter in the grid.
    QCOMPARE(sheets_->CurrentCell(), (GridCell{2, 1}));
    // Leaving the editor by a click on another cell writes its text too.
    sheets_->SetCurrentCell({1, 2});
    QTRY_VERIFY(combo->hasFocus());
    QCOMPARE(combo->currentText(), QString("Birch"));  // filled down from row 1
    combo->lineEdit()->clear();
    QTest::keyClicks(combo->lineEdit(), "Elm");
    QTest::mouseClick(sheetsView_->viewport(), Qt::LeftButton, {},
                      sheetsView_->visualRect(sheetsView_->model()->index(3, 4)).center());
    QCOMPARE(Sheets().Cell(1, 2), std::string("Elm"));
    QVERIFY(!combo->isVisible());
    // A known type is not added again.
    sheets_->SetCurrentCell({1, 3});
    combo->lineEdit()->clear();
    QTest::keyClicks(combo->lineEdit(), "Oak");
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QCOMPARE(combo->count(), 4);  // Birch, Elm, Oak, Pine
  }

  void priorityEditorWritesItsItem() {
    sheets_->SetCurrentCell({5, 1});
    auto* priority = window_->findChild<QComboBox*>("ComboBoxPriority");
    QVERIFY(priority != nullptr && priority->isVisible());
    priority->setCurrentIndex(7);
    QTest::keyClick(priority, Qt::Key_Return);
    QVERIFY(!priority->isVisible());
    QCOMPARE(Sheets().Cell(5, 1), std::string("7"));
    QCOMPARE(sheets_->CurrentCell(), (GridCell{6, 1}));
  }

  void badLengthWarnsAndSelectsTheCell() {
    window_->PageControl()->setCurrentWidget(window_->Page("TabSheetParts"));
    Sheets().SetCell(0, 2, "A");
    Sheets().SetCell(2, 2, "12x");
    Sheets().SetCell(3, 2, "4");
    sheets_->Refresh();
    tralvin::ui::MessageRecorder boxes;
    sheets_->SetCurrentCell({6, 2});
    QTest::keyClick(sheetsView_, Qt::Key_Return);  // wraps to column 0: totals
    QCOMPARE(boxes.Requests().size(), 1);
    QCOMPARE(boxes.Requests()[0].buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
    QVERIFY(boxes.Texts()[0].endsWith("]the data of field is invalid"));
    QVERIFY(boxes.Texts()[0].contains("12x"));
    QCOMPARE(sheets_->CurrentCell(), (GridCell{2, 2}));
    QCOMPARE(window_->PageControl()->currentWidget(), window_->Page("TabSheetSheets"));
  }

  void sortingTwice() {
    const char* lengths[] = {"1000", "3000", "2000"};
    for (int r = 1; r <= 3; ++r) {
      Sheets().SetCell(0, r, "S" + std::to_string(r));
      Sheets().SetCell(2, r, lengths[r - 1]);
    }
    sheets_->Refresh();
    ClickTitle(sheetsView_, 2);  // first press: descending, blank rows last
    QCOMPARE(Sheets().Cell(2, 1), std::string("3000"));
    QCOMPARE(Sheets().Cell(2, 2), std::string("2000"));
    QCOMPARE(Sheets().Cell(2, 3), std::string("1000"));
    QCOMPARE(Sheets().Cell(0, 1), std::string("S2"));
    ClickTitle(sheetsView_, 2);  // second press: ascending, blank rows first
    QCOMPARE(Sheets().Cell(2, 498), std::string("1000"));
    QCOMPARE(Sheets().Cell(2, 500), std::string("3000"));
    QCOMPARE(Sheets().Cell(2, 1), std::string());
    QCOMPARE(sheetsView_->model()->index(499, 2).data().toString(), QString("3000"));
  }

  void deleteButtons() {
    QCOMPARE(Sheets().RowCount(), 501);
    for (int r : {1, 7, 300}) {
      Sheets().SetCell(0, r, "S" + std::to_string(r));
      Sheets().SetCell(2, r, "100");
      Sheets().SetCell(3, r, "2");
    }
    sheets_->Refresh();
    tralvin::ui::MessageRecorder boxes;
    QTest::mouseClick(window_->findChild<QPushButton*>("ButtonSheetsDeleteEmpty"), Qt::LeftButton);
    QCOMPARE(Sheets().RowCount(), 4);
    QCOMPARE(sheetsView_->model()->rowCount(), 3);
    QCOMPARE(Sheets().Cell(0, 3), std::string("S300"));
    QCOMPARE(window_->findChild<QLineEdit*>("EditTotalSheetsNumber")->text(), QString("6"));
    sheets_->SetCurrentCell({0, 2});
    QTest::mouseClick(window_->findChild<QPushButton*>("SheetsDelete"), Qt::LeftButton);
    QCOMPARE(Sheets().RowCount(), 3);
    QCOMPARE(Sheets().Cell(0, 2), std::string("S300"));
    QTest::mouseClick(window_->findChild<QPushButton*>("SheetsDeleteAll"), Qt::LeftButton);
    QCOMPARE(Sheets().RowCount(), 3);
    QCOMPARE(Sheets().Cell(0, 1), std::string());
    QCOMPARE(window_->findChild<QLineEdit*>("EditTotalSheetsNumber")->text(), QString("0"));
    QVERIFY(boxes.Requests().isEmpty());
  }

  void bestDimensionKeepsCellTexts() {
    Sheets().SetCell(0, 1, "Bar");
    Sheets().SetCell(2, 1, "6000");
    Sheets().SetCell(3, 1, "12000");
    Sheets().SetCell(4, 1, "2.5");
    sheets_->Refresh();
    const StringGrid before = Sheets();
    auto* box = window_->findChild<QCheckBox*>("CheckBoxBestDimension");
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(window_->State().bestDimensionMode);
    QCOMPARE(sheetsView_->model()->headerData(3, Qt::Horizontal).toString(),
             QString("maximum length"));
    QCOMPARE(sheetsView_->model()->headerData(4, Qt::Horizontal).toString(), QString("Price/cm"));
    QVERIFY(!window_->findChild<QLineEdit*>("EditTotalSheetsArea")->isVisible());
    QVERIFY(!window_->findChild<QPushButton*>("ButtonAppendSheetsFromFile")->isEnabled());
    QVERIFY(!window_->findChild<QPushButton*>("ButtonSheetsDeleteEmpty")->isEnabled());
    QVERIFY(window_->findChild<QPushButton*>("SheetsSave")->isEnabled());
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(!window_->State().bestDimensionMode);
    QCOMPARE(sheetsView_->model()->headerData(3, Qt::Horizontal).toString(), QString("Quantity"));
    QVERIFY(window_->findChild<QLineEdit*>("EditTotalSheetsArea")->isVisible());
    QVERIFY(window_->findChild<QPushButton*>("ButtonAppendSheetsFromFile")->isEnabled());
    for (int r = 1; r < Sheets().RowCount(); ++r) QVERIFY(Sheets().Row(r) == before.Row(r));
  }

  void loadThenSaveReproducesTheFile() {
    QTemporaryDir dir;
    const QString sample = QString(TRALVIN_SOURCE_DIR) + "/samples/sample.stk";
    QList<tralvin::ui::FileDialogRequest> asked;
    QString answer = sample;
    tralvin::ui::SetFileDialogAnswerer([&](const tralvin::ui::FileDialogRequest& r) {
      asked << r;
      return answer;
    });
    QTest::mouseClick(window_->findChild<QPushButton*>("SheetsOpen"), Qt::LeftButton);
    QCOMPARE(asked.size(), 1);
    QVERIFY(!asked[0].save);
    QCOMPARE(asked[0].title, QString("open a file"));
    QCOMPARE(asked[0].filter, QString("open a file(*.stk)"));
    QCOMPARE(asked[0].defaultSuffix, QString("stk"));
    QCOMPARE(Sheets().Cell(0, 1), std::string("ST-6000"));
    QCOMPARE(Sheets().RowCount(), 5);
    QCOMPARE(window_->findChild<QLineEdit*>("EditSheetsFileName")->text(), sample);
    QVERIFY(window_->windowTitle().contains("sample.stk"));
    const StringGrid loaded = Sheets();

    answer = dir.filePath("copy.stk");
    QTest::mouseClick(window_->findChild<QPushButton*>("SheetsSaveas"), Qt::LeftButton);
    QVERIFY(asked[1].save);
    QCOMPARE(asked[1].title, QString("save as"));
    // The remembered folder is that of the file loaded before.
    QCOMPARE(asked[1].folder, QFileInfo(sample).absolutePath());
    QCOMPARE(window_->findChild<QLineEdit*>("EditSheetsFileName")->text(), answer);
    const QString saved = ReadAll(answer);
    QVERIFY(saved.contains("LABEL=ST-6000"));

    // Loading the saved file gives the same table, and saving it again the same bytes.
    answer = dir.filePath("copy.stk");
    QTest::mouseClick(window_->findChild<QPushButton*>("SheetsOpen"), Qt::LeftButton);
    for (int r = 1; r < loaded.RowCount(); ++r) QVERIFY(Sheets().Row(r) == loaded.Row(r));
    QFile::remove(answer);
    QTest::mouseClick(window_->findChild<QPushButton*>("SheetsSave"), Qt::LeftButton);
    QCOMPARE(ReadAll(answer), saved);
    tralvin::ui::SetFileDialogAnswerer({});
  }

  void appendMergesAndRefusedSaveWarns() {
    tralvin::ui::MessageRecorder boxes;
    const QString sample = QString(TRALVIN_SOURCE_DIR) + "/samples/sample.stk";
    tralvin::ui::SetFileDialogAnswerer(
        [&](const tralvin::ui::FileDialogRequest&) { return sample; });
    sheets_->ReadFile(sample.toStdString());
    QTest::mouseClick(window_->findChild<QPushButton*>("ButtonAppendSheetsFromFile"),
                      Qt::LeftButton);
    QCOMPARE(Sheets().Cell(3, 1), std::string("16"));  // 8 + 8
    QCOMPARE(window_->findChild<QLineEdit*>("EditTotalSheetsNumber")->text(), QString("36"));
    tralvin::ui::SetFileDialogAnswerer({});
    QVERIFY(!sheets_->SaveFile("/nonexistent-folder/x.stk", true));
    QCOMPARE(boxes.Requests().size(), 1);
    QCOMPARE(window_->findChild<QLineEdit*>("EditSheetsFileName")->text(), sample);
  }

  void pasteABlockFromTheClipboard() {
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    sheets_->SetCurrentCell({2, 499});
    sheetsView_->setFocus();
    QApplication::clipboard()->setText("10\t2\t1.5\tx\r\n20\t3\t2\ty\r\n30\t4\t\tz\r\n");
    QTest::keyClick(sheetsView_, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Sheets().Cell(2, 499), std::string("10"));
    QCOMPARE(Sheets().Cell(5, 500), std::string("y"));
    QCOMPARE(Sheets().Cell(3, 501), std::string("4"));
    QCOMPARE(Sheets().Cell(4, 501), std::string("0"));  // the totals filled the empty cost
    QCOMPARE(Sheets().RowCount(), 503);                 // one empty row stays below
    QCOMPARE(window_->findChild<QLineEdit*>("EditTotalSheetsNumber")->text(), QString("9"));
    // Copying the block gives the same cells back.
    sheetsView_->selectionModel()->select(
        QItemSelection(sheetsView_->model()->index(498, 2), sheetsView_->model()->index(499, 3)),
        QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(sheetsView_, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("10\t2\n20\t3\n"));

    // Spreadsheets quote cells that hold tabs or line ends.
    sheets_->SetCurrentCell({6, 1});
    QApplication::clipboard()->setText("\"two\nlines\"\n\"say \"\"hi\"\"\"\n");
    sheets_->Paste();
    QCOMPARE(Sheets().Cell(6, 1), std::string("two\nlines"));
    QCOMPARE(Sheets().Cell(6, 2), std::string("say \"hi\""));
    QCOMPARE(Sheets().Cell(6, 3), std::string());
    sheets_->CopySelection();
    QCOMPARE(QApplication::clipboard()->text(), QString("\"two\nlines\"\nsay \"hi\"\n"));
  }

  void ctrlSSavesTheTableShown() {
    QTemporaryDir dir;
    window_->State().settings.EditPartsFileName = dir.filePath("p.dst").toStdString();
    window_->State().parts.SetCell(0, 1, "Piece");
    window_->RefreshTables();
    window_->PageControl()->setCurrentWidget(window_->Page("TabSheetParts"));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(ReadAll(dir.filePath("p.dst")).contains("LABEL=Piece"));
  }
};

QTEST_MAIN(TestTablePage)
#include "test_table_page.moc"
