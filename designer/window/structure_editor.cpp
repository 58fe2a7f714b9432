#include "designer/window/structure_editor.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTableWidget>
#include <algorithm>

#include "designer/window/field_grid_delegate.h"
#include "designer/window/fixed_label.h"
#include "designer/window/main_window_layout.h"
#include "designer/window/number_box.h"
#include "window_common/cp1251_text.h"

namespace designer {

namespace {

constexpr int kFirstUnselectableColumn = 3;
constexpr int kSampleColumn = 5;
// A number takes at least one byte.
constexpr int kSmallestNumSize = 1;
// Column widths and row heights without the grid line, which the view adds to each section.
constexpr int kColumnWidths[6] = {16, 118, 83, 29, 27, 292};
constexpr int kHeadingHeight = 16;
// Two pixels lower than the type box (21) so that the box covers a cell; the grid holds the
// heading and the five rows a document can have.
constexpr int kRowHeight = 19;

const char kTextType[] = "текстовый";
const char kNumericType[] = "числовой";

QString TypeText(std::uint8_t data_type) {
  return QString::fromUtf8(data_type == kTypeNumeric ? kNumericType : kTextType);
}

// Accepts only a selector's items (ignoring letter case) and their beginnings, so that typed text
// always ends as one of the items.
class SelectorValidator : public QValidator {
 public:
  explicit SelectorValidator(QComboBox* selector) : QValidator(selector), selector_(selector) {}
  State validate(QString& input, int&) const override {
    for (int i = 0; i < selector_->count(); ++i) {
      const QString item = selector_->itemText(i);
      if (item.compare(input, Qt::CaseInsensitive) == 0) return Acceptable;
      if (item.startsWith(input, Qt::CaseInsensitive)) return Intermediate;
    }
    return Invalid;
  }

 private:
  QComboBox* selector_;
};

QComboBox* MakeSelector(QWidget* parent, const char* name, const char* item0, const char* item1,
                        QRect geometry) {
  auto* selector = new QComboBox(parent);
  selector->setObjectName(QString::fromLatin1(name));
  selector->setEditable(true);
  selector->setInsertPolicy(QComboBox::NoInsert);
  selector->addItems({QString::fromUtf8(item0), QString::fromUtf8(item1)});
  selector->setCurrentIndex(-1);
  selector->setValidator(new SelectorValidator(selector));
  // No completion: it would fill in an item the user did not type.
  selector->setCompleter(nullptr);
  selector->setGeometry(geometry);
  return selector;
}

QLineEdit* MakeBox(QWidget* parent, const char* name, QRect geometry) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(geometry);
  return box;
}

// A check box laid over a grid cell, 13 × 13 pixels. Its box is drawn whole within them, also
// where the style's box is larger and would lose its right and bottom edges.
class CellCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect = rect();
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, option);
  }
};

}  // namespace

StructureEditor::StructureEditor(QWidget* upper_page, QWidget* lower_page, Document& doc,
                                 Dialogs& dialogs, Handlers handlers)
    : QObject(upper_page), doc_(doc), dialogs_(dialogs), handlers_(std::move(handlers)) {
  CreateFieldGrid(upper_page);
  CreatePropertyPanel(lower_page);
}

QList<QWidget*> StructureEditor::TabOrder() const {
  return {field_grid_, num_size_,    max_len_,      digits_only_,
          upper_case_, ignore_case_, search_within_};
}

// A message box or a dropped-down list takes the focus without leaving the control, as it does
// on the platform the designer was made for.
void StructureEditor::WatchFocusLoss(QWidget* control) { control->installEventFilter(this); }

