#include "viewer/window/recent_books.h"

#include <QFileInfo>
#include <QSettings>

namespace viewer {

namespace {

constexpr char kKey[] = "recentBooks";
constexpr int kMostBooks = 8;

}  // namespace

QStringList RecentBooks::Paths() const { return settings_.value(kKey).toStringList(); }

void RecentBooks::Add(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList paths = Paths();
  paths.removeAll(absolute);
  paths.prepend(absolute);
  Store(paths.mid(0, kMostBooks));
}

void RecentBooks::Remove(const QString& path) {
  QStringList paths = Paths();
  paths.removeAll(QFileInfo(path).absoluteFilePath());
  Store(paths);
}

void RecentBooks::Store(const QStringList& paths) {
  settings_.setValue(kKey, paths);
  settings_.sync();  // another window may start before this one ends
}

}  // namespace viewer
