// The Settings page's controls, their captions and their handlers.
#include "app/ui/settings_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/ui/message_box.h"
#include "app/ui/page_focus.h"
#include "texts/caption_table.h"

namespace tralvin::ui {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

SettingsPage::FontChooser& FontChooserHook() {
  static SettingsPage::FontChooser chooser;
  return chooser;
}

std::optional<QFont> RunFontDialog(const QFont& preset, QWidget* parent) {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, preset, parent);
  if (!ok) return std::nullopt;
  return font;
}

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace

void SettingsPage::SetFontChooser(FontChooser chooser) { FontChooserHook() = std::move(chooser); }

SettingsPage::SettingsPage(SettingsModel& settings, const CaptionTable& captions, QWidget* parent)
    : QWidget(parent), settings_(settings), captions_(captions) {
  setObjectName("SettingsPage");
  Build();
  ApplyCaptions();
  LoadFromModel();
  Connect();
}

void SettingsPage::Build() {
  auto* page = new QVBoxLayout(this);

  groupNormal_ = Named(new QGroupBox(this), "GroupBoxConfigNormal");
  auto* normal = new QFormLayout(groupNormal_);
  labelMeasure_ = Named(new QLabel(groupNormal_), "LabelSetupMeasure");
  editMeasure_ = Named(new QLineEdit(groupNormal_), "EditMeasure");
  normal->addRow(labelMeasure_, editMeasure_);
  labelSpeed_ = Named(new QLabel(groupNormal_), "LabelOptimizeSpeedTrackbar");
  trackBarSpeed_ = Named(new QSlider(Qt::Horizontal, groupNormal_), "TrackBarSpeed");
  trackBarSpeed_->setRange(kSpeedMin, kSpeedMax);
  trackBarSpeed_->setPageStep(1);
  trackBarSpeed_->setTickPosition(QSlider::TicksBelow);
  trackBarSpeed_->setTickInterval(1);
  auto* speed = new QVBoxLayout;
  speed->addWidget(labelSpeed_);
  speed->addWidget(trackBarSpeed_);
  normal->addRow(speed);
  labelBladeWidth_ = Named(new QLabel(groupNormal_), "LabelSetupBladeWidth");
  editBladeWidth_ = Named(new QLineEdit(groupNormal_), "EditBladeWidth");
  normal->addRow(labelBladeWidth_, editBladeWidth_);
  checkCostOptimize_ = Named(new QCheckBox(groupNormal_), "CheckBoxCostOptimize");
  normal->addRow(checkCostOptimize_);
  checkBundleOptimize_ = Named(new QCheckBox(groupNormal_), "chkBundleOptimize");
  normal->addRow(checkBundleOptimize_);
  labelMethod_ = Named(new QLabel(groupNormal_), "LabelOptimizeMethod");
  comboMethod_ = Named(new QComboBox(groupNormal_), "ComboBoxOptimizeMethod");
  comboMethod_->addItems({"Standard", "Near-optimal"});
  normal->addRow(labelMethod_, comboMethod_);

  groupScrap_ = Named(new QGroupBox(this), "GroupBoxScrap");
  auto* scrap = new QFormLayout(groupScrap_);
  labelMinScrap_ = Named(new QLabel(groupScrap_), "LabelSetupMinScrap1");
  editMinOffcutLength1_ = Named(new QLineEdit(groupScrap_), "EditMinOffcutLength1");
  scrap->addRow(labelMinScrap_, editMinOffcutLength1_);
  labelOffcutsPrefix_ = Named(new QLabel(groupScrap_), "LabelOffcutsPrefix");
  editOffcutsPrefix_ = Named(new QLineEdit(groupScrap_), "LabeledEditOffcutsPrefix");
  scrap->addRow(labelOffcutsPrefix_, editOffcutsPrefix_);

  groupPrinter_ = Named(new QGroupBox(this), "GroupBoxSettingsPrinter");
  auto* printer = new QFormLayout(groupPrinter_);
  labelFontName_ = Named(new QLabel(groupPrinter_), "LabelPrinterFontName");
  editFontName_ = Named(new QLineEdit(groupPrinter_), "EditPrinterFontName");
  editFontName_->setReadOnly(true);
  labelFontSize_ = Named(new QLabel(groupPrinter_), "LabelSetupPrinterFont");
  editFontSize_ = Named(new QLineEdit(groupPrinter_), "EditPrinterFontSize");
  editFontSize_->setReadOnly(true);
  buttonFont_ = Named(new QPushButton(groupPrinter_), "ButtonFontSetup");
  auto* font = new QHBoxLayout;
  font->addWidget(editFontName_, 3);
  font->addWidget(labelFontSize_);
  font->addWidget(editFontSize_, 1);
  font->addWidget(buttonFont_);
  printer->addRow(labelFontName_, font);
  labelPrintTitle_ = Named(new QLabel(groupPrinter_), "LabelPrintTitle");
  editPrintTitle_ = Named(new QLineEdit(groupPrinter_), "EditPrintTitle");
  printer->addRow(labelPrintTitle_, editPrintTitle_);

  auto* groups = new QHBoxLayout;
  groups->addWidget(groupNormal_, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(groupScrap_);
  right->addWidget(groupPrinter_);
  right->addStretch(1);
  groups->addLayout(right, 1);
  page->addLayout(groups);
  extra_ = new QVBoxLayout;
  page->addLayout(extra_);
  page->addStretch(1);
}

void SettingsPage::ApplyCaptions() {
  auto caption = [this](QWidget* w, const char* key) {
    const CaptionEntry* e = captions_.Find(key);
    if (e == nullptr) return;
    if (auto* label = qobject_cast<QLabel*>(w)) label->setText(Q(e->caption));
    if (auto* box = qobject_cast<QGroupBox*>(w)) box->setTitle(Q(e->caption));
    if (auto* check = qobject_cast<QCheckBox*>(w)) check->setText(Q(e->caption));
    if (auto* button = qobject_cast<QPushButton*>(w)) button->setText(Q(e->caption));
    w->setToolTip(Q(e->hint));
  };
  caption(labelMeasure_, "Measure Caption");
  editMeasure_->setToolTip(labelMeasure_->toolTip());
  labelSpeed_->setText(Q(captions_.Text("Fastest to Max Utilization Speed Bar Caption")));
  caption(labelBladeWidth_, "Blade Width Caption");
  editBladeWidth_->setToolTip(labelBladeWidth_->toolTip());
  caption(checkCostOptimize_, "Cost Optimize Caption");
  caption(checkBundleOptimize_, "Bundle Optimize");
  labelMethod_->setText("Method");
  labelMethod_->setToolTip(
      "Standard: the weighted pattern search. Near-optimal: linear programming with a lower bound");
  comboMethod_->setToolTip(labelMethod_->toolTip());
  caption(groupScrap_, "Scrap Criteria Caption");
  caption(labelMinScrap_, "Scrap Min. Length Caption");
  labelOffcutsPrefix_->setText(Q(captions_.Text("Offcuts Prefix Caption")));
  caption(groupPrinter_, "Printer Font Setup Caption");
  caption(labelFontName_, "Print Font Name Caption");
  caption(labelFontSize_, "Printer Font Size Caption");
  editFontSize_->setToolTip(labelFontSize_->toolTip());
  caption(buttonFont_, "Print Font Setup Button");
  caption(labelPrintTitle_, "Print Title Caption");
  editPrintTitle_->setToolTip(labelPrintTitle_->toolTip());
}

void SettingsPage::LoadFromModel() {
  const QSignalBlocker blocks[] = {
      QSignalBlocker(editMeasure_),          QSignalBlocker(trackBarSpeed_),
      QSignalBlocker(editBladeWidth_),       QSignalBlocker(checkCostOptimize_),
      QSignalBlocker(checkBundleOptimize_),  QSignalBlocker(comboMethod_),
      QSignalBlocker(editMinOffcutLength1_), QSignalBlocker(editOffcutsPrefix_),
      QSignalBlocker(editFontName_),         QSignalBlocker(editFontSize_),
      QSignalBlocker(editPrintTitle_)};
  editMeasure_->setText(Q(settings_.EditMeasure));
  trackBarSpeed_->setValue(settings_.TrackBarSpeed);
  editBladeWidth_->setText(Q(settings_.EditBladeWidth));
  checkCostOptimize_->setChecked(settings_.CheckBoxCostOptimize);
  checkBundleOptimize_->setChecked(settings_.chkBundleOptimize);
  comboMethod_->setCurrentIndex(settings_.ComboBoxOptimizeMethod);
  editMinOffcutLength1_->setText(Q(settings_.EditMinOffcutLength1));
  editOffcutsPrefix_->setText(Q(settings_.LabeledEditOffcutsPrefix));
  editFontName_->setText(Q(settings_.EditPrinterFontName));
  editFontSize_->setText(Q(settings_.EditPrinterFontSize));
  editPrintTitle_->setText(Q(settings_.EditPrintTitle));
  buttonFont_->setEnabled(settings_.FontButtonsEnabled);
}

void SettingsPage::Connect() {
  connect(editMeasure_, &QLineEdit::textChanged, this, [this](const QString& t) {
    settings_.EditMeasure = S(t);
    emit measureChanged();
  });
  connect(trackBarSpeed_, &QSlider::valueChanged, this,
          [this](int v) { settings_.OnChangeOptimizeSpeedTrackbar(v); });
  connect(editBladeWidth_, &QLineEdit::textChanged, this,
          [this](const QString& t) { settings_.EditBladeWidth = S(t); });
  connect(checkCostOptimize_, &QCheckBox::toggled, this,
          [this](bool on) { settings_.CheckBoxCostOptimize = on; });
  connect(checkBundleOptimize_, &QCheckBox::toggled, this,
          [this](bool on) { settings_.chkBundleOptimizeClick(on); });
  connect(comboMethod_, &QComboBox::currentIndexChanged, this,
          [this](int i) { settings_.OnChangeOptimizeMethod(i); });
  // The minimum offcut length is checked on every change, as typed.
  connect(editMinOffcutLength1_, &QLineEdit::textChanged, this, [this](const QString& t) {
    ShowSettingsWarning(settings_.OnChangeMinLength(S(t), pubFunc_, captions_));
  });
  connect(editOffcutsPrefix_, &QLineEdit::textChanged, this,
          [this](const QString& t) { settings_.LabeledEditOffcutsPrefix = S(t); });
  connect(editPrintTitle_, &QLineEdit::textChanged, this,
          [this](const QString& t) { settings_.EditPrintTitle = S(t); });
  connect(buttonFont_, &QPushButton::clicked, this, &SettingsPage::ButtonFontSetupClick);
}

void SettingsPage::ShowSettingsWarning(const SettingsMessage& message) {
  if (message.ok) return;
  FocusSettingsField(window(), message.focus);
  ShowWarning(this, Q(message.text));
  // The box took the focus; give it back to the edit, text selected.
  FocusSettingsField(window(), message.focus);
}

void SettingsPage::ButtonFontSetupClick() {
  settings_.ReadPrinterFontSize();
  editFontSize_->setText(Q(settings_.EditPrinterFontSize));
  QFont preset(Q(settings_.params.PrinterFontName));
  preset.setPointSize(settings_.params.PrinterFontSize);
  const FontChooser& hook = FontChooserHook();
  const std::optional<QFont> chosen = hook ? hook(preset, this) : RunFontDialog(preset, this);
  if (!chosen) return;
  const int size = chosen->pointSize() > 0 ? chosen->pointSize() : settings_.params.PrinterFontSize;
  settings_.EditPrinterFontName = S(chosen->family());
  settings_.EditPrinterFontSize = std::to_string(size);
  settings_.params.PrinterFontName = settings_.EditPrinterFontName;
  settings_.params.PrinterFontSize = size;
  editFontName_->setText(Q(settings_.EditPrinterFontName));
  editFontSize_->setText(Q(settings_.EditPrinterFontSize));
}

}  // namespace tralvin::ui
