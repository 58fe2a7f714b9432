// The books opened last, newest first, kept in the settings from one run to the next and offered
// in the "Файл" menu.
#pragma once

#include <QStringList>

class QSettings;

namespace viewer {

class RecentBooks {
 public:
  // `settings` (the user's, or a test's own file) must outlive this object.
  explicit RecentBooks(QSettings& settings) : settings_(settings) {}

  QStringList Paths() const;
  // `path` becomes the newest; the oldest beyond the list's length are forgotten.
  void Add(const QString& path);
  // A book that can no longer be opened leaves the list.
  void Remove(const QString& path);

 private:
  void Store(const QStringList& paths);

  QSettings& settings_;
};

}  // namespace viewer
