// The start window, the about window and the shutdown dialog.
#include "app/ui/small_windows.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/ui/shell_open.h"
#include "base/product.h"

namespace tralvin::ui {

TComeInForm::TComeInForm(QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog) {
  setObjectName("TComeInForm");
  setFixedSize(273, 170);
  Label1 = new QLabel(QString::fromUtf8(kProductName), this);
  Label1->setObjectName("Label1");
  QFont f1("Arial");
  f1.setBold(true);
  f1.setPixelSize(19);
  Label1->setFont(f1);
  Label4 = new QLabel(this);
  Label4->setObjectName("Label4");
  QFont f4("Arial");
  f4.setBold(true);
  f4.setItalic(true);
  f4.setPixelSize(14);
  Label4->setFont(f4);
  for (QLabel* label : {Label1, Label4}) label->setStyleSheet("color: white;");
  auto* layout = new QVBoxLayout(this);
  layout->addStretch(2);
  layout->addWidget(Label1, 0, Qt::AlignHCenter);
  layout->addWidget(Label4, 0, Qt::AlignHCenter);
  layout->addStretch(3);
  Timer1 = new QTimer(this);
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, &TComeInForm::Timer1Timer);
  Timer1->start();
}

void TComeInForm::showEvent(QShowEvent* event) {
  // Centred on the desktop.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  QDialog::showEvent(event);
}

void TComeInForm::Timer1Timer() {
  ++m_second;
  if (m_second > 0) {
    Timer1->stop();
    accept();
  }
}

void TComeInForm::paintEvent(QPaintEvent*) {
  // The start picture: a steel-blue gradient with a row of cut bars.
  QPainter painter(this);
  QLinearGradient gradient(0, 0, 0, height());
  gradient.setColorAt(0, QColor(40, 78, 120));
  gradient.setColorAt(1, QColor(12, 30, 52));
  painter.fillRect(rect(), gradient);
  const int y = height() - 34;
  const int lengths[] = {70, 46, 46, 30, 40};
  int x = 16;
  for (int i = 0; i < 5; ++i) {
    painter.fillRect(x, y, lengths[i], 12, i == 4 ? QColor(150, 150, 150) : QColor(214, 170, 90));
    x += lengths[i] + 3;
  }
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("TAboutBox");
  setWindowTitle(QString::fromUtf8(kProductName));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* icon = new QLabel(this);
  icon->setObjectName("ProgramIcon");
  QPixmap pixmap(48, 48);
  pixmap.fill(QColor(40, 78, 120));
  {
    QPainter p(&pixmap);
    p.fillRect(6, 20, 36, 8, QColor(214, 170, 90));
  }
  icon->setPixmap(pixmap);
  top->addWidget(icon, 0, Qt::AlignTop);
  auto* texts = new QVBoxLayout;
  ProductName = new QLabel(QString::fromUtf8(kProductName), this);
  ProductName->setObjectName("ProductName");
  QFont bold = ProductName->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.3);
  ProductName->setFont(bold);
  Version = new QLabel(this);
  Version->setObjectName("Version");
  Notice = new QLabel(this);
  Notice->setObjectName("Copyright");
  Comments = new QLabel(this);
  Comments->setObjectName("Comments");
  Comments->setStyleSheet("color: blue; text-decoration: underline;");
  Comments->setCursor(Qt::PointingHandCursor);
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setStyleSheet("color: fuchsia; text-decoration: underline;");
  Label1->setCursor(Qt::PointingHandCursor);
  for (QLabel* l : {ProductName, Version, Notice, Comments, Label1}) texts->addWidget(l);
  top->addLayout(texts, 1);
  layout->addLayout(top);
  OKButton = new QPushButton("OK", this);
  OKButton->setObjectName("OKButton");
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(OKButton, 0, Qt::AlignHCenter);
  Comments->installEventFilter(this);
  Label1->installEventFilter(this);
}

void TAboutBox::CommentsClick() { OpenWebAddress(Comments->text()); }
void TAboutBox::NeedHelpClick() { OpenMailTo(QString::fromUtf8(kSupportMailAddress)); }

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == Comments) CommentsClick();
    if (watched == Label1) NeedHelpClick();
  }
  return QDialog::eventFilter(watched, event);
}

namespace {

TFormSaveSelectGrids::Answerer& SaveAnswerer() {
  static TFormSaveSelectGrids::Answerer answerer;
  return answerer;
}

}  // namespace

TFormSaveSelectGrids::TFormSaveSelectGrids(QWidget* parent) : QDialog(parent) {
  setObjectName("TFormSaveSelectGrids");
  setWindowTitle("Save");
  auto* layout = new QVBoxLayout(this);
  const auto box = [this, layout](const char* name, const char* text) {
    auto* check = new QCheckBox(text, this);
    check->setObjectName(name);
    layout->addWidget(check);
    return check;
  };
  CheckBoxSaveSheets = box("CheckBoxSaveSheets", "Stocks");
  CheckBoxSaveParts = box("CheckBoxSaveParts", "Pieces");
  CheckBoxSaveOffcuts = box("CheckBoxSaveOffcuts", "Offcuts");
  CheckBoxSaveHarpRackParts = box("CheckBoxSaveHarpRackParts", "Parts Harp Rack");
  CheckBoxSaveProfile = box("CheckBoxSaveProfile", "Profiles");
  for (QCheckBox* hidden : {CheckBoxSaveOffcuts, CheckBoxSaveHarpRackParts, CheckBoxSaveProfile}) {
    hidden->setChecked(false);
    hidden->setEnabled(false);
    hidden->hide();
  }
  ButtonSaveSelectGrids = new QPushButton("confirm", this);
  ButtonSaveSelectGrids->setObjectName("ButtonSaveSelectGrids");
  ButtonSaveSelectGrids->setDefault(true);
  connect(ButtonSaveSelectGrids, &QPushButton::clicked, this,
          &TFormSaveSelectGrids::ButtonSaveSelectGridsClick);
  layout->addWidget(ButtonSaveSelectGrids, 0, Qt::AlignHCenter);
  setMinimumWidth(240);
}

void TFormSaveSelectGrids::Ask() {
  if (SaveAnswerer()) {
    SaveAnswerer()(*this);
    return;
  }
  exec();
}

void TFormSaveSelectGrids::SetAnswerer(Answerer answerer) { SaveAnswerer() = std::move(answerer); }

}  // namespace tralvin::ui