bool StructureEditor::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    for (QComboBox* selector : {digits_only_, upper_case_, ignore_case_, search_within_}) {
      if (selector && watched == selector->lineEdit()) ToggleSelector(selector);
    }
  } else if (event->type() == QEvent::KeyPress &&
             FieldGridTabKey(watched, static_cast<QKeyEvent*>(event))) {
    return true;
  } else if (event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    auto* control = qobject_cast<QWidget*>(watched);
    const bool left_control = reason != Qt::ActiveWindowFocusReason &&
                              reason != Qt::PopupFocusReason && control &&
                              !IsWithin(control, QApplication::focusWidget());
    if (left_control) {
      if (control == field_grid_) {
        CommitName();
      } else if (control == type_box_) {
        CommitTypeBox();
      } else if (control == max_len_) {
        ReportEntry(CommitMaxLen());
      } else if (control == num_size_) {
        ReportEntry(SaveField());
      } else if (auto* selector = qobject_cast<QComboBox*>(control)) {
        CommitSelector(selector);
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

bool StructureEditor::IsWithin(const QWidget* outer, const QWidget* widget) {
  // A drop-down list is a window of its own, so the search goes on past windows.
  for (; widget; widget = widget->parentWidget()) {
    if (widget == outer) return true;
  }
  return false;
}

void StructureEditor::CreateFieldGrid(QWidget* upper_page) {
  type_box_ = new QComboBox(upper_page);
  type_box_->setObjectName(QStringLiteral("typeBox"));
  type_box_->addItems({QString::fromUtf8(kTextType), QString::fromUtf8(kNumericType)});
  type_box_->hide();
  WatchFocusLoss(type_box_);
  type_box_->view()->installEventFilter(this);  // Tab in the dropped list
  connect(type_box_, &QComboBox::activated, this, &StructureEditor::TypeChosen);

  field_grid_ = new QTableWidget(kMaxDocumentFields, 6, upper_page);
  field_grid_->setObjectName(QStringLiteral("fieldGrid"));
  field_grid_->setGeometry(kFieldGrid);
  field_grid_->setFrameStyle(QFrame::Box | QFrame::Plain);
  field_grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  field_grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  field_grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  // Tab walks the stops of the current row (StepInFieldGrid), not every cell of the grid.
  field_grid_->setTabKeyNavigation(false);
  field_grid_->setEditTriggers(QAbstractItemView::SelectedClicked |
                               QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                               QAbstractItemView::EditKeyPressed);
  field_grid_->setItemDelegate(
      new FieldGridDelegate(field_grid_, [this](int qt_row, const QString& text) {
        if (qt_row == field_grid_->currentRow()) NameTyped(text);
      }));
  field_grid_->verticalHeader()->hide();
  QHeaderView* heading = field_grid_->horizontalHeader();
  heading->setMinimumSectionSize(1);
  heading->setSectionResizeMode(QHeaderView::Fixed);
  heading->setSectionsClickable(false);
  heading->setHighlightSections(false);
  heading->setFixedHeight(kHeadingHeight + 1);
  field_grid_->verticalHeader()->setMinimumSectionSize(1);
  field_grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  field_grid_->verticalHeader()->setDefaultSectionSize(kRowHeight + 1);
  field_grid_->setHorizontalHeaderLabels(
      {QString(), QString::fromUtf8("Имя поля"), QString::fromUtf8("Тип данных"),
       QString::fromUtf8("Ред."), QString::fromUtf8("Рез."), QString::fromUtf8("Пример данных")});
  for (int column = 0; column < 6; ++column) {
    field_grid_->setColumnWidth(column, kColumnWidths[column] + 1);
  }
  // Cells that cannot be selected are disabled; they keep the normal text colour.
  QPalette palette = field_grid_->palette();
  palette.setColor(QPalette::Disabled, QPalette::Text,
                   palette.color(QPalette::Active, QPalette::Text));
  field_grid_->setPalette(palette);
  FillFieldGrid();
  {
    const QSignalBlocker quiet(field_grid_);
    field_grid_->setCurrentCell(0, kNameColumn);
  }
  WatchFocusLoss(field_grid_);
  connect(field_grid_, &QTableWidget::currentCellChanged, this,
          [this](int row, int column) { CurrentCellChanged(row, column); });
  connect(field_grid_, &QTableWidget::cellClicked, this, [this] {
    if (!type_box_->isVisible()) OpenCurrentCell();
  });

  for (int i = 1; i <= kMaxDocumentFields; ++i) {
    query_ticks_[i] = new CellCheckBox(upper_page);
    query_ticks_[i]->setObjectName(QStringLiteral("queryTick%1").arg(i));
    connect(query_ticks_[i], &QCheckBox::clicked, this,
            [this, i](bool ticked) { QueryTickClicked(i, ticked); });
    result_ticks_[i] = new CellCheckBox(upper_page);
    result_ticks_[i]->setObjectName(QStringLiteral("resultTick%1").arg(i));
    connect(result_ticks_[i], &QCheckBox::clicked, this,
            [this, i](bool ticked) { ResultTickClicked(i, ticked); });
    // Tab reaches only the current row's boxes, as stops of the grid.
    for (QCheckBox* box : {query_ticks_[i], result_ticks_[i]}) {
      box->setFocusPolicy(Qt::ClickFocus);
      box->installEventFilter(this);
    }
  }
  PlaceTicks();
}

void StructureEditor::CreatePropertyPanel(QWidget* lower_page) {
  AddLabel(lower_page, "Свойства поля:", kPropertiesLabel, true);
  AddLabel(lower_page, "Размер числа", kNumSizeLabel);
  num_size_ = MakeBox(lower_page, "numSize", kNumSizeBox);
  AddLabel(lower_page, "Размер поля", kMaxLenLabel);
  max_len_ = MakeBox(lower_page, "maxLen", kMaxLenBox);
  max_len_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), max_len_));
  AddLabel(lower_page, "Критерии поиска", kSearchCriteriaLabel);
  AddLabel(lower_page, "Только цифры", kDigitsOnlyLabel);
  digits_only_ = MakeSelector(lower_page, "digitsOnly", "Нет", "Да", kDigitsOnlySelector);
  AddLabel(lower_page, "Регистр букв", kUpperCaseLabel);
  upper_case_ = MakeSelector(lower_page, "upperCase", "любой", "верхний", kUpperCaseSelector);
  AddLabel(lower_page, "Процедура поиска", kSearchProcedureLabel);
  AddLabel(lower_page, "Регистр букв", kIgnoreCaseLabel);
  ignore_case_ =
      MakeSelector(lower_page, "ignoreCase", "учитывать", "не учитывать", kIgnoreCaseSelector);
  AddLabel(lower_page, "Поиск", kSearchWithinLabel);
  search_within_ =
      MakeSelector(lower_page, "searchWithin", "по началу", "в строке", kSearchWithinSelector);

  for (QWidget* control :
       {static_cast<QWidget*>(num_size_), static_cast<QWidget*>(max_len_),
        static_cast<QWidget*>(digits_only_), static_cast<QWidget*>(upper_case_),
        static_cast<QWidget*>(ignore_case_), static_cast<QWidget*>(search_within_)}) {
    WatchFocusLoss(control);
  }
  for (QComboBox* selector : {digits_only_, upper_case_, ignore_case_, search_within_}) {
    selector->lineEdit()->installEventFilter(this);
  }
  for (QLineEdit* box : {num_size_, max_len_})
    connect(box, &QLineEdit::textEdited, this, [this] { reported_entry_.clear(); });
}

