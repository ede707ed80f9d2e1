// Shell actions through QDesktopServices; missing targets open nothing.
#include "app/ui/shell_open.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace tralvin::ui {

void OpenWebAddress(const QString& address) {
  if (address.trimmed().isEmpty()) return;
  QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

void OpenMailTo(const QString& address) {
  if (address.trimmed().isEmpty()) return;
  QDesktopServices::openUrl(QUrl("mailto:" + address));
}

void OpenLocalFile(const QString& fileName) {
  if (!QFileInfo(fileName).isFile()) return;
  QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

}  // namespace tralvin::ui
