// Open and save dialogs of import and export.
#include "tables/ui/file_choice.h"

#include <QFileInfo>
#include <QStringList>

#include "app/settings.h"
#include "app/ui/file_dialog.h"
#include "tables/import_file_kind.h"

namespace tralvin::ui {

namespace {

QString Choose(QWidget* parent, bool save, const FileDialogSettings& dialog,
               const QStringList& filters, SettingsModel& settings) {
  FileDialogRequest request;
  request.save = save;
  request.title = QString::fromStdString(dialog.title);
  request.filter = filters.join(";;");
  request.defaultSuffix = QString::fromStdString(dialog.defaultExt);
  request.folder = QString::fromStdString(settings.Folder(dialog.folderKey));
  const QString name = ChooseFile(parent, request);
  if (!name.isEmpty()) {
    settings.SetFolder(dialog.folderKey, QFileInfo(name).absolutePath().toStdString());
  }
  return name;
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
  return Choose(parent, false, dialog,
                {QString::fromUtf8(kAllSupportedImportFilter), QtFileFilter(dialog.filter)},
                settings);
}

QString ChooseExportFile(QWidget* parent, const FileDialogSettings& dialog,
                         SettingsModel& settings) {
  return Choose(parent, true, dialog, {QtFileFilter(dialog.filter)}, settings);
}

}  // namespace tralvin::ui
