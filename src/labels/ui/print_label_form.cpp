// The label window TFormPrintLabel.
#include "labels/ui/print_label_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "app/label_source.h"
#include "app/settings.h"
#include "app/ui/message_box.h"
#include "base/ini_file.h"
#include "base/pubfunc.h"
#include "labels/label_layout.h"
#include "labels/label_scheme.h"
#include "render/drawing_painter.h"

namespace tralvin::ui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

// The preview's own font: the interface font, 11 pixels high, fixed pitch.
constexpr int kPreviewFontHeight = 11;

// The explanatory pictures of the sheet and label measures.
QPixmap PagePicture() {
  QPixmap pm(120, 150);
  pm.fill(Qt::white);
  QPainter p(&pm);
  p.setPen(Qt::black);
  p.drawRect(0, 0, 119, 149);
  p.setPen(Qt::darkGray);
  for (int r = 0; r < 6; ++r) {
    for (int c = 0; c < 3; ++c) p.drawRect(12 + c * 33, 12 + r * 22, 29, 18);
  }
  p.setPen(Qt::red);
  p.drawLine(0, 6, 12, 6);     // margin across
  p.drawLine(6, 0, 6, 12);     // margin down
  p.drawLine(41, 40, 45, 40);  // gap across
  p.drawLine(25, 30, 25, 34);  // gap down
  return pm;
}

QPixmap LabelPicture() {
  QPixmap pm(150, 80);
  pm.fill(Qt::white);
  QPainter p(&pm);
  p.setPen(Qt::black);
  p.drawRect(0, 0, 149, 79);
  p.fillRect(1, 1, 148, 17, QColor(220, 230, 250));
  p.fillRect(1, 18, 35, 61, QColor(230, 245, 225));
  p.setPen(Qt::darkGray);
  p.drawLine(36, 48, 149, 48);
  p.drawLine(92, 18, 92, 79);
  p.setFont(QFont(QString(), 7));
  p.drawText(4, 13, "top title");
  p.drawText(3, 50, "left");
  p.drawText(40, 36, "cell 1,1");
  p.drawText(96, 36, "cell 1,2");
  return pm;
}

}  // namespace

// PaintBoxPrintLabelPreview: paints the preview's drawing commands.
class LabelPreview : public QWidget {
 public:
  explicit LabelPreview(const DrawingPage& page, QWidget* parent) : QWidget(parent), page_(page) {
    setObjectName("PaintBoxPrintLabelPreview");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
  }
  int paintCount = 0;

 protected:
  void paintEvent(QPaintEvent*) override {
    ++paintCount;
    QPainter painter(this);
    render::PaintDrawing(painter, page_, QPointF(1, 1));
  }

 private:
  const DrawingPage& page_;
};

TFormPrintLabel::TFormPrintLabel(SettingsModel& settings, QPrinter* printer, QWidget* parent)
    : QDialog(parent), settings_(settings), printer_(printer) {
  setObjectName("TFormPrintLabel");
  if (printer_ == nullptr) {
    ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_ = ownPrinter_.get();
  }
  printDialog = [](QPrinter& p, QWidget* w) {
    QPrintDialog dialog(&p, w);
    return dialog.exec() == QDialog::Accepted;
  };
  printSetupDialog = [](QPrinter& p, QWidget* w) {
    QPageSetupDialog dialog(&p, w);
    return dialog.exec() == QDialog::Accepted;
  };
  preview_.unitsPerInch = 96;
  BuildControls();
  ApplyCaptions(captions_);
  ShowDesign();
  ShowLayoutGrid();
  ShowData();
}

TFormPrintLabel::~TFormPrintLabel() = default;

int TFormPrintLabel::PreviewPaintCount() const { return PaintBoxPrintLabelPreview->paintCount; }

