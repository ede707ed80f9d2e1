// The open and save dialogs of import and export: settings from the core
// (title, filter, default extension, remembered folder), asked through the
// program's one file dialog helper, and the folder of the chosen file
// remembered again.
#pragma once

#include <QString>
#include <string>

#include "tables/export_choice.h"

class QWidget;

namespace tralvin {
class SettingsModel;
}

namespace tralvin::ui {

// The core's "caption(*.a;*.b)|*.a;*.b" filter as a Qt name filter
// "caption (*.a *.b)".
QString QtFileFilter(const std::string& filter);

// Asks for a file to import: the filters are "All supported (...)", then the
// core's filter of the dialog. Returns "" when the user cancels; otherwise the
// folder of the file is remembered under dialog.folderKey.
QString ChooseImportFile(QWidget* parent, const FileDialogSettings& dialog,
                         SettingsModel& settings);
// Asks for the file to export to, with the core's filter only (the type is
// chosen already); a confirmed name's folder is remembered likewise.
QString ChooseExportFile(QWidget* parent, const FileDialogSettings& dialog,
                         SettingsModel& settings);

}  // namespace tralvin::ui
