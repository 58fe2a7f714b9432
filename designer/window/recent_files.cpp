#include "designer/window/recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace designer {
namespace {

const char kRecentKey[] = "recentFiles";
const char kLastChosenKey[] = "lastChosenFile";

QSettings Settings() {
  return QSettings(QStringLiteral("brindlewick"), QStringLiteral("bwickdesign"));
}

}  // namespace

RecentFiles::RecentFiles(QMenu* menu, std::function<void(const QString& path)> open)
    : QObject(menu), menu_(menu), open_(std::move(open)) {
  FillMenu();
}

void RecentFiles::Add(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QSettings settings = Settings();
  QStringList files = settings.value(QLatin1String(kRecentKey)).toStringList();
  files.removeAll(absolute);
  files.prepend(absolute);
  settings.setValue(QLatin1String(kRecentKey), files.mid(0, kKept));
  FillMenu();
}

QString RecentFiles::LastChosen() const {
  return Settings().value(QLatin1String(kLastChosenKey)).toString();
}

void RecentFiles::SetLastChosen(const QString& path) {
  Settings().setValue(QLatin1String(kLastChosenKey), path);
}

// Each entry is numbered for the keyboard and shows the file's name with its folder.
void RecentFiles::FillMenu() {
  menu_->clear();
  const QStringList files = Settings().value(QLatin1String(kRecentKey)).toStringList();
  for (int i = 0; i < files.size() && i < kKept; ++i) {
    const QString caption =
        QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files[i]));
    QAction* item = menu_->addAction(caption);
    item->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
    connect(item, &QAction::triggered, this, [this, path = files[i]] { open_(path); });
  }
  menu_->setEnabled(!files.isEmpty());
}

}  // namespace designer