// The check boxes lie over the cells of "Ред." and "Рез.": left at the grid's left + the cell's
// left + half the cell's width - 4, top at the grid's top + the cell's top + 5, the cell counted
// within the grid's border.
void StructureEditor::PlaceTicks() {
  const int heading = field_grid_->horizontalHeader()->height();
  for (int i = 1; i <= kMaxDocumentFields; ++i) {
    const int top = field_grid_->y() + heading + field_grid_->rowViewportPosition(i - 1) + 5;
    for (int column : {3, 4}) {
      QCheckBox* box = column == 3 ? query_ticks_[i] : result_ticks_[i];
      const int left = field_grid_->x() + field_grid_->columnViewportPosition(column) +
                       kColumnWidths[column] / 2 - 4;
      box->setGeometry(left, top, kTickSide, kTickSide);
      box->raise();
    }
  }
}

QString StructureEditor::CellText(int column, int row) const {
  const QTableWidgetItem* item = field_grid_->item(row - 1, column);
  return item ? item->text() : QString();
}

void StructureEditor::FillFieldGrid() {
  const int rows =
      doc_.FieldCount > 0 ? std::min(doc_.FieldCount, kMaxDocumentFields) : kMaxDocumentFields;
  field_grid_->setRowCount(rows);
  for (int row = 1; row <= rows; ++row) {
    for (int column = 0; column < 6; ++column) {
      auto* item = new QTableWidgetItem();
      Qt::ItemFlags flags = Qt::NoItemFlags;
      if (column == kNameColumn)
        flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
      if (column == kTypeColumn) flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
      item->setFlags(flags);
      if (column == 0) item->setBackground(field_grid_->window()->palette().button());
      field_grid_->setItem(row - 1, column, item);
    }
    if (doc_.FieldCount <= 0) continue;
    const TFieldDesc& field = doc_.Fields[row];
    field_grid_->item(row - 1, kNameColumn)->setText(window_common::FromCp1251(field.Name));
    field_grid_->item(row - 1, kTypeColumn)->setText(TypeText(field.DataType));
    field_grid_->item(row - 1, kSampleColumn)
        ->setText(window_common::FromCp1251(doc_.SampleValues[1][row]));
  }
}

