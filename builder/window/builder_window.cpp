#include "builder/window/builder_window.h"

#include <QCloseEvent>
#include <QFile>

#include "builder/convert/phone_book.h"
#include "builder/convert/run_conversion.h"
#include "builder/window/builder_window_layout.h"
#include "builder/window/field_validator.h"
#include "builder/window/tab_cycle.h"
#include "window_common/cp1251_text.h"
#include "window_common/dropped_file.h"
#include "window_common/window_font.h"

namespace builder {

namespace {

constexpr int kNameTypingLimit = static_cast<int>(kMaxPhoneBookNameBytes);

const char kBanner[] =
    "Hobnail-Tally /Dialmer DB Builder v.0.2 b40413,\n"
    "Преобразование файлов данных в формат справочника Dialmer 2.04";

QLabel* MakeLabel(const QString& text, QRect geometry, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(geometry);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QLineEdit* MakeField(const char* object_name, QRect geometry, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QString::fromLatin1(object_name));
  field->setGeometry(geometry);
  return field;
}

QPushButton* MakeButton(const QString& text, const char* object_name, QRect geometry,
                        QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(object_name));
  button->setGeometry(geometry);
  button->setAutoDefault(false);  // Enter presses nothing in this window
  button->setDefault(false);
  return button;
}

QString PathText(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

// A message as it is shown on the screen: UTF-8 text with "\r\n" as a plain line break.
QString ScreenText(const std::string& utf8) {
  return QString::fromStdString(utf8).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

BuilderWindow::BuilderWindow(Desktop& desktop, window_common::EventPace& pace)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      desktop_(desktop),
      banner_(new QLabel(QString::fromUtf8(kBanner), this)),
      link_(new HyperlinkLabel(QString::fromLatin1(kMakerWebAddress), this)),
      file_label_(MakeLabel(QStringLiteral("Имя файла:"), kFileLabel, this)),
      name_label_(MakeLabel(QStringLiteral("Название:"), kNameLabel, this)),
      splitter_label_(MakeLabel(QStringLiteral("Разделитель:"), kSplitterLabel, this)),
      digits_label_(MakeLabel(QStringLiteral("Число цифр:"), kDigitsLabel, this)),
      status_bar_(new QStatusBar(this)),
      status_(new QLabel(status_bar_)),
      choose_(MakeButton(QStringLiteral("Выбрать"), "choose", kChooseButton, this)),
      path_(MakeField("path", kPathField, this)),
      name_(MakeField("name", kNameField, this)),
      splitter_(MakeField("splitter", kSplitterField, this)),
      digits_(MakeField("digits", kDigitsField, this)),
      start_(MakeButton(QStringLiteral("Начать"), "start", kStartButton, this)),
      close_(MakeButton(QStringLiteral("Закрыть"), "close", kCloseButton, this)),
      reporter_(status_bar_, status_, pace) {
  setWindowTitle(QStringLiteral("Brindle Wick DB Builder"));
  setFixedSize(kClientWidth, kClientHeight);
  setFont(window_common::WindowFont());
  // A file dropped onto the window is taken as if chosen in the open dialog.
  window_common::OpenDroppedFiles(this, [this](const QString& path) { TakeInputFile(path); });

  banner_->setObjectName(QStringLiteral("banner"));
  banner_->setGeometry(kBannerPlace);
  banner_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  link_->setObjectName(QStringLiteral("link"));
  link_->setGeometry(kLinkPlace);
  link_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  connect(link_, &HyperlinkLabel::clicked, this,
          [this] { desktop_.OpenUrl(QUrl(QString::fromLatin1(kMakerWebAddress))); });

  status_->setObjectName(QStringLiteral("status"));
  status_bar_->addWidget(status_, 1);
  status_bar_->setSizeGripEnabled(false);  // the window cannot be resized
  const int status_height = status_bar_->sizeHint().height();
  status_bar_->setGeometry(0, kClientHeight - status_height, kClientWidth, status_height);
  window_common::ShowStatusTips(this, status_bar_);

  new FieldValidator(name_, kNameTypingLimit, FieldValidator::Characters::kCodePage);
  new FieldValidator(splitter_, 1, FieldValidator::Characters::kCodePage);
  new FieldValidator(digits_, 1, FieldValidator::Characters::kDigits);
  new TabCycle({choose_, path_, name_, splitter_, digits_, start_, close_}, this);

  connect(choose_, &QPushButton::clicked, this, &BuilderWindow::ChooseInputFile);
  connect(start_, &QPushButton::clicked, this, &BuilderWindow::RunConversion);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  choose_->setFocus();
}

void BuilderWindow::ConvertAndClose(const std::string& path) {
  given_path_ = path;
  path_->setText(PathText(path));
  path_->repaint();
  LoadSourceHeader(path);
  RunConversion();
  close();
}

void BuilderWindow::LoadSourceHeader(const std::string& path) {
  const auto names = NameConversion(path);
  if (!names || names->kind != ConversionKind::kSourceFile) return;
  const auto summary = SummarizeSourceHeader(path);
  if (!summary) {
    desktop_.ShowError(
        this, QString::fromUtf8(kCaptionError),
        QStringLiteral("Не могу открыть файл с исходными данными - ") + PathText(path));
    return;
  }
  if (summary->prefix_ok) {
    name_->setText(window_common::FromCp1251(summary->database_name));
    // A control character as splitter would show as nothing readable; leave the field empty.
    const unsigned char splitter = static_cast<unsigned char>(summary->splitter);
    splitter_->setText(splitter < 0x20
                           ? QString()
                           : window_common::FromCp1251(std::string_view(&summary->splitter, 1)));
  } else {
    // No source file after all: nothing was read, so nothing is shown; an empty splitter
    // field means ";" to a conversion, as for any file without a header.
    name_->clear();
    splitter_->clear();
  }
  name_->repaint();
  splitter_->repaint();
}

void BuilderWindow::RunConversion() {
  // The last run's final text would pass for this run's state until its first text came.
  status_->clear();
  status_bar_->repaint();
  ConversionRequest request;
  request.path = PathBytes();
  request.name = window_common::ToCp1251(name_->text());
  request.splitter = window_common::ToCp1251(splitter_->text());
  request.digits = digits_->text().toStdString();
  running_ = true;
  ShowFailure(builder::RunConversion(request, reporter_));
  running_ = false;
  if (close_asked_) close();
}

void BuilderWindow::ShowFailure(const ConversionResult& result) {
  if (!result.message().empty())
    desktop_.ShowError(this, QString::fromUtf8(result.caption), ScreenText(result.message()));
  if (result.general_follows)
    desktop_.ShowError(this, QString::fromUtf8(kCaptionError), ScreenText(kConversionFailed));
}

void BuilderWindow::closeEvent(QCloseEvent* event) {
  // The window repaints during a run, so the window system can ask it to close meanwhile: it
  // closes once the run is over, never in the middle of writing.
  if (running_) {
    close_asked_ = true;
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

void BuilderWindow::ChooseInputFile() {
  const auto chosen = desktop_.ChooseInputFile(this);
  if (chosen) TakeInputFile(*chosen);
}

void BuilderWindow::TakeInputFile(const QString& path) {
  given_path_.clear();
  path_->setText(path);
  LoadSourceHeader(PathBytes());
}

std::string BuilderWindow::PathBytes() const {
  if (!given_path_.empty() && path_->text() == PathText(given_path_)) return given_path_;
  return QFile::encodeName(path_->text()).toStdString();
}

}  // namespace builder
