// The one way windows ask for a file name, so that tests can answer instead of a user.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tralvin::ui {

// One file dialog as a window asks for it.
struct FileDialogRequest {
  bool save = false;      // the save dialog; otherwise the open dialog
  QString title;          // window title
  QString filter;         // e.g. "open a file(*.stk)"
  QString defaultSuffix;  // appended when the name typed has none, e.g. "stk"
  QString folder;         // initial folder
};

// Shows the dialog modally; returns the chosen file, or "" when cancelled.
// The save dialog does not ask before replacing a file. While an answerer is
// installed it is asked instead and no dialog appears.
QString ChooseFile(QWidget* parent, const FileDialogRequest& request);

using FileDialogAnswerer = std::function<QString(const FileDialogRequest&)>;
void SetFileDialogAnswerer(FileDialogAnswerer answerer);

}  // namespace tralvin::ui
