// Pictures of the import window with a workbook loaded and of the export
// file-type window, for the screenshots program.
#pragma once

#include <QString>
#include <QStringList>

namespace tralvin::ui {

// Writes "import_window.png" and "export_window.png" into `folder`; returns
// the files written.
QStringList SaveImportExportScreenshots(const QString& folder);

}  // namespace tralvin::ui
