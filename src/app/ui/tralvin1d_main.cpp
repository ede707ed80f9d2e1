// The program body: creates the main window and runs the message loop.
#include <QApplication>

#include "app/ui/main_window.h"
#include "base/product.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(tralvin::kProductName));
  tralvin::ui::TSDIAppForm window;
  window.show();
  return QApplication::exec();
}
