#include "viewer/window/viewer_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

#include "handheld/book_files.h"

namespace viewer {

std::optional<QString> QtViewerDialogs::ChooseBook(const QString& last_path) {
  QFileDialog dialog(owner_);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(handheld::BookFileFilters());
  if (!last_path.isEmpty()) dialog.setDirectory(QFileInfo(last_path).absolutePath());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

std::optional<QString> QtViewerDialogs::ChooseResultsFile(const QString& suggested) {
  QFileDialog dialog(owner_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({QStringLiteral("Таблица CSV (*.csv)")});
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  dialog.selectFile(suggested);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

void QtViewerDialogs::ShowFailure(const QString& text) {
  QMessageBox::critical(owner_, QGuiApplication::applicationDisplayName(), text);
}

void QtViewerDialogs::ShowMessage(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, owner_);
  box.exec();
}

}  // namespace viewer
