// The Print Label buttons of the main window's Stocks and Pieces pages and the
// one label window of the program.
#pragma once

class QPrinter;

namespace tralvin::ui {

class TSDIAppForm;
class TFormPrintLabel;

// Adds `ButtonPrintSheetLabel` to the Stocks page's button row and
// `ButtonPrintPartLabel` to the Pieces page's, each running PrintTableLabels
// with the window's state (a table that fails its check gets its failing cell
// selected after the warning). Creates the label window once, as a child of
// `window`, printing on `printer` (the program's printer); returns it.
TFormPrintLabel* AddLabelButtons(TSDIAppForm& window, QPrinter& printer);

}  // namespace tralvin::ui