void StructureEditor::ShowDocument(int field) {
  HideTypeBox();
  field_grid_->reset();
  FillFieldGrid();
  for (int i = 1; i <= kMaxDocumentFields; ++i) {
    const bool shown = doc_.BoxesShown[i] && i <= doc_.FieldCount;
    query_ticks_[i]->setChecked(doc_.QueryBoxTicked[i]);
    result_ticks_[i]->setChecked(doc_.ResultBoxTicked[i]);
    query_ticks_[i]->setVisible(shown);
    result_ticks_[i]->setVisible(shown);
  }
  handlers_.fields_edited();
  {
    const QSignalBlocker quiet(field_grid_);
    field_grid_->setCurrentCell(field - 1, kNameColumn);
  }
  SelectCell(kNameColumn, field);
  field_grid_->viewport()->update();
}

int StructureEditor::SelectedField() const {
  const int row = field_grid_->currentRow() + 1;
  return doc_.FieldCount > 0 && row >= 1 && row <= doc_.FieldCount ? row : 0;
}

// The grid made cell (column, qt_row) current, by a click, a key or the program.
void StructureEditor::CurrentCellChanged(int qt_row, int column) {
  if (qt_row < 0 || column < 0) return;
  SelectCell(column, qt_row + 1);
  OpenCurrentCell();
}

void StructureEditor::SelectCell(int column, int row) {
  if (column >= kFirstUnselectableColumn) return;
  ShowField(row);
  if (column == kTypeColumn && row >= 1) {
    const int heading = field_grid_->horizontalHeader()->height();
    const int left = field_grid_->x() + field_grid_->columnViewportPosition(column) + 1;
    const int top = field_grid_->y() + heading + field_grid_->rowViewportPosition(row - 1) + 1;
    type_box_->setGeometry(left, top, kColumnWidths[column] + 1, kRowHeight + 1);
    type_box_->setCurrentIndex(CellText(column, row) == QString::fromUtf8(kTextType) ? 0 : 1);
    type_box_->show();
    type_box_->raise();
    type_box_->setFocus(Qt::OtherFocusReason);
  }
}

void StructureEditor::OpenCurrentCell() {
  const int column = field_grid_->currentColumn();
  const int row = field_grid_->currentRow();
  if (column == kNameColumn && row >= 0) {
    field_grid_->editItem(field_grid_->item(row, column));
  } else if (column == kTypeColumn && row >= 0) {
    SelectCell(kTypeColumn, row + 1);
    type_box_->showPopup();
  }
  field_grid_->viewport()->update();
}

void StructureEditor::NameTyped(const QString& text) {
  const int field = SelectedField();
  if (field == 0) return;
  doc_.Fields[field].Name = CutName(window_common::ToCp1251(text));
  handlers_.fields_edited();
}

void StructureEditor::CommitName() {
  const int field = SelectedField();
  if (field == 0) return;
  doc_.Fields[field].Name = CutName(window_common::ToCp1251(CellText(kNameColumn, field)));
}

void StructureEditor::TypeChosen(int index) {
  if (index < 0) return;
  CommitTypeBox();
}

void StructureEditor::CommitTypeBox() {
  if (!type_box_->isVisible() || hiding_type_box_) return;
  const int row = field_grid_->currentRow();
  if (QTableWidgetItem* cell = field_grid_->item(row, kTypeColumn)) {
    cell->setText(type_box_->currentText());
  }
  const int field = SelectedField();
  HideTypeBox();
  if (field != 0) ChangeFieldType(field, type_box_->currentIndex() == 1);
}

void StructureEditor::HideTypeBox() {
  if (!type_box_->isVisible() || hiding_type_box_) return;
  // The focus goes back to the grid before the box disappears, so that it passes through no
  // other control (which would commit).
  hiding_type_box_ = true;
  field_grid_->setFocus(Qt::OtherFocusReason);
  type_box_->hide();
  hiding_type_box_ = false;
}

// The type the user sees is the type saved: a field made numeric gets the number size that
// holds any value, a text field none. A field turns numeric only when every record holds a
// number there; else the builder would store a wrong value without a word.
void StructureEditor::ChangeFieldType(int field, bool numeric) {
  TFieldDesc& desc = doc_.Fields[field];
  const std::uint8_t data_type = numeric ? kTypeNumeric : kTypeText;
  if (desc.DataType == data_type) return;
  if (numeric) {
    if (const Status checked = handlers_.check_numeric(field); !checked.ok()) {
      field_grid_->item(field - 1, kTypeColumn)->setText(TypeText(desc.DataType));
      ReportStatus(dialogs_, checked);
      return;
    }
  }
  SetFieldType(desc, numeric);
  num_size_->setText(numeric ? QString::number(desc.NumSize) : QStringLiteral("N/A"));
}

