// What the designer remembers between its starts, kept with QSettings: the files opened or saved
// last (newest first, at most eight, in the file menu's "Последние файлы") and the path last
// chosen in the open dialog, whose folder the dialog starts in.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QMenu;

namespace designer {

class RecentFiles : public QObject {
 public:
  static constexpr int kKept = 8;

  // Fills `menu` with the remembered files; choosing one hands its path to `open`.
  RecentFiles(QMenu* menu, std::function<void(const QString& path)> open);

  // `path` was opened or saved: it goes first, once.
  void Add(const QString& path);
  // The path last chosen in the open dialog, and a new one.
  QString LastChosen() const;
  void SetLastChosen(const QString& path);

 private:
  void FillMenu();

  QMenu* menu_;
  std::function<void(const QString&)> open_;
};

}  // namespace designer
