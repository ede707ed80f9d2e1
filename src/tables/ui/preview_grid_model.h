// The import preview as a Qt table model: every cell of the core's preview
// grid, editable, no title row (the preview has no fixed rows or columns).
#pragma once

#include <QAbstractTableModel>

#include "tables/string_grid.h"

namespace tralvin::ui {

class PreviewGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit PreviewGridModel(StringGrid& grid, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // After the core changed the grid (a file read, clearing).
  void Reload();

 private:
  StringGrid& grid_;
};

}  // namespace tralvin::ui
