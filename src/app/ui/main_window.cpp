// The main window: its frame, its title and its page control.
#include "app/ui/main_window.h"

#include <QTabWidget>

#include "base/product.h"

namespace tralvin::ui {

TSDIAppForm::TSDIAppForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName("SDIAppForm");
  setWindowTitle(QString::fromUtf8(kProductName));
  auto* pages = new QTabWidget(this);
  pages->setObjectName("AllPageControl");
  setCentralWidget(pages);
  resize(800, 600);
}

}  // namespace tralvin::ui
