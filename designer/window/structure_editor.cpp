// The structure editor of TForm1: the field grid StringGrid1 with its type box and check boxes,
// and the property panel that shows and commits the field of the grid's current row.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTableWidget>
#include <algorithm>

#include "designer/model/int_text.h"
#include "designer/window/document_text.h"
#include "designer/window/field_grid_delegate.h"
#include "designer/window/fixed_label.h"
#include "designer/window/form1.h"
#include "designer/window/number_box.h"

namespace {

using designer::kMaxDocumentFields;

constexpr int kNameColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kFirstUnselectableColumn = 3;
constexpr int kSampleColumn = 5;
// What the table database holds: numbers of 1 to 4 bytes, values of at most 65535 characters.
constexpr int kSmallestNumSize = 1;
constexpr int kLargestNumSize = 4;
constexpr int kMaxLength = 65535;
// Column widths and row heights without the grid line, which the view adds to each section.
constexpr int kColumnWidths[6] = {16, 118, 83, 29, 27, 292};
constexpr int kHeadingHeight = 16;
// Two pixels lower than the type box (21) so that the box covers a cell; the grid holds the
// heading and the five rows a document can have.
constexpr int kRowHeight = 19;

const char kTextType[] = "текстовый";
const char kNumericType[] = "числовой";

QString TypeText(std::uint8_t data_type) {
  return QString::fromUtf8(data_type == designer::kTypeNumeric ? kNumericType : kTextType);
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
                        int top) {
  auto* selector = new QComboBox(parent);
  selector->setObjectName(QString::fromLatin1(name));
  selector->setEditable(true);
  selector->setInsertPolicy(QComboBox::NoInsert);
  selector->addItems({QString::fromUtf8(item0), QString::fromUtf8(item1)});
  selector->setCurrentIndex(-1);
  selector->setValidator(new SelectorValidator(selector));
  // No completion: it would fill in an item the user did not type.
  selector->setCompleter(nullptr);
  selector->setGeometry(120, top, 100, 21);
  return selector;
}

QLineEdit* MakeBox(QWidget* parent, const char* name, int top) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(120, top, 100, 19);
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

// True when the builder can store `value` as a number rather than as 0.
bool IsNumber(const std::string& value) {
  std::int32_t number = 0;
  return designer::ParseInt32(value, &number).ok();
}

}  // namespace

