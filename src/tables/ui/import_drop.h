// Dropping one comma-separated text file or workbook onto a table page: the
// page accepts the drag only for a single local file of a kind the import
// reads, and the drop hands the file's path on.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QMimeData;

namespace tralvin::ui {

// The local file a drag carries when it is exactly one importable file, else "".
QString ImportableDroppedFile(const QMimeData* mime);

class ImportDropFilter : public QObject {
  Q_OBJECT

 public:
  // Makes `page` accept drops; `onDrop` receives the dropped file's path.
  ImportDropFilter(QWidget* page, std::function<void(const QString&)> onDrop);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(const QString&)> onDrop_;
};

}  // namespace tralvin::ui
