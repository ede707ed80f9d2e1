// The program's current printer, chosen by "Print Setup..." and used by the
// report and label printing.
#pragma once

class QPrinter;

namespace tralvin::ui {

QPrinter& CurrentPrinter();

}  // namespace tralvin::ui
