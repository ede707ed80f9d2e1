// The open and save dialogs of import and export: settings from the core
// (title, filter, default extension, remembered folder), the folder of the
// chosen file remembered again, and a hook through which tests answer the
// dialogs instead of a user.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
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

// One dialog as a window asks for it.
struct FileChoiceRequest {
  bool save = false;
  QString title;
  QStringList nameFilters;  // the first is selected
  QString folder;
  QString defaultSuffix;
};

// Asks for a file to import: the filters are "All supported (...)", then the
// core's filter of the dialog. Returns "" when the user cancels; otherwise the
// folder of the file is remembered under dialog.folderKey.
QString ChooseImportFile(QWidget* parent, const FileDialogSettings& dialog,
                         SettingsModel& settings);
// Asks for the file to export to, with the core's filter only (the type is
// chosen already); a confirmed name's folder is remembered likewise.
QString ChooseExportFile(QWidget* parent, const FileDialogSettings& dialog,
                         SettingsModel& settings);

// Tests install an answerer; every dialog is then passed to it and never shown.
using FileChoiceAnswerer = std::function<QString(const FileChoiceRequest&)>;
void SetFileChoiceAnswerer(FileChoiceAnswerer answerer);

// For tests: answers the dialogs shown while it lives with the given names,
// in order (then with "", a cancel), and records the requests.
class FileChoiceScript {
 public:
  explicit FileChoiceScript(QStringList answers = {});
  ~FileChoiceScript();
  FileChoiceScript(const FileChoiceScript&) = delete;
  FileChoiceScript& operator=(const FileChoiceScript&) = delete;

  void Add(const QString& answer) { answers_.push_back(answer); }
  const QList<FileChoiceRequest>& Requests() const { return requests_; }

 private:
  QStringList answers_;
  QList<FileChoiceRequest> requests_;
};

}  // namespace tralvin::ui
