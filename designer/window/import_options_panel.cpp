#include "designer/window/import_options_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <array>

#include "designer/model/encoding.h"
#include "designer/model/sheet_table.h"
#include "window_common/cp1251_text.h"

namespace designer {

namespace {

// The settings' keys and the values they hold.
const char kEncodingKey[] = "import/encoding";
const char kSplitterKey[] = "import/splitter";

struct EncodingChoice {
  const char* caption;
  const char* key;
  std::optional<TextEncoding> encoding;  // none: the automatic rule
};
const std::array<EncodingChoice, 4> kEncodings = {{
    {"Автоматически", "auto", std::nullopt},
    {"Windows-1251", "cp1251", TextEncoding::kCp1251},
    {"UTF-8", "utf-8", TextEncoding::kUtf8},
    {"UTF-16", "utf-16", TextEncoding::kUtf16},
}};

struct SplitterChoice {
  const char* caption;
  const char* splitter;
};
const std::array<SplitterChoice, 4> kSplitters = {{
    {"точка с запятой «;»", ";"},
    {"запятая «,»", ","},
    {"табуляция", "\t"},
    {"вертикальная черта «|»", "|"},
}};
const int kOtherSplitter = static_cast<int>(kSplitters.size());  // the item "другой:"

QLabel* Caption(QWidget* parent, const char* text, QWidget* buddy) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

TextOptionsPanel::TextOptionsPanel(QWidget* parent, const CsvGuess& guess, const QSettings& store)
    : ImportOptionsPanel(parent), guess_(guess) {
  encoding_ = new QComboBox(this);
  encoding_->setObjectName(QStringLiteral("encodingBox"));
  for (const EncodingChoice& choice : kEncodings) {
    QString caption = QString::fromUtf8(choice.caption);
    if (!choice.encoding)
      caption += QStringLiteral(" (%1)").arg(QString::fromStdString(EncodingLabel(guess.encoding)));
    encoding_->addItem(caption, QString::fromLatin1(choice.key));
  }
  encoding_->setCurrentIndex(
      std::max(0, encoding_->findData(store.value(kEncodingKey, QStringLiteral("auto")))));

  splitter_ = new QComboBox(this);
  splitter_->setObjectName(QStringLiteral("splitterBox"));
  for (const SplitterChoice& choice : kSplitters)
    splitter_->addItem(QString::fromUtf8(choice.caption));
  splitter_->addItem(QString::fromUtf8("другой:"));
  other_splitter_ = new QLineEdit(this);
  other_splitter_->setObjectName(QStringLiteral("otherSplitter"));
  other_splitter_->setMaxLength(1);
  other_splitter_->setFixedWidth(24);
  other_splitter_->setValidator(new window_common::Cp1251Validator(other_splitter_));
  SelectSplitter(guess.splitter.value_or(
      window_common::ToCp1251(store.value(kSplitterKey, QStringLiteral(";")).toString())));

  quotes_ = new QComboBox(this);
  quotes_->setObjectName(QStringLiteral("quotesBox"));
  quotes_->addItem(QString::fromUtf8("нет"));
  quotes_->addItem(QString::fromUtf8("двойные (\")"));
  quotes_->setCurrentIndex(guess.quoted ? 1 : 0);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Caption(this, "&Кодировка:", encoding_));
  layout->addWidget(encoding_);
  layout->addSpacing(12);
  layout->addWidget(Caption(this, "&Разделитель:", splitter_));
  layout->addWidget(splitter_);
  layout->addWidget(other_splitter_);
  layout->addSpacing(12);
  layout->addWidget(Caption(this, "Ка&вычки:", quotes_));
  layout->addWidget(quotes_);
  layout->addStretch();

  connect(encoding_, &QComboBox::currentIndexChanged, this, &ImportOptionsPanel::Changed);
  connect(quotes_, &QComboBox::currentIndexChanged, this, &ImportOptionsPanel::Changed);
  connect(splitter_, &QComboBox::currentIndexChanged, this, [this](int index) {
    other_splitter_->setEnabled(index == kOtherSplitter);
    if (index == kOtherSplitter) other_splitter_->setFocus();
    emit Changed();
  });
  connect(other_splitter_, &QLineEdit::textChanged, this, &ImportOptionsPanel::Changed);
}

void TextOptionsPanel::SelectSplitter(const std::string& splitter) {
  int index = kOtherSplitter;
  for (int i = 0; i < kOtherSplitter; ++i) {
    if (splitter == kSplitters[i].splitter) index = i;
  }
  splitter_->setCurrentIndex(index);
  other_splitter_->setText(index == kOtherSplitter ? window_common::FromCp1251(splitter)
                                                   : QString());
  other_splitter_->setEnabled(index == kOtherSplitter);
}

std::string TextOptionsPanel::ChosenSplitter() const {
  const int index = splitter_->currentIndex();
  if (index >= 0 && index < kOtherSplitter) return kSplitters[index].splitter;
  return window_common::ToCp1251(other_splitter_->text());
}

void TextOptionsPanel::Apply(CsvSettings& settings) const {
  // "Автоматически" is the encoding found, so that no change reads the whole file again for it.
  settings.encoding =
      kEncodings[std::max(0, encoding_->currentIndex())].encoding.value_or(guess_.encoding);
  settings.splitter = ChosenSplitter();
  settings.quoted = quotes_->currentIndex() == 1;
}

void TextOptionsPanel::Remember(QSettings& store) const {
  store.setValue(kEncodingKey, encoding_->currentData());
  store.setValue(kSplitterKey, window_common::FromCp1251(ChosenSplitter()));
}

SheetOptionsPanel::SheetOptionsPanel(QWidget* parent,
                                     const std::vector<spreadsheet::SheetInfo>& sheets)
    : ImportOptionsPanel(parent) {
  sheet_ = new QComboBox(this);
  sheet_->setObjectName(QStringLiteral("sheetBox"));
  for (const spreadsheet::SheetInfo& sheet : sheets) {
    const QString name = QString::fromStdString(sheet.name);
    sheet_->addItem(sheet.hidden ? QString::fromUtf8("%1 (скрытый)").arg(name) : name, name);
  }
  if (const auto first = ChooseSheet(sheets, "", ""); first.ok())
    sheet_->setCurrentIndex(static_cast<int>(first.value()));

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Caption(this, "&Лист:", sheet_));
  layout->addWidget(sheet_);
  layout->addStretch();
  connect(sheet_, &QComboBox::currentIndexChanged, this, &ImportOptionsPanel::Changed);
}

void SheetOptionsPanel::Apply(CsvSettings& settings) const {
  settings.sheet = sheet_->currentData().toString().toStdString();
}

}  // namespace designer