void TForm1::CreateFieldGrid(QWidget* panel1) {
  ComboBox1 = new QComboBox(panel1);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  ComboBox1->addItems({QString::fromUtf8(kTextType), QString::fromUtf8(kNumericType)});
  ComboBox1->hide();
  WatchFocusLoss(ComboBox1);
  ComboBox1->view()->installEventFilter(this);  // Tab in the dropped list
  connect(ComboBox1, &QComboBox::activated, this, &TForm1::ComboBox1Change);

  StringGrid1 = new QTableWidget(kMaxDocumentFields, 6, panel1);
  StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
  StringGrid1->setGeometry(120, 48, 577, 121);
  StringGrid1->setFrameStyle(QFrame::Box | QFrame::Plain);
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  // Tab walks the stops of the current row (StepInFieldGrid), not every cell of the grid.
  StringGrid1->setTabKeyNavigation(false);
  StringGrid1->setEditTriggers(QAbstractItemView::SelectedClicked |
                               QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                               QAbstractItemView::EditKeyPressed);
  StringGrid1->setItemDelegate(
      new FieldGridDelegate(StringGrid1, [this](int qt_row, const QString& text) {
        if (qt_row == StringGrid1->currentRow()) StringGrid1SetEditText(text);
      }));
  StringGrid1->verticalHeader()->hide();
  QHeaderView* heading = StringGrid1->horizontalHeader();
  heading->setMinimumSectionSize(1);
  heading->setSectionResizeMode(QHeaderView::Fixed);
  heading->setSectionsClickable(false);
  heading->setHighlightSections(false);
  heading->setFixedHeight(kHeadingHeight + 1);
  StringGrid1->verticalHeader()->setMinimumSectionSize(1);
  StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->verticalHeader()->setDefaultSectionSize(kRowHeight + 1);
  StringGrid1->setHorizontalHeaderLabels(
      {QString(), QString::fromUtf8("Имя поля"), QString::fromUtf8("Тип данных"),
       QString::fromUtf8("Ред."), QString::fromUtf8("Рез."), QString::fromUtf8("Пример данных")});
  for (int column = 0; column < 6; ++column) {
    StringGrid1->setColumnWidth(column, kColumnWidths[column] + 1);
  }
  // Cells that cannot be selected are disabled; they keep the normal text colour.
  QPalette palette = StringGrid1->palette();
  palette.setColor(QPalette::Disabled, QPalette::Text,
                   palette.color(QPalette::Active, QPalette::Text));
  StringGrid1->setPalette(palette);
  FillFieldGrid();
  {
    const QSignalBlocker quiet(StringGrid1);
    StringGrid1->setCurrentCell(0, kNameColumn);
  }
  WatchFocusLoss(StringGrid1);
  connect(StringGrid1, &QTableWidget::currentCellChanged, this,
          [this](int row, int column) { StringGrid1CurrentCellChanged(row, column); });
  connect(StringGrid1, &QTableWidget::cellClicked, this, [this] {
    if (!ComboBox1->isVisible()) StringGrid1Click();
  });

  for (int i = 1; i <= kMaxDocumentFields; ++i) {
    cbEdt[i] = new CellCheckBox(panel1);
    cbEdt[i]->setObjectName(QStringLiteral("cbEdt%1").arg(i));
    connect(cbEdt[i], &QCheckBox::clicked, this, [this, i](bool ticked) { cbEdtClick(i, ticked); });
    cbRst[i] = new CellCheckBox(panel1);
    cbRst[i]->setObjectName(QStringLiteral("cbRst%1").arg(i));
    connect(cbRst[i], &QCheckBox::clicked, this, [this, i](bool ticked) { cbRstClick(i, ticked); });
    // Tab reaches only the current row's boxes, as stops of the grid.
    for (QCheckBox* box : {cbEdt[i], cbRst[i]}) {
      box->setFocusPolicy(Qt::ClickFocus);
      box->installEventFilter(this);
    }
  }
  PlaceCheckBoxes();
}

void TForm1::CreatePropertyPanel(QWidget* panel2) {
  AddLabel(panel2, "Свойства поля:", 10, 3, true);
  AddLabel(panel2, "Размер числа", 10, 24);
  edtFieldSize = MakeBox(panel2, "edtFieldSize", 20);
  AddLabel(panel2, "Размер поля", 10, 46);
  edtMaxSize = MakeBox(panel2, "edtMaxSize", 42);
  edtMaxSize->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edtMaxSize));
  AddLabel(panel2, "Критерии поиска", 10, 66);
  AddLabel(panel2, "Только цифры", 32, 85);
  cbNumbers = MakeSelector(panel2, "cbNumbers", "Нет", "Да", 81);
  AddLabel(panel2, "Регистр букв", 32, 107);
  cbLetterCase = MakeSelector(panel2, "cbLetterCase", "любой", "верхний", 103);
  AddLabel(panel2, "Процедура поиска", 10, 127);
  AddLabel(panel2, "Регистр букв", 32, 146);
  cbCaseSence = MakeSelector(panel2, "cbCaseSence", "учитывать", "не учитывать", 142);
  AddLabel(panel2, "Поиск", 32, 168);
  cbSeach = MakeSelector(panel2, "cbSeach", "по началу", "в строке", 164);

  for (QWidget* control : {static_cast<QWidget*>(edtFieldSize), static_cast<QWidget*>(edtMaxSize),
                           static_cast<QWidget*>(cbNumbers), static_cast<QWidget*>(cbLetterCase),
                           static_cast<QWidget*>(cbCaseSence), static_cast<QWidget*>(cbSeach)}) {
    WatchFocusLoss(control);
  }
  for (QComboBox* selector : {cbNumbers, cbLetterCase, cbCaseSence, cbSeach}) {
    selector->lineEdit()->installEventFilter(this);
  }
}

