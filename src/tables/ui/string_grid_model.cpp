// The Qt table model over a StringGrid.
#include "tables/ui/string_grid_model.h"

namespace tralvin::ui {

StringGridModel::StringGridModel(StringGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), shownRows_(grid.RowCount()) {}

int StringGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, grid_.RowCount() - 1);
}

int StringGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.ColCount();
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return QString::fromStdString(grid_.Cell(index.column(), index.row() + 1));
}

bool StringGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  grid_.SetCell(index.column(), index.row() + 1, value.toString().toStdString());
  emit dataChanged(index, index);
  return true;
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return QString::fromStdString(grid_.Cell(section, 0));
  return section + 1;
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void StringGridModel::Refresh() {
  if (grid_.RowCount() != shownRows_) {
    beginResetModel();
    shownRows_ = grid_.RowCount();
    endResetModel();
    return;
  }
  if (rowCount() > 0 && columnCount() > 0) {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  }
  emit headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
}

}  // namespace tralvin::ui
