// The import window: controls, file reading, mapping boxes and the close.
#include "tables/ui/import_form.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include "app/settings.h"
#include "app/ui/message_box.h"
#include "tables/export_choice.h"
#include "tables/ui/file_choice.h"
#include "tables/ui/preview_grid_model.h"
#include "texts/caption_table.h"

namespace tralvin::ui {

namespace {

// Wide enough for the longest column title in a mapping box.
constexpr int kPreviewColumnWidth = 100;
constexpr int kMappingBoxLines = 16;

QString Q(const std::string& text) { return QString::fromStdString(text); }

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  // Enter in the preview must not copy or append by accident.
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TFormImportData::TFormImportData(const CaptionTable& captions, SettingsModel& settings,
                                 QWidget* parent)
    : QDialog(parent), captions_(captions), settings_(settings) {
  setObjectName("FormImportData");
  BuildControls();
  resize(1140, 620);
  connect(this, &QDialog::finished, this, &TFormImportData::Finish);
}

void TFormImportData::BuildControls() {
  buttonImportTXT_ = MakeButton(this, "ButtonImportTXT", kImportTxtButtonCaption);
  buttonImportEXCEL_ = MakeButton(this, "ButtonImportEXCEL", kImportExcelButtonCaption);
  buttonImportXML_ = MakeButton(this, "ButtonImportXML", "XML");
  buttonImportXML_->hide();  // nothing is imported from XML
  lblSelectEXCELSheet_ = new QLabel(kSelectSheetLabelCaption, this);
  lblSelectEXCELSheet_->setObjectName("lblSelectEXCELSheet");
  comboBoxSheetName_ = new QComboBox(this);
  comboBoxSheetName_->setObjectName("ComboBoxSheetName");
  comboBoxSheetName_->setMinimumWidth(200);
  comboBoxSheetName_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  lblSelectEXCELSheet_->setBuddy(comboBoxSheetName_);

  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(buttonImportTXT_);
  fileRow->addWidget(buttonImportEXCEL_);
  fileRow->addWidget(buttonImportXML_);
  fileRow->addSpacing(24);
  fileRow->addWidget(lblSelectEXCELSheet_);
  fileRow->addWidget(comboBoxSheetName_);
  fileRow->addStretch(1);

  lblSelectFieldFromEXCEL_ = new QLabel(kSelectFieldLabelCaption, this);
  lblSelectFieldFromEXCEL_->setObjectName("lblSelectFieldFromEXCEL");

  // The mapping boxes stand above the preview columns; they are placed by
  // hand so that they follow the columns' widths and horizontal scrolling.
  mappingStrip_ = new QWidget(this);
  mappingStrip_->setObjectName("MappingBoxes");
  for (int k = 0; k < kMappingBoxCount; ++k) {
    auto* box = new QComboBox(mappingStrip_);
    box->setObjectName(QString("ComboBox%1").arg(k + 1));
    box->setEditable(false);
    box->setMaxVisibleItems(kMappingBoxLines);
    connect(box, &QComboBox::currentIndexChanged, this,
            [this, k](int index) { model_.SetItemIndex(k, index); });
    mappingBoxes_[k] = box;
  }
  mappingStrip_->setFixedHeight(mappingBoxes_[0]->sizeHint().height());

  previewModel_ = new PreviewGridModel(model_.Preview(), this);
  stringGridImportData_ = new QTableView(this);
  stringGridImportData_->setObjectName("StringGridImportData");
  stringGridImportData_->setModel(previewModel_);
  stringGridImportData_->horizontalHeader()->hide();
  stringGridImportData_->verticalHeader()->hide();
  stringGridImportData_->horizontalHeader()->setDefaultSectionSize(kPreviewColumnWidth);
  stringGridImportData_->verticalHeader()->setDefaultSectionSize(
      stringGridImportData_->fontMetrics().height() + 6);
  stringGridImportData_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  stringGridImportData_->setEditTriggers(QAbstractItemView::DoubleClicked |
                                         QAbstractItemView::EditKeyPressed |
                                         QAbstractItemView::AnyKeyPressed);
  connect(stringGridImportData_->horizontalHeader(), &QHeaderView::sectionResized, this,
          &TFormImportData::PlaceMappingBoxes);
  connect(stringGridImportData_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
          &TFormImportData::PlaceMappingBoxes);

  buttonOK_ = MakeButton(this, "ButtonOK", kCopyButtonCaption);
  buttonAppend_ = MakeButton(this, "ButtonAppend", kAppendButtonCaption);
  buttonCancel_ = MakeButton(this, "ButtonCancel", Q(captions_.Text("Cancel Data Caption")));
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch(1);
  buttonRow->addWidget(buttonOK_);
  buttonRow->addWidget(buttonAppend_);
  buttonRow->addWidget(buttonCancel_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fileRow);
  layout->addWidget(lblSelectFieldFromEXCEL_);
  layout->addWidget(mappingStrip_);
  layout->addWidget(stringGridImportData_, 1);
  layout->addLayout(buttonRow);

  connect(buttonImportTXT_, &QPushButton::clicked, this, &TFormImportData::ButtonImportTXTClick);
  connect(buttonImportEXCEL_, &QPushButton::clicked, this,
          &TFormImportData::ButtonImportEXCELClick);
  connect(comboBoxSheetName_, &QComboBox::activated, this,
          &TFormImportData::ComboBoxSheetNameChange);
  connect(buttonOK_, &QPushButton::clicked, this, [this] { Confirm(false); });
  connect(buttonAppend_, &QPushButton::clicked, this, [this] { Confirm(true); });
  connect(buttonCancel_, &QPushButton::clicked, this, &TFormImportData::ButtonCancelClick);
}

void TFormImportData::OpenFor(const ImportTarget& target, const QString& caption,
                              const QString& hint) {
  target_ = target;
  setWindowTitle(caption);
  setToolTip(hint);
  buttonOK_->setText(kCopyButtonCaption);
  buttonAppend_->setText(kAppendButtonCaption);
  buttonCancel_->setText(Q(captions_.Text("Cancel Data Caption")));
  BeginImport(model_, target_, captions_);
  FillMappingBoxes();
  open();
}

void TFormImportData::FillMappingBoxes() {
  for (int k = 0; k < kMappingBoxCount; ++k) {
    QComboBox* box = mappingBoxes_[k];
    const QSignalBlocker block(box);
    box->clear();
    for (const std::string& item : model_.Box(k).items) box->addItem(Q(item));
    box->setCurrentIndex(model_.Box(k).itemIndex);
  }
}

void TFormImportData::FillSheetNames(int selected) {
  const QSignalBlocker block(comboBoxSheetName_);
  comboBoxSheetName_->clear();
  for (const std::string& name : model_.SheetNames()) comboBoxSheetName_->addItem(Q(name));
  if (selected >= 0 && selected < comboBoxSheetName_->count()) {
    comboBoxSheetName_->setCurrentIndex(selected);
  }
}

bool TFormImportData::ReadFile(const QString& fileName, ImportFileKind fallback) {
  ImportFileKind kind = ImportKindOfName(fileName.toStdString());
  if (kind == ImportFileKind::None) kind = fallback;
  return kind == ImportFileKind::Workbook ? ReadExcelFile(fileName, 0) : ReadCSVFile_utf8(fileName);
}

bool TFormImportData::ReadCSVFile_utf8(const QString& sFileName) {
  const ImportResult result = model_.ReadCSVFile_utf8(sFileName.toStdString());
  previewModel_->Reload();
  if (!result.ok) {
    ShowWarning(this, Q(result.message));
    return false;
  }
  // The sheet list names the worksheets of a workbook; a text file has none.
  comboBoxSheetName_->clear();
  if (!result.message.empty()) {
    ShowMessage(
        this, {QMessageBox::Information, {}, Q(result.message), QMessageBox::Ok, QMessageBox::Ok});
  }
  return true;
}

bool TFormImportData::ReadExcelFile(const QString& sFileName, int m_excel_sheet_index) {
  const WorkbookImportResult result =
      model_.ReadExcelFile(sFileName.toStdString(), m_excel_sheet_index, captions_);
  FillSheetNames(m_excel_sheet_index);
  previewModel_->Reload();
  if (!result.ok) {
    QString text = Q(result.message);
    if (!result.detail.empty()) text += "\n" + Q(result.detail);
    ShowMessage(this, {QMessageBox::NoIcon, {}, text, QMessageBox::Ok, QMessageBox::Ok});
    return false;
  }
  return true;
}

void TFormImportData::ClearImportGrid() {
  model_.ClearImportGrid();
  previewModel_->Reload();
}

void TFormImportData::ButtonImportTXTClick() {
  const QString name = ChooseImportFile(
      this, ImportDialogSettings(model_.ImportForStocks(), false, captions_), settings_);
  if (!name.isEmpty()) ReadFile(name, ImportFileKind::Text);
}

void TFormImportData::ButtonImportEXCELClick() {
  const QString name = ChooseImportFile(
      this, ImportDialogSettings(model_.ImportForStocks(), true, captions_), settings_);
  if (!name.isEmpty()) ReadFile(name, ImportFileKind::Workbook);
}

void TFormImportData::ComboBoxSheetNameChange(int index) {
  if (index < 0) return;
  ReadExcelFile(Q(model_.ImportFileName()), index);
}

void TFormImportData::Confirm(bool append) {
  const MappingCheck check =
      append ? model_.ConfirmAppend(captions_) : model_.ConfirmCopy(captions_);
  if (check.ok) {
    accept();
    return;
  }
  ShowWarning(this, Q(check.message));
  if (check.focusBox >= 1 && check.focusBox <= kMappingBoxCount) {
    const int column = check.focusBox - 1;
    stringGridImportData_->scrollTo(previewModel_->index(0, column));
    mappingBoxes_[column]->setFocus(Qt::OtherFocusReason);
  }
}

void TFormImportData::ButtonCancelClick() {
  model_.Cancel();
  reject();
}

void TFormImportData::Finish() {
  if (target_.table == nullptr) return;
  const ImportOutcome outcome = FinishImport(model_, target_);
  if (!outcome.message.empty()) ShowWarning(parentWidget(), Q(outcome.message));
  emit Imported(target_.kind, outcome);
}

void TFormImportData::showEvent(QShowEvent* event) {
  model_.Activate();
  QDialog::showEvent(event);
  PlaceMappingBoxes();
}

void TFormImportData::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  PlaceMappingBoxes();
}

void TFormImportData::PlaceMappingBoxes() {
  const QHeaderView* header = stringGridImportData_->horizontalHeader();
  const int left = stringGridImportData_->geometry().left() - mappingStrip_->geometry().left() +
                   stringGridImportData_->frameWidth();
  for (int k = 0; k < kMappingBoxCount; ++k) {
    mappingBoxes_[k]->setGeometry(left + header->sectionViewportPosition(k), 0,
                                  header->sectionSize(k), mappingStrip_->height());
  }
}

}  // namespace tralvin::ui
