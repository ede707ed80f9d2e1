// Open and save dialogs of import and export.
#include "tables/ui/file_choice.h"

#include <QFileDialog>
#include <QFileInfo>

#include "app/settings.h"
#include "tables/import_file_kind.h"

namespace tralvin::ui {

namespace {

FileChoiceAnswerer& Answerer() {
  static FileChoiceAnswerer answerer;
  return answerer;
}

QString Ask(QWidget* parent, const FileChoiceRequest& request) {
  if (Answerer()) return Answerer()(request);
  QFileDialog dialog(parent, request.title, request.folder);
  dialog.setNameFilters(request.nameFilters);
  if (!request.nameFilters.isEmpty()) dialog.selectNameFilter(request.nameFilters.first());
  dialog.setDefaultSuffix(request.defaultSuffix);
  if (request.save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

QString Choose(QWidget* parent, const FileChoiceRequest& request, const std::string& folderKey,
               SettingsModel& settings) {
  const QString name = Ask(parent, request);
  if (!name.isEmpty()) {
    settings.SetFolder(folderKey, QFileInfo(name).absolutePath().toStdString());
  }
  return name;
}

FileChoiceRequest Request(bool save, const FileDialogSettings& dialog,
                          const SettingsModel& settings) {
  FileChoiceRequest request;
  request.save = save;
  request.title = QString::fromStdString(dialog.title);
  request.folder = QString::fromStdString(settings.Folder(dialog.folderKey));
  request.defaultSuffix = QString::fromStdString(dialog.defaultExt);
  request.nameFilters.push_back(QtFileFilter(dialog.filter));
  return request;
}

}  // namespace

QString QtFileFilter(const std::string& filter) {
  const QString text = QString::fromStdString(filter);
  const qsizetype bar = text.indexOf('|');
  if (bar < 0) return text;
  QString caption = text.left(bar);
  const qsizetype open = caption.lastIndexOf('(');
  if (open >= 0) caption.truncate(open);
  const QStringList patterns = text.mid(bar + 1).split(';', Qt::SkipEmptyParts);
  return caption.trimmed() + " (" + patterns.join(' ') + ")";
}

QString ChooseImportFile(QWidget* parent, const FileDialogSettings& dialog,
                         SettingsModel& settings) {
  FileChoiceRequest request = Request(false, dialog, settings);
  request.nameFilters.prepend(QString::fromUtf8(kAllSupportedImportFilter));
  return Choose(parent, request, dialog.folderKey, settings);
}

QString ChooseExportFile(QWidget* parent, const FileDialogSettings& dialog,
                         SettingsModel& settings) {
  return Choose(parent, Request(true, dialog, settings), dialog.folderKey, settings);
}

void SetFileChoiceAnswerer(FileChoiceAnswerer answerer) { Answerer() = std::move(answerer); }

FileChoiceScript::FileChoiceScript(QStringList answers) : answers_(std::move(answers)) {
  SetFileChoiceAnswerer([this](const FileChoiceRequest& request) {
    requests_.push_back(request);
    return answers_.isEmpty() ? QString() : answers_.takeFirst();
  });
}

FileChoiceScript::~FileChoiceScript() { SetFileChoiceAnswerer({}); }

}  // namespace tralvin::ui
