// The main window: its frame, its title and its page control.
#include "app/ui/main_window.h"

#include <QDir>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/product.h"
#include "tables/table_grids.h"

namespace tralvin::ui {

namespace {

StartupState EmptyState() {
  StartupState s(QDir::currentPath().toStdString());
  s.sheets = MakeSheetsGrid(s.captions, false, s.settings.EditMeasure);
  s.parts = MakePartsGrid(s.captions);
  return s;
}

}  // namespace

TSDIAppForm::TSDIAppForm(QWidget* parent) : TSDIAppForm(EmptyState(), parent) {}

TSDIAppForm::TSDIAppForm(StartupState state, QWidget* parent)
    : QMainWindow(parent), state_(std::move(state)) {
  setObjectName("SDIAppForm");
  setWindowTitle(QString::fromUtf8(kProductName));
  BuildPages();
  resize(800, 600);
}

TSDIAppForm::~TSDIAppForm() = default;

void TSDIAppForm::BuildPages() {
  pages_ = new QTabWidget(this);
  pages_->setObjectName("AllPageControl");
  const struct {
    const char* name;
    const char* control;
  } pages[] = {{"TabSheetSheets", "TabSheetSheets"},
               {"TabSheetParts", "TabSheetParts"},
               {"TabSheetReport", "TabSheetReport"},
               {"TabSheetSetup", "TabSheetSetup"}};
  for (const auto& p : pages) {
    auto* page = new QWidget(pages_);
    page->setObjectName(p.name);
    new QVBoxLayout(page);
    pages_->addTab(page, QString::fromStdString(state_.captions.ControlCaption(p.control)));
  }
  setCentralWidget(pages_);
}

QWidget* TSDIAppForm::Page(const char* objectName) const {
  for (int i = 0; i < pages_->count(); ++i) {
    if (pages_->widget(i)->objectName() == QLatin1String(objectName)) return pages_->widget(i);
  }
  return nullptr;
}

void TSDIAppForm::StartOptimizeClick() { emit startOptimizeRequested(); }

}  // namespace tralvin::ui
