// File dialogs through one helper that tests can answer.
#include "app/ui/file_dialog.h"

#include <QFileDialog>

namespace tralvin::ui {

namespace {

FileDialogAnswerer& Answerer() {
  static FileDialogAnswerer answerer;
  return answerer;
}

}  // namespace

QString ChooseFile(QWidget* parent, const FileDialogRequest& request) {
  if (Answerer()) return Answerer()(request);
  QFileDialog dialog(parent, request.title, request.folder, request.filter);
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setDefaultSuffix(request.defaultSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

void SetFileDialogAnswerer(FileDialogAnswerer answerer) { Answerer() = std::move(answerer); }

}  // namespace tralvin::ui
