#include "designer/window/import_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent>

#include "designer/model/table_source.h"
#include "designer/window/document_text.h"
#include "designer/window/import_options_panel.h"
#include "window_common/cp1251_text.h"

namespace designer {

namespace {

const char kNamesKey[] = "import/firstLineHasNames";
constexpr int kMaxSkipLines = 9999;
constexpr int kMaxColumnWidth = 260;  // pixels; a longer value shows its start

// "Строка 17: другое число полей, чем в первой строке (всего строк: 3)".
QString WarningText(const WarningLine& warning) {
  QString text = QString::fromStdString(warning.text);
  if (warning.first_line > 0) {
    text = QString::fromUtf8("Строка %1: %2").arg(warning.first_line).arg(text);
  } else if (!text.isEmpty()) {
    text[0] = text[0].toUpper();  // a warning about no line is a sentence of its own
  }
  if (warning.count > 1) text += QString::fromUtf8(" (всего строк: %1)").arg(warning.count);
  return text;
}

}  // namespace

ImportDialog::ImportDialog(QWidget* parent, const QString& path, bool cut_long_lines,
                           QSettings& store)
    : QDialog(parent),
      path_(QFile::encodeName(path).toStdString()),
      cut_long_lines_(cut_long_lines),
      store_(store),
      stop_(std::make_shared<std::atomic<bool>>(false)) {}

ImportDialog::ImportDialog(QWidget* parent, const QString& path, const CsvGuess& guess,
                           bool cut_long_lines, QSettings& store)
    : ImportDialog(parent, path, cut_long_lines, store) {
  setWindowTitle(QString::fromUtf8("Импорт файла %1").arg(QFileInfo(path).fileName()));
  Start(new TextOptionsPanel(this, guess, store_), guess.skip_lines);
}

ImportDialog::ImportDialog(QWidget* parent, const QString& path,
                           const std::vector<spreadsheet::SheetInfo>& sheets, bool cut_long_lines,
                           QSettings& store)
    : ImportDialog(parent, path, cut_long_lines, store) {
  setWindowTitle(QString::fromUtf8("Импорт таблицы %1").arg(QFileInfo(path).fileName()));
  Start(new SheetOptionsPanel(this, sheets), 0);
}

void ImportDialog::Start(ImportOptionsPanel* options, int skip_lines) {
  setObjectName(QStringLiteral("importDialog"));
  options_ = options;
  watcher_ = new QFutureWatcher<WholeFile>(this);
  connect(watcher_, &QFutureWatcher<WholeFile>::finished, this, &ImportDialog::ShowWholeFile);
  CreateLayout();
  first_line_names_->setChecked(store_.value(kNamesKey, true).toBool());
  skip_lines_->setValue(skip_lines);
  connect(options_, &ImportOptionsPanel::Changed, this, &ImportDialog::Redraw);
  connect(first_line_names_, &QCheckBox::toggled, this, &ImportDialog::Redraw);
  connect(skip_lines_, &QSpinBox::valueChanged, this, &ImportDialog::Redraw);
  Redraw();
}

ImportDialog::~ImportDialog() {
  // The passes hold nothing of the dialog; they are waited for only to end tidily.
  StopWholeFile();
  for (QFuture<WholeFile>& pass : passes_) pass.waitForFinished();
}

void ImportDialog::CreateLayout() {
  first_line_names_ = new QCheckBox(QString::fromUtf8("&Первая строка содержит названия полей"));
  first_line_names_->setObjectName(QStringLiteral("firstLineNames"));
  skip_lines_ = new QSpinBox;
  skip_lines_->setObjectName(QStringLiteral("skipLines"));
  skip_lines_->setRange(0, kMaxSkipLines);
  auto* skip_label = new QLabel(QString::fromUtf8("Пропустить &строк в начале:"));
  skip_label->setBuddy(skip_lines_);
  auto* line_options = new QHBoxLayout;
  line_options->addWidget(first_line_names_);
  line_options->addStretch();
  line_options->addWidget(skip_label);
  line_options->addWidget(skip_lines_);

  preview_ = new QTableWidget;
  preview_->setObjectName(QStringLiteral("previewTable"));
  preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  preview_->setSelectionMode(QAbstractItemView::NoSelection);
  preview_->verticalHeader()->setDefaultSectionSize(preview_->fontMetrics().height() + 4);

  warnings_ = new QLabel;
  warnings_->setObjectName(QStringLiteral("warningsLabel"));
  warnings_->setWordWrap(true);
  warnings_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  warnings_->setMinimumHeight(3 * warnings_->fontMetrics().height());
  warnings_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* buttons = new QDialogButtonBox;
  ok_ = buttons->addButton(QString::fromUtf8("ОК"), QDialogButtonBox::AcceptRole);
  ok_->setObjectName(QStringLiteral("okButton"));
  ok_->setDefault(true);
  QPushButton* cancel =
      buttons->addButton(QString::fromUtf8("Отмена"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  connect(buttons, &QDialogButtonBox::accepted, this, &ImportDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &ImportDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(options_);
  layout->addLayout(line_options);
  layout->addWidget(preview_, 1);
  layout->addWidget(warnings_);
  layout->addWidget(buttons);
  resize(720, 480);
}

CsvSettings ImportDialog::ChosenSettings() const {
  CsvSettings settings;
  options_->Apply(settings);
  settings.first_line_has_names = first_line_names_->isChecked();
  settings.skip_lines = skip_lines_->value();
  return settings;
}

void ImportDialog::accept() {
  options_->Remember(store_);
  store_.setValue(kNamesKey, first_line_names_->isChecked());
  QDialog::accept();
}

void ImportDialog::Redraw() {
  const CsvSettings settings = ChosenSettings();
  CsvTable table;
  const Status status =
      ReadTable(path_, settings, {.max_records = kPreviewRecords}, kPreviewRecords, table);
  ++generation_;
  StopWholeFile();
  if (!status.ok()) {
    ShowRefusal(status);
    return;
  }
  ok_->setEnabled(true);
  ShowPreview(table, settings.first_line_has_names);
  StartWholeFile(settings);
}

void ImportDialog::ShowPreview(const CsvTable& table, bool names) {
  const CsvFirstLine& first = table.head.first;
  preview_->clear();
  preview_->setColumnCount(first.FieldCount);
  QStringList headings;
  for (int i = 0; i < first.FieldCount; ++i) {
    headings << (names ? window_common::FromCp1251(first.Names[i])
                       : QString::fromUtf8("Поле %1").arg(i + 1));
  }
  preview_->setHorizontalHeaderLabels(headings);
  const auto& records = table.scan->preview();
  preview_->setRowCount(static_cast<int>(records.size()));
  QStringList lines;
  for (int row = 0; row < static_cast<int>(records.size()); ++row) {
    lines << QString::number(table.scan->preview_lines()[row]);
    for (int column = 0; column < first.FieldCount; ++column)
      preview_->setItem(row, column,
                        new QTableWidgetItem(window_common::FromCp1251(records[row][column])));
  }
  preview_->setVerticalHeaderLabels(lines);
  preview_->resizeColumnsToContents();
  for (int column = 0; column < first.FieldCount; ++column) {
    preview_->setColumnWidth(column, std::min(preview_->columnWidth(column), kMaxColumnWidth));
  }
}

void ImportDialog::ShowRefusal(const Status& status) {
  preview_->clear();
  preview_->setRowCount(0);
  preview_->setColumnCount(0);
  ok_->setEnabled(false);
  warnings_->setStyleSheet(QStringLiteral("color: #a00000"));
  warnings_->setText(MessageText(status.message()));
}

void ImportDialog::StartWholeFile(const CsvSettings& settings) {
  warnings_->setStyleSheet(QString());
  warnings_->setText(QString::fromUtf8("Проверка всего файла…"));
  stop_ = std::make_shared<std::atomic<bool>>(false);
  const auto stop = stop_;
  const int generation = generation_;
  const std::string path = path_;
  QFuture<WholeFile> pass = QtConcurrent::run([path, settings, stop, generation] {
    WholeFile found;
    found.generation = generation;
    CsvTable table;
    // The warnings need no splitter for the save: the pass spares looking for one.
    const RecordPass pass{.go_on = [stop] { return !*stop; }, .find_free_splitter = false};
    found.status = ReadTable(path, settings, pass, 0, table);
    if (table.scan) {
      found.warnings = table.scan->warnings();
      found.records = table.scan->record_count();
    }
    return found;
  });
  passes_.push_back(pass);
  watcher_->setFuture(pass);
}

void ImportDialog::ShowWholeFile() {
  const WholeFile found = watcher_->result();
  if (found.generation != generation_) return;
  if (!found.status.ok()) {
    warnings_->setStyleSheet(QStringLiteral("color: #a00000"));
    warnings_->setText(MessageText(found.status.message()));
    return;
  }
  QStringList lines;
  for (const WarningLine& warning : DescribeWarnings(found.warnings, cut_long_lines_))
    lines << WarningText(warning);
  lines.prepend(QString::fromUtf8("Записей: %1.").arg(found.records) +
                (lines.isEmpty() ? QString::fromUtf8(" Замечаний нет.") : QString()));
  warnings_->setText(lines.join(QLatin1Char('\n')));
}

void ImportDialog::StopWholeFile() {
  *stop_ = true;
  // A stopped pass ends within a few hundred records; the finished ones are let go.
  std::erase_if(passes_, [](const QFuture<WholeFile>& pass) { return pass.isFinished(); });
}

}  // namespace designer
