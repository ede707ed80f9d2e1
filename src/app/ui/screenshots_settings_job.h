// Screenshots of the Settings page, a running job with its progress bar and
// the Report page, for the screenshots program.
#pragma once

#include <QString>
#include <QStringList>

namespace tralvin::ui {

// Opens a main window over a long search (60 piece kinds at the slowest speed),
// grabs the Settings page, the window while the job runs, and the Report page
// after Stop, as settings_page.png, job_running.png and report_page.png in
// `folder`. Returns the files written.
QStringList SaveSettingsJobReportScreenshots(const QString& folder);

}  // namespace tralvin::ui
