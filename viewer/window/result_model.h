// The result list's rows: the records a search found, one column per result field, read from
// the book when a row is drawn, so a list of a million records costs what their numbers cost.
#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <vector>

#include "viewer/search/book.h"

namespace viewer {

class ResultModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // The columns of `book` (which must outlive the model) and no rows.
  void SetBook(const Book* book, std::vector<std::size_t> columns);
  // The records (0-based, file order) the list shows.
  void SetRecords(std::vector<std::uint32_t> records);
  std::uint32_t RecordAt(int row) const { return records_[row]; }
  const std::vector<std::uint32_t>& Records() const { return records_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const Book* book_ = nullptr;
  std::vector<std::size_t> columns_;
  std::vector<std::uint32_t> records_;
};

}  // namespace viewer
