// The label window: preview, warnings, schemes, sorting, Distinct, printing
// and its state between showings.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "app/startup.h"
#include "app/ui/message_box.h"
#include "labels/ui/print_label_form.h"
#include "labels/ui/print_table_labels.h"

using tralvin::DrawLine;
using tralvin::DrawText;
using tralvin::LabelTable;
using tralvin::StartupState;
using tralvin::ui::MessageRecorder;
using tralvin::ui::TFormPrintLabel;

namespace {

std::vector<std::string> PreviewTexts(const TFormPrintLabel& form) {
  std::vector<std::string> texts;
  for (const auto& c : form.PreviewPage().commands) {
    if (const auto* t = std::get_if<DrawText>(&c)) texts.push_back(t->text);
  }
  return texts;
}

// The right edge of the previewed label's border, in screen pixels.
double PreviewRight(const TFormPrintLabel& form) {
  const auto& c = form.PreviewPage().commands;
  return c.size() > 2 ? std::get<DrawLine>(c[2]).x1 : -1;
}

}  // namespace

class TestPrintLabel : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::unique_ptr<StartupState> state_;
  std::unique_ptr<TFormPrintLabel> form_;

  template <typename T>
  T* Find(const char* name) {
    T* w = form_->findChild<T*>(name);
    if (w == nullptr) qFatal("no widget %s", name);
    return w;
  }

  // Opens the window from the stock table as the Stocks page's button does, without blocking.
  void Open(LabelTable table = LabelTable::Stocks) {
    auto failure =
        tralvin::ui::PrintTableLabels(nullptr, *form_, *state_, table, [](TFormPrintLabel& f) {
          f.show();
          QVERIFY(QTest::qWaitForWindowActive(&f));
        });
    QVERIFY(!failure);
  }

  void Type(const char* field, const QString& text) {
    auto* e = Find<QLineEdit>(field);
    e->setFocus();
    e->selectAll();
    if (text.isEmpty()) {
      QTest::keyClick(e, Qt::Key_Delete);
    } else {
      QTest::keyClicks(e, text);
    }
  }

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    state_ = std::make_unique<StartupState>(dir_.path().toStdString());
    state_->sheets.SetRowCount(5);
    state_->sheets.SetRow(1, {"B-bar", "Oak", "6000", "2", "", "", "rack"});
    state_->sheets.SetRow(2, {"A-bar", "Pine", "4000", "1", "", "", ""});
    state_->parts.SetRowCount(3);
    state_->parts.SetRow(1, {"P1", "Oak", "500", "1", "3", ""});
    // Scheme 2: 4 × 10, top band with the material type, body label and length.
    QFile opt(dir_.filePath("default.opt"));
    QVERIFY(opt.open(QIODevice::WriteOnly));
    opt.write(
        "[LABEL_SCHEME_2]\r\nEditLabelColNumber=4\r\nEditLabelRowNumber=10\r\n"
        "CheckBoxTopTitle=1\r\nEditTopTitleCaption=T:\r\nComboBoxTopTitleData=1\r\n"
        "EditTopTitleWidth=0.3\r\nScrollBarLabelRowCount=1\r\nScrollBarLabelColCount=2\r\n"
        "StringGridLabelDataFormat_1_1=name\r\nStringGridLabelDataFormat_1_2=length\r\n");
    opt.close();
    state_->settings.SheetsLabelPrintIndex = 1;
    state_->settings.PartsLabelPrintIndex = 0;
    form_ = std::make_unique<TFormPrintLabel>(state_->settings);
  }
  void cleanup() {
    form_.reset();
    state_.reset();
  }

  void opensWithTheRememberedSchemeAndEveryControl() {
    MessageRecorder boxes;
    Open();
    QCOMPARE(form_->windowTitle(), QString("print label"));
    for (const char* name : {"ComboBoxMeasure",        "EditLabelColNumber",
                             "EditLabelRowNumber",     "EditLabelHorizontalGap",
                             "EditLabelVerticalGap",   "EditLengthMarge",
                             "EditWidthMarge",         "CheckBoxTopTitle",
                             "EditTopTitleCaption",    "ComboBoxTopTitleData",
                             "EditTopTitleWidth",      "CheckBoxLeftTitle",
                             "EditLeftTitleCaption",   "ComboBoxLeftTitleData",
                             "EditLeftTitleLength",    "StringGridLabelDataFormat",
                             "ScrollBarLabelColCount", "ScrollBarLabelRowCount",
                             "ComboBoxLabelGridData",  "StringGridLabelData",
                             "ComboBoxLabelSchemes",   "ButtonSaveLabelScheme",
                             "EditPrintLabelFromRow",  "EditPrintLabelFromCol",
                             "ButtonPrintAllLabel",    "ButtonPrintSelected",
                             "ButtonPrintSetup",       "ButtonMergeTheSame",
                             "ButtonLabelFontSetup",   "PaintBoxPrintLabelPreview",
                             "ImagePrintPage",         "ImageLabelDetail"}) {
      QVERIFY2(form_->findChild<QWidget*>(name) != nullptr, name);
    }
    QCOMPARE(Find<QComboBox>("ComboBoxLabelSchemes")->currentText(), QString("label scheme 2"));
    QCOMPARE(Find<QComboBox>("ComboBoxLabelSchemes")->count(), 9);
    QCOMPARE(Find<QPushButton>("ButtonMergeTheSame")->text(), QString("distinct"));
    QCOMPARE(Find<QPushButton>("ButtonSaveLabelScheme")->text(), QString("Save"));
    QCOMPARE(Find<QLineEdit>("EditLabelColNumber")->text(), QString("4"));
    QCOMPARE(Find<QComboBox>("ComboBoxTopTitleData")->count(), 8);
    // Three labels, five displayed columns; the preview shows the current (first) row.
    QCOMPARE(Find<QTableWidget>("StringGridLabelData")->rowCount(), 3);
    QCOMPARE(Find<QTableWidget>("StringGridLabelData")->columnCount(), 5);
    QCOMPARE(PreviewTexts(*form_), (std::vector<std::string>{"T:Oak", "B-bar", "6000 X 1"}));
    QVERIFY(boxes.Texts().isEmpty());
    // Closing keeps the selected scheme as the remembered one of that table only.
    Find<QComboBox>("ComboBoxLabelSchemes")->setCurrentIndex(3);
    form_->hide();
    Open(LabelTable::Pieces);
    QCOMPARE(Find<QTableWidget>("StringGridLabelData")->rowCount(), 3);  // maximum quantity
    QCOMPARE(state_->settings.SheetsLabelPrintIndex, 1);
  }

  void previewRepaintsAfterAFieldChange() {
    Open();
    QTRY_VERIFY(form_->PreviewPaintCount() > 0);
    const int painted = form_->PreviewPaintCount();
    const double wide = PreviewRight(*form_);
    Type("EditLabelColNumber", "2");
    QCOMPARE(form_->Design().EditLabelColNumber, std::string("2"));
    QTRY_VERIFY(form_->PreviewPaintCount() > painted);
    QVERIFY(PreviewRight(*form_) > 1.9 * wide);
    // A click into the data table previews that row.
    auto* table = Find<QTableWidget>("StringGridLabelData");
    table->setCurrentCell(2, 0);
    QCOMPARE(PreviewTexts(*form_)[1], std::string("A-bar"));
    // A body cell edited through the field picker.
    auto* grid = Find<QTableWidget>("StringGridLabelDataFormat");
    const QRect cell = grid->visualItemRect(grid->item(1, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    auto* picker = Find<QComboBox>("ComboBoxLabelGridData");
    QVERIFY(picker->isVisible());
    QCOMPARE(picker->currentText(), QString("length"));
    picker->lineEdit()->selectAll();
    QTest::keyClicks(picker->lineEdit(), "hello");
    Find<QLineEdit>("EditLabelRowNumber")->setFocus();
    QTRY_VERIFY(!picker->isVisible());
    QCOMPARE(form_->Design().Cell(1, 2), std::string("hello"));
    QCOMPARE(PreviewTexts(*form_)[2], std::string("hello"));
  }

  void invalidFieldWarnsOnceAndTakesTheFocus() {
    Open();
    MessageRecorder boxes;
    Type("EditLabelRowNumber", "x");
    for (int i = 0; i < 3; ++i) {
      Find<QWidget>("PaintBoxPrintLabelPreview")->repaint();
      QCoreApplication::processEvents();
    }
    Find<QCheckBox>("CheckBoxLeftTitle")->click();  // another change, the same failure
    QCOMPARE(boxes.Texts(), QStringList{"['x' is not a valid integer value]invalid data"});
    QCOMPARE(boxes.Requests().front().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
    QTRY_COMPARE(QApplication::focusWidget(), Find<QWidget>("EditLabelRowNumber"));
    QVERIFY(form_->PreviewPage().commands.empty());
    // Emptied, the field is refilled with its default when the sheet is read.
    Type("EditLabelRowNumber", "");
    QCOMPARE(Find<QLineEdit>("EditLabelRowNumber")->text(), QString("10"));
    QVERIFY(!form_->PreviewPage().commands.empty());
    QCOMPARE(boxes.Texts().size(), 1);
    // Printing warns again, every time.
    form_->printDialog = [](QPrinter&, QWidget*) { return true; };
    Type("EditPrintLabelFromRow", "0");
    Find<QPushButton>("ButtonPrintAllLabel")->click();
    Find<QPushButton>("ButtonPrintAllLabel")->click();
    QCOMPARE(boxes.Texts().size(), 3);
    QCOMPARE(boxes.Texts().back(), QString("[]invalid data"));
  }

  void keepsItsStateBetweenShowings() {
    Open();
    Type("EditPrintLabelFromRow", "2");
    auto* header = Find<QTableWidget>("StringGridLabelData")->horizontalHeader();
    QTest::mousePress(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 5, 5));
    QCOMPARE(Find<QTableWidget>("StringGridLabelData")->item(2, 0)->text(), QString("A-bar"));
    QVERIFY(form_->SortState().descending);
    Find<QPushButton>("ButtonMergeTheSame")->click();
    QCOMPARE(Find<QTableWidget>("StringGridLabelData")->rowCount(), 2);
    QVERIFY(!Find<QPushButton>("ButtonMergeTheSame")->isEnabled());
    Find<QTableWidget>("StringGridLabelData")->setCurrentCell(1, 0);
    form_->hide();
    Open();
    QCOMPARE(Find<QLineEdit>("EditPrintLabelFromRow")->text(), QString("2"));
    QVERIFY(form_->SortState().descending);
    QVERIFY(!Find<QPushButton>("ButtonMergeTheSame")->isEnabled());
    QCOMPARE(Find<QTableWidget>("StringGridLabelData")->rowCount(), 3);  // refilled
    QCOMPARE(Find<QTableWidget>("StringGridLabelData")->currentRow(), 0);
  }

  void savesAndLoadsSchemes() {
    Open();
    Type("EditLabelColNumber", "5");
    Find<QComboBox>("ComboBoxLabelSchemes")->setCurrentIndex(6);
    QCOMPARE(Find<QLineEdit>("EditLabelColNumber")->text(), QString("1"));  // empty scheme 7
    Type("EditLabelColNumber", "6");
    Find<QScrollBar>("ScrollBarLabelColCount")->setValue(3);
    QCOMPARE(Find<QTableWidget>("StringGridLabelDataFormat")->columnCount(), 4);
    Find<QPushButton>("ButtonSaveLabelScheme")->click();
    Find<QComboBox>("ComboBoxLabelSchemes")->setCurrentIndex(1);
    QCOMPARE(Find<QLineEdit>("EditLabelColNumber")->text(), QString("4"));
    Find<QComboBox>("ComboBoxLabelSchemes")->setCurrentIndex(6);
    QCOMPARE(Find<QLineEdit>("EditLabelColNumber")->text(), QString("6"));
    QCOMPARE(form_->Design().ScrollBarLabelColCount, 3);
  }

  void printsEveryLabelToAPdf() {
    Open();
    const QString pdf = dir_.filePath("labels.pdf");
    form_->printDialog = [pdf](QPrinter& p, QWidget*) {
      p.setOutputFormat(QPrinter::PdfFormat);
      p.setOutputFileName(pdf);
      return true;
    };
    Find<QPushButton>("ButtonPrintAllLabel")->click();
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("%PDF"));
  }
};

QTEST_MAIN(TestPrintLabel)
#include "test_print_label.moc"
