// The Print Label buttons of the Stocks and Pieces pages: the table read and
// checked, one label row per unit of quantity, and the label window shown
// modally with the scheme remembered for that table.
#pragma once

#include <functional>
#include <optional>

#include "app/label_source.h"

class QWidget;

namespace tralvin {
struct StartupState;
}

namespace tralvin::ui {

class TFormPrintLabel;

// ButtonPrintSheetLabelClick (Stocks) and ButtonPrintPartLabelClick (Pieces).
// A table that fails its check shows the failure in a warning box and returns
// it (for the window to focus its cell); the label window is then not shown.
// `show` runs the window modally; tests pass one that does not block.
std::optional<GridFailure> PrintTableLabels(QWidget* parent, TFormPrintLabel& form,
                                            StartupState& state, LabelTable table);
std::optional<GridFailure> PrintTableLabels(QWidget* parent, TFormPrintLabel& form,
                                            StartupState& state, LabelTable table,
                                            const std::function<void(TFormPrintLabel&)>& show);

}  // namespace tralvin::ui
