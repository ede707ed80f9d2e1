// A thin Qt table model over the core's StringGrid: model row r is grid row
// r + 1, and the grid's title row 0 is the horizontal header.
#pragma once

#include <QAbstractTableModel>

#include "tables/string_grid.h"

namespace tralvin::ui {

class StringGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit StringGridModel(StringGrid& grid, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  StringGrid& Grid() { return grid_; }
  // Tells the views that the grid changed behind the model's back: a reset
  // when the row count changed, otherwise every cell and title repainted.
  void Refresh();

 private:
  StringGrid& grid_;
  int shownRows_ = 0;
};

}  // namespace tralvin::ui