// The check boxes lie over the cells of "Ред." and "Рез.": left at the grid's left + the cell's
// left + half the cell's width - 4, top at the grid's top + the cell's top + 5, the cell counted
// within the grid's border.
void TForm1::PlaceCheckBoxes() {
  const int heading = StringGrid1->horizontalHeader()->height();
  for (int i = 1; i <= kMaxDocumentFields; ++i) {
    const int top = StringGrid1->y() + heading + StringGrid1->rowViewportPosition(i - 1) + 5;
    for (int column : {3, 4}) {
      QCheckBox* box = column == 3 ? cbEdt[i] : cbRst[i];
      const int left = StringGrid1->x() + StringGrid1->columnViewportPosition(column) +
                       kColumnWidths[column] / 2 - 4;
      box->setGeometry(left, top, 13, 13);
      box->raise();
    }
  }
}

QString TForm1::CellText(int column, int row) const {
  const QTableWidgetItem* item = StringGrid1->item(row - 1, column);
  return item ? item->text() : QString();
}

void TForm1::FillFieldGrid() {
  const int rows =
      doc_.FieldCount > 0 ? std::min(doc_.FieldCount, kMaxDocumentFields) : kMaxDocumentFields;
  StringGrid1->setRowCount(rows);
  for (int row = 1; row <= rows; ++row) {
    for (int column = 0; column < 6; ++column) {
      auto* item = new QTableWidgetItem();
      Qt::ItemFlags flags = Qt::NoItemFlags;
      if (column == kNameColumn)
        flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
      if (column == kTypeColumn) flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
      item->setFlags(flags);
      if (column == 0) item->setBackground(palette().button());
      StringGrid1->setItem(row - 1, column, item);
    }
    if (doc_.FieldCount <= 0) continue;
    const designer::TFieldDesc& field = doc_.Fields[row];
    StringGrid1->item(row - 1, kNameColumn)->setText(FromDocument(field.Name));
    StringGrid1->item(row - 1, kTypeColumn)->setText(TypeText(field.DataType));
    StringGrid1->item(row - 1, kSampleColumn)->setText(FromDocument(doc_.SampleValues[1][row]));
  }
}

void TForm1::DocumentLoaded() {
  HideTypeBox();
  FillFieldGrid();
  for (int i = 1; i <= kMaxDocumentFields; ++i) {
    const bool shown = doc_.BoxesShown[i] && i <= doc_.FieldCount;
    cbEdt[i]->setChecked(doc_.QueryBoxTicked[i]);
    cbRst[i]->setChecked(doc_.ResultBoxTicked[i]);
    cbEdt[i]->setVisible(shown);
    cbRst[i]->setVisible(shown);
  }
  preview_->DrawInputFields();
  {
    const QSignalBlocker quiet(StringGrid1);
    StringGrid1->setCurrentCell(0, kNameColumn);
  }
  StringGrid1SelectCell(kNameColumn, 1);
  StringGrid1->viewport()->update();
  saved_state_ = CurrentState();
}

int TForm1::SelectedField() const {
  const int row = StringGrid1->currentRow() + 1;
  return doc_.FieldCount > 0 && row >= 1 && row <= doc_.FieldCount ? row : 0;
}

// The grid made cell (column, qt_row) current, by a click, a key or the program.
void TForm1::StringGrid1CurrentCellChanged(int qt_row, int column) {
  if (qt_row < 0 || column < 0) return;
  StringGrid1SelectCell(column, qt_row + 1);
  StringGrid1Click();
}

