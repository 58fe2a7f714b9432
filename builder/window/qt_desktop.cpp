#include "builder/window/qt_desktop.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace builder {

void QtDesktop::ShowError(QWidget* owner, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
  box.exec();
}

std::optional<QString> QtDesktop::ChooseInputFile(QWidget* owner) {
  QFileDialog dialog(owner);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // "*" rather than "*.*": on this platform "*.*" would hide names without a dot.
  dialog.setNameFilters({"Flat DB Source Files (*.fsr)", "All Files (*)"});
  dialog.setDefaultSuffix("csv");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog.selectedFiles().first();
}

void QtDesktop::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

}  // namespace builder
