// The program-wide current printer.
#include "app/ui/current_printer.h"

#include <QPrinter>

namespace tralvin::ui {

QPrinter& CurrentPrinter() {
  static QPrinter printer(QPrinter::HighResolution);
  return printer;
}

}  // namespace tralvin::ui