bool TForm1::StringGrid1SelectCell(int column, int row) {
  if (column >= kFirstUnselectableColumn) return false;
  ShowField(row);
  if (column == kTypeColumn && row >= 1) {
    const int heading = StringGrid1->horizontalHeader()->height();
    const int left = StringGrid1->x() + StringGrid1->columnViewportPosition(column) + 1;
    const int top = StringGrid1->y() + heading + StringGrid1->rowViewportPosition(row - 1) + 1;
    ComboBox1->setGeometry(left, top, kColumnWidths[column] + 1, kRowHeight + 1);
    ComboBox1->setCurrentIndex(CellText(column, row) == QString::fromUtf8(kTextType) ? 0 : 1);
    ComboBox1->show();
    ComboBox1->raise();
    ComboBox1->setFocus(Qt::OtherFocusReason);
  }
  return true;
}

void TForm1::StringGrid1Click() {
  const int column = StringGrid1->currentColumn();
  const int row = StringGrid1->currentRow();
  if (column == kNameColumn && row >= 0) {
    StringGrid1->editItem(StringGrid1->item(row, column));
  } else if (column == kTypeColumn && row >= 0) {
    StringGrid1SelectCell(kTypeColumn, row + 1);
    ComboBox1->showPopup();
  }
  StringGrid1->viewport()->update();
}

bool TForm1::FocusedGridStop(int* stop, int* row) const {
  const QWidget* focused = QApplication::focusWidget();
  if (focused == nullptr) return false;
  for (int i = 1; i <= kMaxDocumentFields; ++i) {
    if (focused == cbEdt[i] || focused == cbRst[i]) {
      *stop = focused == cbEdt[i] ? kQueryBoxStop : kResultBoxStop;
      *row = i;
      return true;
    }
  }
  *row = StringGrid1->currentRow() + 1;
  if (IsWithin(ComboBox1, focused)) {
    *stop = kTypeStop;
  } else if (IsWithin(StringGrid1, focused)) {
    *stop = StringGrid1->currentColumn() == kTypeColumn ? kTypeStop : kNameStop;
  } else {
    return false;
  }
  return *row >= 1;
}

void TForm1::StepInFieldGrid(int stop, int row, bool forward) {
  ComboBox1Exit();  // the type box takes its choice when the focus steps away from it
  const int step = forward ? 1 : -1;
  for (int next = stop + step; next >= 0 && next < kGridStops; next += step) {
    if (EnterGridStop(next, row, forward)) return;
  }
  LeaveFieldGrid(forward);
}

bool TForm1::EnterGridStop(int stop, int row, bool forward) {
  const Qt::FocusReason reason = forward ? Qt::TabFocusReason : Qt::BacktabFocusReason;
  if (stop == kQueryBoxStop || stop == kResultBoxStop) {
    QCheckBox* box = stop == kQueryBoxStop ? cbEdt[row] : cbRst[row];
    if (!box->isVisible()) return false;
    box->setFocus(reason);
    return true;
  }
  // Without a document the type box would only write a type into an empty row.
  if (stop == kTypeStop && doc_.FieldCount <= 0) return false;
  // A move of the current cell runs the click rule, which opens the cell's editor or type box.
  const int column = stop == kNameStop ? kNameColumn : kTypeColumn;
  StringGrid1->setFocus(reason);
  if (StringGrid1->currentRow() == row - 1 && StringGrid1->currentColumn() == column) {
    StringGrid1Click();
  } else {
    StringGrid1->setCurrentCell(row - 1, column);
  }
  return true;
}

void TForm1::LeaveFieldGrid(bool forward) {
  ComboBox1Exit();
  StringGrid1->setFocus(Qt::OtherFocusReason);
  QMainWindow::focusNextPrevChild(forward);
}

bool TForm1::focusNextPrevChild(bool next) {
  int stop = 0;
  int row = 0;
  if (FocusedGridStop(&stop, &row)) {
    StepInFieldGrid(stop, row, next);
    return true;
  }
  if (!QMainWindow::focusNextPrevChild(next)) return false;
  if (FocusedGridStop(&stop, &row)) {
    // Into the grid: forward at the row's name (not yet edited), backward at its last stop.
    if (next) {
      const QSignalBlocker quiet(StringGrid1);
      StringGrid1->setCurrentCell(row - 1, kNameColumn);
      StringGrid1->viewport()->update();
    } else {
      StepInFieldGrid(kGridStops, row, false);
    }
  }
  return true;
}

