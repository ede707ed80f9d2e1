// The import preview as a Qt table model.
#include "tables/ui/preview_grid_model.h"

namespace tralvin::ui {

PreviewGridModel::PreviewGridModel(StringGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {}

int PreviewGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.RowCount();
}

int PreviewGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.ColCount();
}

QVariant PreviewGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return QString::fromStdString(grid_.Cell(index.column(), index.row()));
}

bool PreviewGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  grid_.SetCell(index.column(), index.row(), value.toString().toStdString());
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

Qt::ItemFlags PreviewGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

void PreviewGridModel::Reload() {
  beginResetModel();
  endResetModel();
}

}  // namespace tralvin::ui