void TFormPrintLabel::BuildControls() {
  auto edit = [this](QLineEdit*& e, const char* name) {
    e = new QLineEdit(this);
    e->setObjectName(name);
    e->setMaximumWidth(70);
    connect(e, &QLineEdit::textEdited, this, [this] { ButtonRefreshPreviewLabelClick(); });
    return e;
  };
  auto label = [this](const char* name, const char* key) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    captionLabels_.push_back({l, key});
    return l;
  };
  auto button = [this](QPushButton*& b, const char* name) {
    b = new QPushButton(this);
    b->setObjectName(name);
    return b;
  };

  // Sheet.
  auto* sheetBox = new QGroupBox(this);
  sheetBox->setObjectName("GroupBoxLabelSheet");
  auto* sheet = new QGridLayout(sheetBox);
  ComboBoxMeasure = new QComboBox(this);
  ComboBoxMeasure->setObjectName("ComboBoxMeasure");
  sheet->addWidget(label("LabelMeasure", "Measure Caption"), 0, 0);
  sheet->addWidget(ComboBoxMeasure, 0, 1);
  sheet->addWidget(label("LabelColumnQty", "sPrintLabelColumnQty"), 1, 0);
  sheet->addWidget(edit(EditLabelColNumber, "EditLabelColNumber"), 1, 1);
  sheet->addWidget(label("LabelRowQty", "sPrintLabelRowQty"), 1, 2);
  sheet->addWidget(edit(EditLabelRowNumber, "EditLabelRowNumber"), 1, 3);
  sheet->addWidget(label("LabelHoriGap", "sPrintLabelHoriGap"), 2, 0);
  sheet->addWidget(edit(EditLabelHorizontalGap, "EditLabelHorizontalGap"), 2, 1);
  sheet->addWidget(label("LabelVertGap", "sPrintLabelVertGap"), 2, 2);
  sheet->addWidget(edit(EditLabelVerticalGap, "EditLabelVerticalGap"), 2, 3);
  sheet->addWidget(label("LabelLengthMarge", "sPrintLabelLengthMarge"), 3, 0);
  sheet->addWidget(edit(EditLengthMarge, "EditLengthMarge"), 3, 1);
  sheet->addWidget(label("LabelWidthMarge", "sPrintLabelWidthMarge"), 3, 2);
  sheet->addWidget(edit(EditWidthMarge, "EditWidthMarge"), 3, 3);
  ImagePrintPage = new QLabel(this);
  ImagePrintPage->setObjectName("ImagePrintPage");
  ImagePrintPage->setPixmap(PagePicture());
  sheet->addWidget(ImagePrintPage, 0, 4, 5, 1);
  connect(ComboBoxMeasure, &QComboBox::currentIndexChanged, this, [this] {
    if (!loading_) ButtonRefreshPreviewLabelClick();
  });

  // Title bands.
  auto* bandBox = new QGroupBox(this);
  bandBox->setObjectName("GroupBoxLabelTitles");
  auto* bands = new QGridLayout(bandBox);
  CheckBoxTopTitle = new QCheckBox(this);
  CheckBoxTopTitle->setObjectName("CheckBoxTopTitle");
  CheckBoxLeftTitle = new QCheckBox(this);
  CheckBoxLeftTitle->setObjectName("CheckBoxLeftTitle");
  ComboBoxTopTitleData = new QComboBox(this);
  ComboBoxTopTitleData->setObjectName("ComboBoxTopTitleData");
  ComboBoxLeftTitleData = new QComboBox(this);
  ComboBoxLeftTitleData->setObjectName("ComboBoxLeftTitleData");
  bands->addWidget(CheckBoxTopTitle, 0, 0);
  bands->addWidget(edit(EditTopTitleCaption, "EditTopTitleCaption"), 0, 1);
  bands->addWidget(ComboBoxTopTitleData, 0, 2);
  bands->addWidget(label("LabelTopTitleWidth", "sPrintLabelTopTitleWidth"), 0, 3);
  bands->addWidget(edit(EditTopTitleWidth, "EditTopTitleWidth"), 0, 4);
  bands->addWidget(CheckBoxLeftTitle, 1, 0);
  bands->addWidget(edit(EditLeftTitleCaption, "EditLeftTitleCaption"), 1, 1);
  bands->addWidget(ComboBoxLeftTitleData, 1, 2);
  bands->addWidget(label("LabelLeftTitleLength", "sPrintLabelLeftTitleLength"), 1, 3);
  bands->addWidget(edit(EditLeftTitleLength, "EditLeftTitleLength"), 1, 4);
  EditTopTitleCaption->setMaximumWidth(120);
  EditLeftTitleCaption->setMaximumWidth(120);
  for (QCheckBox* c : {CheckBoxTopTitle, CheckBoxLeftTitle}) {
    connect(c, &QCheckBox::toggled, this, [this] {
      if (!loading_) ButtonRefreshPreviewLabelClick();
    });
  }
  for (QComboBox* c : {ComboBoxTopTitleData, ComboBoxLeftTitleData}) {
    connect(c, &QComboBox::currentIndexChanged, this, [this] {
      if (!loading_) ButtonRefreshPreviewLabelClick();
    });
  }

  // Body layout.
  auto* bodyBox = new QGroupBox(this);
  bodyBox->setObjectName("GroupBoxLabelBody");
  auto* body = new QGridLayout(bodyBox);
  StringGridLabelDataFormat = new QTableWidget(this);
  StringGridLabelDataFormat->setObjectName("StringGridLabelDataFormat");
  StringGridLabelDataFormat->horizontalHeader()->hide();
  StringGridLabelDataFormat->verticalHeader()->hide();
  StringGridLabelDataFormat->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGridLabelDataFormat->setSelectionMode(QAbstractItemView::NoSelection);
  StringGridLabelDataFormat->setMinimumSize(300, 130);
  StringGridLabelDataFormat->verticalHeader()->setMinimumSectionSize(8);
  ComboBoxLabelGridData = new QComboBox(StringGridLabelDataFormat->viewport());
  ComboBoxLabelGridData->setObjectName("ComboBoxLabelGridData");
  ComboBoxLabelGridData->setEditable(true);
  ComboBoxLabelGridData->setInsertPolicy(QComboBox::NoInsert);
  ComboBoxLabelGridData->hide();
  ComboBoxLabelGridData->installEventFilter(this);
  ComboBoxLabelGridData->lineEdit()->installEventFilter(this);
  ScrollBarLabelRowCount = new QScrollBar(Qt::Horizontal, this);
  ScrollBarLabelRowCount->setObjectName("ScrollBarLabelRowCount");
  ScrollBarLabelRowCount->setRange(kBodyRowsMin, kBodyRowsMax);
  ScrollBarLabelColCount = new QScrollBar(Qt::Horizontal, this);
  ScrollBarLabelColCount->setObjectName("ScrollBarLabelColCount");
  ScrollBarLabelColCount->setRange(kBodyColsMin, kBodyColsMax);
  for (QScrollBar* s : {ScrollBarLabelRowCount, ScrollBarLabelColCount}) {
    s->setPageStep(1);
    s->setMinimumWidth(80);
  }
  body->addWidget(StringGridLabelDataFormat, 0, 0, 1, 4);
  body->addWidget(label("LabelBodyRow", "sPrintLabelRow"), 1, 0);
  body->addWidget(ScrollBarLabelRowCount, 1, 1);
  body->addWidget(label("LabelBodyCol", "sPrintLabelCol"), 1, 2);
  body->addWidget(ScrollBarLabelColCount, 1, 3);
  ImageLabelDetail = new QLabel(this);
  ImageLabelDetail->setObjectName("ImageLabelDetail");
  ImageLabelDetail->setPixmap(LabelPicture());
  body->addWidget(ImageLabelDetail, 0, 4, 2, 1);
  connect(StringGridLabelDataFormat, &QTableWidget::cellClicked, this,
          &TFormPrintLabel::onclickLabelData);
  connect(StringGridLabelDataFormat->horizontalHeader(), &QHeaderView::sectionResized, this,
          &TFormPrintLabel::oncolresized);
  connect(ScrollBarLabelRowCount, &QScrollBar::valueChanged, this,
          &TFormPrintLabel::ScrollBarLabelRowCountChange);
  connect(ScrollBarLabelColCount, &QScrollBar::valueChanged, this,
          &TFormPrintLabel::ScrollBarLabelColCountChange);

  // Schemes, font, printing.
  auto* actions = new QGridLayout;
  ComboBoxLabelSchemes = new QComboBox(this);
  ComboBoxLabelSchemes->setObjectName("ComboBoxLabelSchemes");
  actions->addWidget(ComboBoxLabelSchemes, 0, 0, 1, 2);
  actions->addWidget(button(ButtonSaveLabelScheme, "ButtonSaveLabelScheme"), 0, 2);
  actions->addWidget(button(ButtonLabelFontSetup, "ButtonLabelFontSetup"), 0, 3);
  actions->addWidget(label("LabelPrintFrom", "sPrintLabelFrom"), 1, 0);
  auto* from = new QHBoxLayout;
  from->addWidget(label("LabelPrintFromRow", "sPrintLabelFromRow"));
  from->addWidget(edit(EditPrintLabelFromRow, "EditPrintLabelFromRow"));
  from->addWidget(label("LabelPrintFromCol", "sPrintLabelFromCol"));
  from->addWidget(edit(EditPrintLabelFromCol, "EditPrintLabelFromCol"));
  actions->addLayout(from, 1, 1, 1, 3);
  actions->addWidget(button(ButtonPrintSetup, "ButtonPrintSetup"), 2, 0);
  actions->addWidget(button(ButtonPrintAllLabel, "ButtonPrintAllLabel"), 2, 1);
  actions->addWidget(button(ButtonPrintSelected, "ButtonPrintSelected"), 2, 2);
  actions->addWidget(button(ButtonMergeTheSame, "ButtonMergeTheSame"), 2, 3);
  connect(ComboBoxLabelSchemes, &QComboBox::currentIndexChanged, this, [this] {
    if (!loading_) onchangeLabelScheme();
  });
  connect(ButtonSaveLabelScheme, &QPushButton::clicked, this,
          &TFormPrintLabel::ButtonSaveLabelSchemeClick);
  connect(ButtonLabelFontSetup, &QPushButton::clicked, this,
          &TFormPrintLabel::ButtonLabelFontSetupClick);
  connect(ButtonPrintSetup, &QPushButton::clicked, this, &TFormPrintLabel::ButtonPrintSetupClick);
  connect(ButtonPrintAllLabel, &QPushButton::clicked, this,
          &TFormPrintLabel::ButtonPrintAllLabelClick);
  connect(ButtonPrintSelected, &QPushButton::clicked, this,
          &TFormPrintLabel::ButtonPrintSelectedClick);
  connect(ButtonMergeTheSame, &QPushButton::clicked, this,
          &TFormPrintLabel::ButtonMergeTheSameClick);

  // Preview.
  LabelPreviewCaption = new QLabel(this);
  LabelPreviewCaption->setObjectName("LabelPreview");
  PaintBoxPrintLabelPreview = new LabelPreview(preview_, this);
  auto* previewArea = new QScrollArea(this);
  previewArea->setObjectName("ScrollBoxPrintLabelPreview");
  previewArea->setWidget(PaintBoxPrintLabelPreview);
  previewArea->setMinimumSize(320, 150);
  previewArea->setBackgroundRole(QPalette::Mid);

  // Data table.
  StringGridLabelData = new QTableWidget(this);
  StringGridLabelData->setObjectName("StringGridLabelData");
  StringGridLabelData->setColumnCount(kLabelDisplayedColumns);
  StringGridLabelData->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGridLabelData->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGridLabelData->setSelectionMode(QAbstractItemView::ContiguousSelection);
  StringGridLabelData->horizontalHeader()->setSectionsClickable(true);
  StringGridLabelData->setMinimumHeight(150);
  connect(StringGridLabelData->horizontalHeader(), &QHeaderView::sectionPressed, this,
          &TFormPrintLabel::StringGridLabelDataMouseDown);
  connect(StringGridLabelData, &QTableWidget::currentCellChanged, this, [this] {
    if (!loading_) ButtonRefreshPreviewLabelClick();
  });

  auto* left = new QVBoxLayout;
  left->addWidget(sheetBox);
  left->addWidget(bandBox);
  left->addWidget(bodyBox);
  auto* right = new QVBoxLayout;
  right->addLayout(actions);
  right->addWidget(LabelPreviewCaption);
  right->addWidget(previewArea, 1);
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addLayout(right, 1);
  auto* all = new QVBoxLayout(this);
  all->addLayout(top);
  all->addWidget(StringGridLabelData, 1);
}

