// The label window with sample data and a preview, as a picture for the
// screenshots program.
#pragma once

#include <QString>

namespace tralvin::ui {

// Shows the label window over sample stocks with a stored scheme (in a
// temporary start folder), grabs it and writes `folder`/print_label.png.
// Returns the file written, empty when it could not be written.
QString WritePrintLabelScreenshot(const QString& folder);

}  // namespace tralvin::ui
