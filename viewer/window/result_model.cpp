#include "viewer/window/result_model.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "window_common/cp1251_text.h"

namespace viewer {

void ResultModel::SetBook(const Book* book, std::vector<std::size_t> columns) {
  beginResetModel();
  book_ = book;
  columns_ = std::move(columns);
  records_.clear();
  endResetModel();
}

void ResultModel::SetRecords(std::vector<std::uint32_t> records) {
  beginResetModel();
  records_ = std::move(records);
  endResetModel();
}

int ResultModel::rowCount(const QModelIndex& parent) const {
  // A view counts rows in an int; records beyond that many are not listed.
  constexpr std::size_t kMostRows = std::numeric_limits<int>::max();
  return parent.isValid() ? 0 : static_cast<int>(std::min(records_.size(), kMostRows));
}

int ResultModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return window_common::FromCp1251(book_->Value(records_[index.row()], columns_[index.column()]));
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  return window_common::FromCp1251(book_->layout().fields[columns_[section]].name);
}

}  // namespace viewer
