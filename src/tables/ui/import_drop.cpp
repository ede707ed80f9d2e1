// Dropping an import file onto a table page.
#include "tables/ui/import_drop.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "tables/import_file_kind.h"

namespace tralvin::ui {

QString ImportableDroppedFile(const QMimeData* mime) {
  if (mime == nullptr || !mime->hasUrls()) return {};
  const QList<QUrl> urls = mime->urls();
  if (urls.size() != 1 || !urls.first().isLocalFile()) return {};
  const QString path = urls.first().toLocalFile();
  if (ImportKindOfName(path.toStdString()) == ImportFileKind::None) return {};
  return path;
}

ImportDropFilter::ImportDropFilter(QWidget* page, std::function<void(const QString&)> onDrop)
    : QObject(page), onDrop_(std::move(onDrop)) {
  page->setAcceptDrops(true);
  page->installEventFilter(this);
}

bool ImportDropFilter::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (ImportableDroppedFile(drag->mimeData()).isEmpty()) {
        drag->ignore();
      } else {
        drag->acceptProposedAction();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QString path = ImportableDroppedFile(drop->mimeData());
      if (path.isEmpty()) {
        drop->ignore();
        return true;
      }
      drop->acceptProposedAction();
      // The import window opens after the drag has finished, so the source
      // program is not kept waiting while the user works in it.
      QTimer::singleShot(0, this, [this, path] { onDrop_(path); });
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace tralvin::ui