void TFormPrintLabel::ApplyCaptions(const CaptionTable& captions) {
  captions_ = captions;
  const bool wasLoading = loading_;
  loading_ = true;
  setWindowTitle(Q(captions.Text("sPrintLabel")));
  ComboBoxMeasure->clear();
  ComboBoxMeasure->addItem(Q(captions.Text("sPrintLabelInch")));
  ComboBoxMeasure->addItem(Q(captions.Text("sPrintLabelMm")));
  ComboBoxMeasure->setCurrentIndex(design_.ComboBoxMeasure);
  for (const auto& [l, key] : captionLabels_) l->setText(Q(captions.Text(key)));
  CheckBoxTopTitle->setText(Q(captions.Text("sPrintLabelEnableTitle")));
  CheckBoxLeftTitle->setText(Q(captions.Text("sPrintLabelEnableTitle")));
  ButtonPrintSetup->setText(Q(captions.Text("sPrintLabelPrintSetup")));
  ButtonPrintAllLabel->setText(Q(captions.Text("sPrintLabelPrintAll")));
  ButtonPrintSelected->setText(Q(captions.Text("sPrintLabelPrintSelected")));
  ButtonSaveLabelScheme->setText(Q(captions.ControlCaption("SheetsSave")));
  ButtonMergeTheSame->setText(Q(captions.Text("Distinct Label Caption")));
  LabelPreviewCaption->setText(Q(captions.Text("sPrintLabelPreview")));
  ButtonLabelFontSetup->setText(Q(captions.ControlCaption("ButtonFontSetup")));
  ButtonLabelFontSetup->setToolTip(Q(captions.Hint("Print Font Setup Button")));
  ComboBoxLabelSchemes->clear();
  for (int n = 1; n <= kLabelSchemeCount; ++n) {
    ComboBoxLabelSchemes->addItem(Q(captions.Text("sLabelScheme") + " " + std::to_string(n)));
  }
  ComboBoxLabelSchemes->setCurrentIndex(-1);
  loading_ = wasLoading;
}