void StructureEditor::ShowField(int field) {
  if (field < 1 || field > kFieldTableSize) return;
  const TFieldDesc& desc = doc_.Fields[field];
  num_size_->setText(desc.DataType == kTypeText ? QStringLiteral("N/A")
                                                : QString::number(desc.NumSize));
  max_len_->setText(QString::number(desc.MaxLen));
  digits_only_->setCurrentIndex(desc.Flags & kFlagDigitsOnly ? 1 : 0);
  upper_case_->setCurrentIndex(desc.Flags & kFlagUpperCase ? 1 : 0);
  search_within_->setCurrentIndex(desc.Flags & kFlagSearchWithin ? 1 : 0);
  ignore_case_->setCurrentIndex(desc.Flags & kFlagIgnoreCase ? 1 : 0);
  handlers_.field_selected(field);
}

void StructureEditor::CommitSelector(QComboBox* selector) {
  ResolveSelectorText(selector);
  ReportEntry(SaveField());
}

void StructureEditor::ResolveSelectorText(QComboBox* selector) {
  const int index = selector->findText(selector->currentText(), Qt::MatchFixedString);
  if (index >= 0) {
    selector->setCurrentIndex(index);
    selector->setEditText(selector->itemText(index));
  } else {
    selector->setEditText(
        selector->currentIndex() >= 0 ? selector->itemText(selector->currentIndex()) : QString());
  }
}

void StructureEditor::ToggleSelector(QComboBox* selector) {
  const int index = selector->currentIndex();
  if (index == 0 || index == 1) selector->setCurrentIndex(1 - index);
}

void StructureEditor::ReportEntry(const Status& status) {
  if (status.ok()) {
    reported_entry_.clear();
  } else if (status.message() != reported_entry_) {
    reported_entry_ = status.message();
    ReportStatus(dialogs_, status);
  }
}

Status StructureEditor::SaveField() {
  const int field = SelectedField();
  if (doc_.FieldCount <= 0 || field == 0) return Status::Ok();
  TFieldDesc& desc = doc_.Fields[field];
  desc.Name = CutName(window_common::ToCp1251(CellText(kNameColumn, field)));
  if (desc.DataType == kTypeNumeric) {
    const StatusOr<std::int32_t> size =
        ReadNumberBox(num_size_->text(), "Размер числа", kSmallestNumSize, kMaxNumericSize);
    if (!size.ok()) return size.status();
    desc.NumSize = static_cast<std::uint8_t>(size.value());
  } else {
    desc.NumSize = 0;
  }
  const StatusOr<std::int32_t> max_len =
      ReadNumberBox(max_len_->text(), "Размер поля", 0, kMaxDescriptorValue);
  if (!max_len.ok()) return max_len.status();
  desc.MaxLen = max_len.value();
  const auto on = [](const QComboBox* selector) { return (selector->currentIndex() & 1) != 0; };
  desc.Flags = FieldFlags(on(digits_only_), on(upper_case_), on(search_within_), on(ignore_case_));
  return Status::Ok();
}

Status StructureEditor::CommitMaxLen() {
  const StatusOr<std::int32_t> max_len =
      ReadNumberBox(max_len_->text(), "Размер поля", 0, kMaxDescriptorValue);
  if (!max_len.ok()) return max_len.status();
  const int field = SelectedField();
  if (field == 0) return Status::Ok();
  doc_.Fields[field].MaxLen = max_len.value();
  handlers_.fields_edited();
  return Status::Ok();
}

Status StructureEditor::CommitFocusedControl() {
  const QWidget* focused = QApplication::focusWidget();
  if (!focused) return Status::Ok();
  if (focused == max_len_) return CommitMaxLen();
  if (focused == num_size_) return SaveField();
  for (QComboBox* selector : {digits_only_, upper_case_, ignore_case_, search_within_}) {
    if (focused == selector || selector->isAncestorOf(focused)) {
      ResolveSelectorText(selector);
      return SaveField();
    }
  }
  if (focused == type_box_) CommitTypeBox();
  return Status::Ok();
}

void StructureEditor::QueryTickClicked(int row, bool ticked) {
  doc_.SetQueryBox(row, ticked);
  handlers_.fields_edited();
}

void StructureEditor::ResultTickClicked(int row, bool ticked) {
  doc_.SetResultBox(row, ticked);
  handlers_.fields_edited();
}

}  // namespace designer