bool TForm1::FieldGridTabKey(QObject* watched, const QKeyEvent* key) {
  if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) return false;
  const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
  const bool leave = key->modifiers() & Qt::ControlModifier;
  int stop = 0;
  int row = 0;
  if (!FocusedGridStop(&stop, &row)) return false;
  if (watched == ComboBox1->view()) {
    // The dropped list swallows Tab: it takes the highlighted type and the focus moves on.
    const int highlighted = ComboBox1->view()->currentIndex().row();
    ComboBox1->hidePopup();
    if (highlighted >= 0) ComboBox1->setCurrentIndex(highlighted);
  } else if (!leave) {
    return false;  // plain Tab reaches focusNextPrevChild
  }
  if (leave) {
    LeaveFieldGrid(forward);
  } else {
    StepInFieldGrid(stop, row, forward);
  }
  return true;
}

void TForm1::StringGrid1SetEditText(const QString& text) {
  const int field = SelectedField();
  if (field == 0) return;
  doc_.Fields[field].Name = designer::CutName(ToDocument(text));
  preview_->DrawInputFields();
}

void TForm1::StringGrid1Exit() {
  const int field = SelectedField();
  if (field == 0) return;
  doc_.Fields[field].Name = designer::CutName(ToDocument(CellText(kNameColumn, field)));
}

void TForm1::ComboBox1Change(int index) {
  if (index < 0) return;
  ComboBox1Exit();
}

void TForm1::ComboBox1Exit() {
  if (!ComboBox1->isVisible() || hiding_type_box_) return;
  const int row = StringGrid1->currentRow();
  if (QTableWidgetItem* cell = StringGrid1->item(row, kTypeColumn)) {
    cell->setText(ComboBox1->currentText());
  }
  const int field = SelectedField();
  HideTypeBox();
  if (field != 0) ChangeFieldType(field, ComboBox1->currentIndex() == 1);
}

void TForm1::HideTypeBox() {
  if (!ComboBox1->isVisible() || hiding_type_box_) return;
  // The focus goes back to the grid before the box disappears, so that it passes through no
  // other control (which would commit).
  hiding_type_box_ = true;
  StringGrid1->setFocus(Qt::OtherFocusReason);
  ComboBox1->hide();
  hiding_type_box_ = false;
}

// The type the user sees is the type saved: a field made numeric gets the number size that
// holds any value (the samples are only the first records), a text field none.
void TForm1::ChangeFieldType(int field, bool numeric) {
  designer::TFieldDesc& desc = doc_.Fields[field];
  const std::uint8_t data_type = numeric ? designer::kTypeNumeric : designer::kTypeText;
  if (desc.DataType == data_type) return;
  desc.DataType = data_type;
  if (!numeric) {
    desc.NumSize = 0;
    edtFieldSize->setText(QStringLiteral("N/A"));
    return;
  }
  desc.NumSize = kLargestNumSize;  // holds every value of the 32-bit range
  edtFieldSize->setText(QString::number(desc.NumSize));

  const int samples = std::min(doc_.RecordCount, designer::kSampleRecords);
  for (int record = 1; record <= samples; ++record) {
    if (!IsNumber(doc_.SampleValues[record][field])) {
      dialogs_->ShowMessage(
          MessageKind::kWarning,
          QString::fromUtf8("Не все примеры данных поля \"%1\" - целые числа: при экспорте такие "
                            "значения сохранятся неверно (значение без цифр - как 0).")
              .arg(FromDocument(desc.Name)));
      return;
    }
  }
}

