#include "designer/window/dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

namespace {

// The captions the platform's own boxes carry for their kind.
const char kInformationCaption[] = "Информация";
const char kQuestionCaption[] = "Подтверждение";
const char kErrorCaption[] = "Ошибка";

QString ApplicationTitle() { return QGuiApplication::applicationDisplayName(); }

}  // namespace

QStringList QtFileFilters(const QString& windows_filter) {
  const QStringList parts = windows_filter.split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QStringList masks = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    filters << parts[i] + QStringLiteral(" (") + masks.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters;
}

QString QtDialogs::ChooseFileToOpen(const QString& last_path, const QStringList& filters) {
  QFileDialog dialog(owner_);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  if (!last_path.isEmpty()) dialog.setDirectory(QFileInfo(last_path).absolutePath());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

QString QtDialogs::ChooseFileToSave(const QString& folder, const QString& file_name,
                                    const QStringList& filters, const QString& default_suffix) {
  QFileDialog dialog(owner_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(default_suffix);
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  dialog.selectFile(file_name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

bool QtDialogs::AskYesNo(const QString& text) {
  return QMessageBox::question(owner_, QString::fromUtf8(kQuestionCaption), text,
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

Answer QtDialogs::AskYesNoCancel(const QString& text) {
  switch (QMessageBox::question(owner_, QString::fromUtf8(kQuestionCaption), text,
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                QMessageBox::Yes)) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    default:
      return Answer::kCancel;
  }
}

void QtDialogs::ShowMessage(MessageKind kind, const QString& text) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString caption = ApplicationTitle();
  switch (kind) {
    case MessageKind::kPlain:
      break;
    case MessageKind::kInformation:
      icon = QMessageBox::Information;
      caption = QString::fromUtf8(kInformationCaption);
      break;
    case MessageKind::kWarning:
      icon = QMessageBox::Warning;
      break;
    case MessageKind::kError:
      icon = QMessageBox::Critical;
      caption = QString::fromUtf8(kErrorCaption);
      break;
    case MessageKind::kFailure:
      icon = QMessageBox::Critical;
      break;
  }
  QMessageBox box(icon, caption, text, QMessageBox::Ok, owner_);
  box.exec();
}

void QtDialogs::ShowCaptionedMessage(const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner_);
  box.exec();
}
