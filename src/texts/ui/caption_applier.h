// Puts the caption table's texts on a widget tree: every control named by an
// entry takes its caption and hint, then the controls that repeat other texts
// take theirs. Controls are found by objectName anywhere below the root
// (widgets, menus and actions), so it serves the main window and the dialogs.
#pragma once

#include <QString>

#include "texts/caption_table.h"

class QObject;
class QWidget;

namespace tralvin {
struct StartupState;
}

namespace tralvin::ui {

// Caption and hint of one control, by what kind of object it is: a tab page
// gives its tab's text, a menu its title, a labelled edit its buddy label's
// text, an action its text.
void SetControlCaption(QObject* control, const QString& caption);
void SetControlHint(QObject* control, const QString& hint);
QString ControlCaption(const QObject* control);
QString ControlHint(const QObject* control);

// Every entry with a control, by its kind (menu items: caption only; tool
// buttons: hint only), then the derived texts. Controls that do not exist
// below `root` are skipped.
void ApplyCaptions(QWidget* root, const CaptionTable& table);

// After the texts changed: the core's copies (grid titles) and then the
// widgets below `root`.
void RefreshCaptionWidgets(QWidget* root, StartupState& state);

}  // namespace tralvin::ui