void TFormPrintLabel::SetLabelData(StringGrid data) {
  data_ = std::move(data);
  if (data_.ColCount() < kLabelDataColumns) data_.SetColCount(kLabelDataColumns);
  if (data_.RowCount() < 1) data_.SetRowCount(1);
  ShowData();
  // Data row 1 becomes current (row 0 of the data, the headings, when there is none).
  loading_ = true;
  if (StringGridLabelData->rowCount() > 0) StringGridLabelData->setCurrentCell(0, 0);
  loading_ = false;
  // The first item of each field list (the lists are rebuilt when the window is shown).
  design_.ComboBoxTopTitleData = 0;
  design_.ComboBoxLeftTitleData = 0;
}

void TFormPrintLabel::SelectSchemeItem(int item) {
  loading_ = true;
  ComboBoxLabelSchemes->setCurrentIndex(item >= 0 && item < kLabelSchemeCount ? item : -1);
  loading_ = false;
}

int TFormPrintLabel::SchemeItem() const { return ComboBoxLabelSchemes->currentIndex(); }

void TFormPrintLabel::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  onshowlabelprint();
}

void TFormPrintLabel::onshowlabelprint() {
  loading_ = true;
  for (QComboBox* c : {ComboBoxTopTitleData, ComboBoxLeftTitleData, ComboBoxLabelGridData}) {
    c->clear();
  }
  for (int i = 0; i < data_.ColCount(); ++i) {
    const QString heading = Q(data_.Cell(i, 0));
    for (QComboBox* c : {ComboBoxTopTitleData, ComboBoxLeftTitleData, ComboBoxLabelGridData}) {
      c->addItem(heading);
    }
  }
  loading_ = false;
  ShowDesign();
  ShowData();
  onchangeLabelScheme();
  ButtonRefreshPreviewLabelClick();
}

