#include "builder/window/qt_desktop.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace builder {

QString WrappableText(const QString& text) {
  // A data line of up to 510 characters without a blank would run off the screen: a box wraps
  // only where a line may break, so a long run gets a place to break after every character.
  constexpr int kLongestUnbroken = 40;
  QString wrappable;
  for (int start = 0; start < text.size();) {
    int end = start;
    while (end < text.size() && !text[end].isSpace()) ++end;
    for (int i = start; i < end; ++i) {
      wrappable += text[i];
      if (end - start > kLongestUnbroken && i + 1 < end && !text[i].isHighSurrogate())
        wrappable += QChar(0x200B);  // zero-width space
    }
    for (; end < text.size() && text[end].isSpace(); ++end) wrappable += text[end];
    start = end;
  }
  return wrappable;
}

void QtDesktop::ShowError(QWidget* owner, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Critical, caption, WrappableText(text), QMessageBox::Ok, owner);
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
