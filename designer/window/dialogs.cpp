#include "designer/window/dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>

#include "designer/window/design_match_dialog.h"
#include "designer/window/document_text.h"
#include "designer/window/import_dialog.h"

namespace designer {

namespace {

// The captions the platform's own boxes carry for their kind.
const char kInformationCaption[] = "Информация";
const char kQuestionCaption[] = "Подтверждение";
const char kErrorCaption[] = "Ошибка";

QString ApplicationTitle() { return QGuiApplication::applicationDisplayName(); }

// Shows a modal box and returns the button that closed it. The box keeps the text's own line
// breaks: it is made as wide as the longest line when that fits on the screen, where the
// toolkit alone would wrap every line longer than half the screen.
QMessageBox::StandardButton RunBox(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                                   const QString& text, QMessageBox::StandardButtons buttons,
                                   QMessageBox::StandardButton default_button) {
  QMessageBox box(icon, caption, text, buttons, owner);
  box.setDefaultButton(default_button);
  if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
    const int widest = label->fontMetrics().boundingRect(QRect(), 0, text).width();
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen && widest <= screen->availableGeometry().width() * 4 / 5) {
      label->setMinimumWidth(widest);
    }
  }
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

void ReportStatus(Dialogs& dialogs, const Status& status) {
  if (status.ok()) return;
  dialogs.ShowMessage(status.refusal() ? MessageKind::kPlain : MessageKind::kFailure,
                      MessageText(status.message()));
}

QStringList QtFileFilters(const QString& windows_filter) {
  const QStringList parts = windows_filter.split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QStringList masks = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    filters << parts[i] + QStringLiteral(" (") + masks.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters;
}

std::optional<QString> QtDialogs::ChooseFileToOpen(const QString& last_path,
                                                   const QStringList& filters) {
  QFileDialog dialog(owner_);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  if (!last_path.isEmpty()) dialog.setDirectory(QFileInfo(last_path).absolutePath());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

std::optional<QString> QtDialogs::ChooseFileToSave(const QString& folder, const QString& file_name,
                                                   const QStringList& filters,
                                                   const QString& default_suffix) {
  QFileDialog dialog(owner_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(default_suffix);
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  dialog.selectFile(file_name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

std::optional<CsvSettings> QtDialogs::ChooseImportSettings(const QString& path,
                                                           const CsvGuess& guess,
                                                           bool cut_long_lines) {
  // The choices are remembered in the designer's settings (organisation "brindlewick",
  // application "bwickdesign").
  QSettings store(QStringLiteral("brindlewick"), QStringLiteral("bwickdesign"));
  ImportDialog dialog(owner_, path, guess, cut_long_lines, store);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.ChosenSettings();
}

bool QtDialogs::ConfirmDesignMatch(const QStringList& match, const QStringList& warnings) {
  DesignMatchDialog dialog(owner_, match, warnings);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<CsvSettings> QtDialogs::ChooseSheetSettings(
    const QString& path, const std::vector<spreadsheet::SheetInfo>& sheets, bool cut_long_lines) {
  QSettings store(QStringLiteral("brindlewick"), QStringLiteral("bwickdesign"));
  ImportDialog dialog(owner_, path, sheets, cut_long_lines, store);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.ChosenSettings();
}

bool QtDialogs::AskYesNo(const QString& text) {
  return RunBox(owner_, QMessageBox::Question, QString::fromUtf8(kQuestionCaption), text,
                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

Answer QtDialogs::AskYesNoCancel(const QString& text) {
  switch (RunBox(owner_, QMessageBox::Question, QString::fromUtf8(kQuestionCaption), text,
                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
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
  RunBox(owner_, icon, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtDialogs::ShowCaptionedMessage(const QString& caption, const QString& text) {
  RunBox(owner_, QMessageBox::NoIcon, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

}  // namespace designer