std::string TFormPrintLabel::SchemeFile() const { return LabelSchemeFile(settings_); }

void TFormPrintLabel::onchangeLabelScheme() {
  const int item = ComboBoxLabelSchemes->currentIndex();
  if (item < 0) return;
  LoadLabelScheme(SchemeFile(), item + 1);
}

void TFormPrintLabel::LoadLabelScheme(const std::string& sFileName, int nIndex) {
  TakeFields();
  if (!tralvin::LoadLabelScheme(sFileName, nIndex, design_)) return;
  printer_->setPageOrientation(design_.portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
  ShowDesign();
  ShowLayoutGrid();
  ButtonRefreshPreviewLabelClick();
}

void TFormPrintLabel::ButtonSaveLabelSchemeClick() {
  const int item = ComboBoxLabelSchemes->currentIndex();
  if (item < 0) return;
  SaveLabelScheme(SchemeFile(), item + 1);
}

void TFormPrintLabel::SaveLabelScheme(const std::string& sFileName, int nIndex) {
  TakeFields();
  design_.portrait = printer_->pageLayout().orientation() == QPageLayout::Portrait;
  try {
    tralvin::SaveLabelScheme(sFileName, nIndex, design_);
  } catch (const IniWriteError& e) {
    ShowWarning(this, Q(e.what()));
  }
}

void TFormPrintLabel::ShowDesign() {
  const bool wasLoading = loading_;
  loading_ = true;
  auto setText = [](QLineEdit* e, const std::string& text) {
    if (e->text() != Q(text)) e->setText(Q(text));
  };
  ComboBoxMeasure->setCurrentIndex(
      design_.ComboBoxMeasure < ComboBoxMeasure->count() ? design_.ComboBoxMeasure : -1);
  setText(EditLabelColNumber, design_.EditLabelColNumber);
  setText(EditLabelRowNumber, design_.EditLabelRowNumber);
  setText(EditLabelHorizontalGap, design_.EditLabelHorizontalGap);
  setText(EditLabelVerticalGap, design_.EditLabelVerticalGap);
  setText(EditLengthMarge, design_.EditLengthMarge);
  setText(EditWidthMarge, design_.EditWidthMarge);
  CheckBoxTopTitle->setChecked(design_.CheckBoxTopTitle);
  setText(EditTopTitleCaption, design_.EditTopTitleCaption);
  ComboBoxTopTitleData->setCurrentIndex(design_.ComboBoxTopTitleData < ComboBoxTopTitleData->count()
                                            ? design_.ComboBoxTopTitleData
                                            : -1);
  setText(EditTopTitleWidth, design_.EditTopTitleWidth);
  CheckBoxLeftTitle->setChecked(design_.CheckBoxLeftTitle);
  setText(EditLeftTitleCaption, design_.EditLeftTitleCaption);
  ComboBoxLeftTitleData->setCurrentIndex(
      design_.ComboBoxLeftTitleData < ComboBoxLeftTitleData->count() ? design_.ComboBoxLeftTitleData
                                                                     : -1);
  setText(EditLeftTitleLength, design_.EditLeftTitleLength);
  setText(EditPrintLabelFromRow, design_.EditPrintLabelFromRow);
  setText(EditPrintLabelFromCol, design_.EditPrintLabelFromCol);
  ScrollBarLabelRowCount->setValue(design_.ScrollBarLabelRowCount);
  ScrollBarLabelColCount->setValue(design_.ScrollBarLabelColCount);
  loading_ = wasLoading;
}

void TFormPrintLabel::TakeFields() {
  design_.ComboBoxMeasure = ComboBoxMeasure->currentIndex();
  design_.EditLabelColNumber = S(EditLabelColNumber->text());
  design_.EditLabelRowNumber = S(EditLabelRowNumber->text());
  design_.EditLabelHorizontalGap = S(EditLabelHorizontalGap->text());
  design_.EditLabelVerticalGap = S(EditLabelVerticalGap->text());
  design_.EditLengthMarge = S(EditLengthMarge->text());
  design_.EditWidthMarge = S(EditWidthMarge->text());
  design_.CheckBoxTopTitle = CheckBoxTopTitle->isChecked();
  design_.EditTopTitleCaption = S(EditTopTitleCaption->text());
  design_.ComboBoxTopTitleData = ComboBoxTopTitleData->currentIndex();
  design_.EditTopTitleWidth = S(EditTopTitleWidth->text());
  design_.CheckBoxLeftTitle = CheckBoxLeftTitle->isChecked();
  design_.EditLeftTitleCaption = S(EditLeftTitleCaption->text());
  design_.ComboBoxLeftTitleData = ComboBoxLeftTitleData->currentIndex();
  design_.EditLeftTitleLength = S(EditLeftTitleLength->text());
  design_.EditPrintLabelFromRow = S(EditPrintLabelFromRow->text());
  design_.EditPrintLabelFromCol = S(EditPrintLabelFromCol->text());
}

void TFormPrintLabel::ShowLayoutGrid() {
  const bool wasLoading = loading_;
  loading_ = true;
  QTableWidget* g = StringGridLabelDataFormat;
  g->setRowCount(design_.ScrollBarLabelRowCount + 1);
  g->setColumnCount(design_.ScrollBarLabelColCount + 1);
  for (int r = 0; r < g->rowCount(); ++r) {
    for (int c = 0; c < g->columnCount(); ++c) {
      QString text;
      if (r == 0 && c > 0) text = QString::number(c);
      if (c == 0 && r > 0) text = QString::number(r);
      if (r > 0 && c > 0) text = Q(design_.Cell(r, c));
      auto* item = new QTableWidgetItem(text);
      if (r == 0 || c == 0) item->setBackground(palette().button());
      g->setItem(r, c, item);
    }
  }
  g->setColumnWidth(0, design_.colWidths[0]);
  for (int c = 1; c < g->columnCount(); ++c) g->setColumnWidth(c, design_.colWidths.at(c));
  g->setRowHeight(0, 16);
  loading_ = wasLoading;
}

void TFormPrintLabel::ShowData() {
  const bool wasLoading = loading_;
  loading_ = true;
  QTableWidget* t = StringGridLabelData;
  QStringList headings;
  for (int c = 0; c < kLabelDisplayedColumns; ++c) headings << Q(data_.Cell(c, 0));
  t->setHorizontalHeaderLabels(headings);
  const int current = t->currentRow();
  t->setRowCount(data_.RowCount() - 1);
  for (int r = 1; r < data_.RowCount(); ++r) {
    for (int c = 0; c < kLabelDisplayedColumns; ++c) {
      t->setItem(r - 1, c, new QTableWidgetItem(Q(data_.Cell(c, r))));
    }
  }
  if (t->rowCount() > 0)
    t->setCurrentCell(current >= 0 && current < t->rowCount() ? current : 0, 0);
  loading_ = wasLoading;
}

PrintableArea TFormPrintLabel::PrinterArea() const {
  // Printer pixels of 1/72 inch: the label font size in printer pixels is the
  // point size the font dialog shows, whatever the printer's resolution.
  const QRectF r = printer_->pageLayout().paintRect(QPageLayout::Point);
  return {r.width(), r.height(), 72.0};
}

QLineEdit* TFormPrintLabel::FieldEdit(LabelField field) const {
  switch (field) {
    case LabelField::EditLabelColNumber:
      return EditLabelColNumber;
    case LabelField::EditLabelRowNumber:
      return EditLabelRowNumber;
    case LabelField::EditLabelHorizontalGap:
      return EditLabelHorizontalGap;
    case LabelField::EditLabelVerticalGap:
      return EditLabelVerticalGap;
    case LabelField::EditLengthMarge:
      return EditLengthMarge;
    case LabelField::EditWidthMarge:
      return EditWidthMarge;
    case LabelField::EditTopTitleWidth:
      return EditTopTitleWidth;
    case LabelField::EditLeftTitleLength:
      return EditLeftTitleLength;
    case LabelField::EditPrintLabelFromRow:
      return EditPrintLabelFromRow;
    case LabelField::EditPrintLabelFromCol:
      return EditPrintLabelFromCol;
    case LabelField::None:
      break;
  }
  return nullptr;
}

bool TFormPrintLabel::Warn(const SheetReading& reading, bool onceOnly) {
  ShowDesign();  // blank fields refilled
  if (reading.ok) {
    lastWarning_.clear();
    return true;
  }
  // The preview warns once for a failure: a warning box over the preview
  // would otherwise repaint it and warn again without end.
  const std::string key = std::to_string(static_cast<int>(reading.focus)) + reading.message;
  if (onceOnly && key == lastWarning_) return false;
  lastWarning_ = key;
  ShowWarning(this, Q(reading.message));
  if (QLineEdit* e = FieldEdit(reading.focus)) {
    e->setFocus();
    e->selectAll();
  }
  return false;
}

bool TFormPrintLabel::ReadPrintLabelOption() {
  TakeFields();
  const SheetReading r = tralvin::ReadPrintLabelOption(design_, PrinterArea(), captions_);
  if (r.ok) sheet_ = r.values;
  return Warn(r, false);
}

bool TFormPrintLabel::ReadPrintOptions() {
  TakeFields();
  const SheetReading r = tralvin::ReadPrintOptions(design_, PrinterArea(), captions_);
  if (r.ok) sheet_ = r.values;
  return Warn(r, false);
}

void TFormPrintLabel::ButtonRefreshPreviewLabelClick() {
  if (loading_) return;
  TakeFields();
  const SheetReading r = tralvin::ReadPrintLabelOption(design_, PrinterArea(), captions_);
  preview_.commands.clear();
  if (Warn(r, true)) {
    sheet_ = r.values;
    const double d = PaintBoxPrintLabelPreview->logicalDpiY();
    const int row = data_.RowCount() > 1 ? StringGridLabelData->currentRow() + 1 : 0;
    preview_.unitsPerInch = d;
    preview_.width = std::trunc(d * sheet_.labelLength) + 1;
    preview_.height = std::trunc(d * sheet_.labelWidth) + 1;
    printLabels(design_, sheet_, data_, 0, 0, sheet_.labelLength, sheet_.labelWidth,
                std::max(row, 0), d, {"", kPreviewFontHeight}, preview_.commands);
    ShowDesign();  // a title band may have had its first field selected
    const int w = static_cast<int>(std::clamp(preview_.width + 3, 10.0, 4000.0));
    const int h = static_cast<int>(std::clamp(preview_.height + 3, 10.0, 4000.0));
    PaintBoxPrintLabelPreview->resize(w, h);
  }
  PaintBoxPrintLabelPreview->update();
}

void TFormPrintLabel::onclickLabelData(int row, int col) {
  if (row < 1 || col < 1) return;
  editRow_ = row;
  editCol_ = col;
  const QRect cell =
      StringGridLabelDataFormat->visualItemRect(StringGridLabelDataFormat->item(row, col));
  ComboBoxLabelGridData->setFont(StringGridLabelDataFormat->font());
  ComboBoxLabelGridData->setGeometry(cell.x() + 1, cell.y() + 1,
                                     StringGridLabelDataFormat->columnWidth(col),
                                     StringGridLabelDataFormat->rowHeight(row));
  ComboBoxLabelGridData->setEditText(Q(Trim(design_.Cell(row, col))));
  ComboBoxLabelGridData->lineEdit()->deselect();
  ComboBoxLabelGridData->show();
  ComboBoxLabelGridData->setFocus();
}

void TFormPrintLabel::onlostfocus() {
  if (!ComboBoxLabelGridData->isVisible()) return;
  ComboBoxLabelGridData->hide();
  if (editRow_ >= 1 && editCol_ >= 1) {
    design_.SetCell(editRow_, editCol_, S(ComboBoxLabelGridData->currentText()));
  }
  ShowLayoutGrid();
  ButtonRefreshPreviewLabelClick();
}

bool TFormPrintLabel::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == ComboBoxLabelGridData || watched == ComboBoxLabelGridData->lineEdit()) &&
      event->type() == QEvent::FocusOut) {
    const auto* focus = static_cast<QFocusEvent*>(event);
    const QWidget* now = QApplication::focusWidget();
    const bool inside = now != nullptr &&
                        (now == ComboBoxLabelGridData || ComboBoxLabelGridData->isAncestorOf(now));
    if (focus->reason() != Qt::PopupFocusReason && !inside) onlostfocus();
  }
  return QDialog::eventFilter(watched, event);
}