void TForm1::ShowField(int field) {
  if (field < 1 || field > designer::kFieldTableSize) return;
  const designer::TFieldDesc& desc = doc_.Fields[field];
  edtFieldSize->setText(desc.DataType == designer::kTypeText ? QStringLiteral("N/A")
                                                             : QString::number(desc.NumSize));
  edtMaxSize->setText(QString::number(desc.MaxLen));
  cbNumbers->setCurrentIndex(desc.Flags & designer::kFlagDigitsOnly ? 1 : 0);
  cbLetterCase->setCurrentIndex(desc.Flags & designer::kFlagUpperCase ? 1 : 0);
  cbSeach->setCurrentIndex(desc.Flags & designer::kFlagSearchWithin ? 1 : 0);
  cbCaseSence->setCurrentIndex(desc.Flags & designer::kFlagIgnoreCase ? 1 : 0);
  preview_->ShowFieldWidths(field);
}

void TForm1::SelectorExit(QComboBox* selector) {
  ResolveSelectorText(selector);
  ReportStatus(SaveField());
}

void TForm1::ResolveSelectorText(QComboBox* selector) {
  const int index = selector->findText(selector->currentText(), Qt::MatchFixedString);
  if (index >= 0) {
    selector->setCurrentIndex(index);
    selector->setEditText(selector->itemText(index));
  } else {
    selector->setEditText(
        selector->currentIndex() >= 0 ? selector->itemText(selector->currentIndex()) : QString());
  }
}

void TForm1::SelectorDblClick(QComboBox* selector) {
  const int index = selector->currentIndex();
  if (index == 0 || index == 1) selector->setCurrentIndex(1 - index);
}

Status TForm1::SaveField() {
  const int field = SelectedField();
  if (doc_.FieldCount <= 0 || field == 0) return Status::Ok();
  designer::TFieldDesc& desc = doc_.Fields[field];
  desc.Name = designer::CutName(ToDocument(CellText(kNameColumn, field)));
  if (desc.DataType == designer::kTypeNumeric) {
    std::int32_t size = 0;
    Status read = ReadNumberBox(edtFieldSize->text(), "Размер числа", kSmallestNumSize,
                                kLargestNumSize, &size);
    if (!read.ok()) return read;
    desc.NumSize = static_cast<std::uint8_t>(size);
  } else {
    desc.NumSize = 0;
  }
  std::int32_t max_len = 0;
  Status read = ReadNumberBox(edtMaxSize->text(), "Размер поля", 0, kMaxLength, &max_len);
  if (!read.ok()) return read;
  desc.MaxLen = max_len;
  const auto bit = [](const QComboBox* selector) { return selector->currentIndex() & 1; };
  desc.Flags = static_cast<std::uint8_t>(bit(cbNumbers) | bit(cbLetterCase) << 1 |
                                         bit(cbSeach) << 2 | bit(cbCaseSence) << 3);
  return Status::Ok();
}

void TForm1::edtMaxSizeExit() { ReportStatus(CommitMaxSize()); }

Status TForm1::CommitMaxSize() {
  std::int32_t max_len = 0;
  Status read = ReadNumberBox(edtMaxSize->text(), "Размер поля", 0, kMaxLength, &max_len);
  if (!read.ok()) return read;
  const int field = SelectedField();
  if (field == 0) return Status::Ok();
  doc_.Fields[field].MaxLen = max_len;
  preview_->DrawInputFields();
  return Status::Ok();
}

Status TForm1::CommitFocusedControl() {
  const QWidget* focused = QApplication::focusWidget();
  if (!focused) return Status::Ok();
  if (focused == edtMaxSize) return CommitMaxSize();
  if (focused == edtFieldSize) return SaveField();
  for (QComboBox* selector : {cbNumbers, cbLetterCase, cbCaseSence, cbSeach}) {
    if (focused == selector || selector->isAncestorOf(focused)) {
      ResolveSelectorText(selector);
      return SaveField();
    }
  }
  if (focused == ComboBox1) ComboBox1Exit();
  return Status::Ok();
}

void TForm1::cbEdtClick(int row, bool ticked) {
  doc_.SetQueryBox(row, ticked);
  preview_->DrawInputFields();
}

void TForm1::cbRstClick(int row, bool ticked) {
  doc_.SetResultBox(row, ticked);
  preview_->DrawInputFields();
}