void TFormPrintLabel::oncolresized(int col, int, int newWidth) {
  if (loading_ || col < 0 || col > kBodyColsMax) return;
  design_.colWidths.at(col) = newWidth;
  ButtonRefreshPreviewLabelClick();
}

void TFormPrintLabel::ScrollBarLabelRowCountChange(int position) {
  if (loading_) return;
  design_.SetBodyRows(position);
  ShowLayoutGrid();
  QTableWidget* g = StringGridLabelDataFormat;
  const int rows = g->rowCount();
  const int height = (g->height() - g->rowHeight(0) - 4) / (rows - 1) - 1;
  loading_ = true;
  for (int r = 1; r < rows; ++r) g->setRowHeight(r, std::max(height, 8));
  loading_ = false;
  ButtonRefreshPreviewLabelClick();
}

void TFormPrintLabel::ScrollBarLabelColCountChange(int position) {
  if (loading_) return;
  design_.SetBodyCols(position);
  QTableWidget* g = StringGridLabelDataFormat;
  const int cols = design_.ScrollBarLabelColCount + 1;
  const int width = (g->width() - design_.colWidths[0] - 4) / (cols - 1) - 1;
  for (int c = 1; c < cols; ++c) design_.colWidths.at(c) = std::max(width, 8);
  ShowLayoutGrid();
  ButtonRefreshPreviewLabelClick();
}

void TFormPrintLabel::ButtonPrintSetupClick() {
  printSetupDialog(*printer_, this);
  ButtonRefreshPreviewLabelClick();
}

void TFormPrintLabel::PrintLabelFromTo(int nFromRow, int nToRow) {
  if (!ReadPrintOptions() || nFromRow <= 0 || nToRow < nFromRow) return;
  const std::vector<DrawingPage> pages =
      LabelPages(design_, sheet_, data_, nFromRow, nToRow, PrinterArea(),
                 {settings_.LabelFontName, settings_.LabelFontSize});
  if (pages.empty()) return;
  QPainter painter;
  if (!painter.begin(printer_)) return;  // the printing service reports its own failures
  for (size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) printer_->newPage();
    render::PaintDrawing(painter, pages[i]);
  }
  painter.end();
}

void TFormPrintLabel::PrintRows(int nFromRow, int nToRow) {
  if (!printDialog(*printer_, this)) return;
  PrintLabelFromTo(nFromRow, nToRow);
}

void TFormPrintLabel::ButtonPrintAllLabelClick() { PrintRows(1, data_.RowCount() - 1); }

void TFormPrintLabel::ButtonPrintSelectedClick() {
  const QList<QTableWidgetSelectionRange> ranges = StringGridLabelData->selectedRanges();
  int top = StringGridLabelData->currentRow(), bottom = top;
  if (!ranges.isEmpty()) {
    top = ranges.front().topRow();
    bottom = ranges.front().bottomRow();
  }
  if (top < 0) return;
  PrintRows(top + 1, bottom + 1);
}

void TFormPrintLabel::StringGridLabelDataMouseDown(int col) {
  SortLabelData(data_, col, sort_);
  ShowData();
  ButtonRefreshPreviewLabelClick();
}

void TFormPrintLabel::ButtonMergeTheSameClick() {
  DistinctLabelData(data_);
  ShowData();
  if (StringGridLabelData->rowCount() > 0) StringGridLabelData->setCurrentCell(0, 0);
  distinctUsed_ = true;
  ButtonMergeTheSame->setEnabled(false);
  ButtonRefreshPreviewLabelClick();
}

void TFormPrintLabel::ButtonLabelFontSetupClick() {
  bool ok = false;
  const QFont chosen =
      QFontDialog::getFont(&ok, QFont(Q(settings_.LabelFontName), settings_.LabelFontSize), this);
  if (!ok) return;
  settings_.LabelFontSize = std::max(8, chosen.pointSize());
  settings_.LabelFontName =
      Trim(settings_.LabelFontName).empty() ? std::string("MS Mincho") : S(chosen.family());
}

}  // namespace tralvin::ui
