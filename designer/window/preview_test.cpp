#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>
#include <memory>
#include <string>

#include "common/codepage.h"
#include "designer/window/handheld_preview.h"
#include "handheld/screen_pictures.h"
#include "window_common/test/type_keys.h"

namespace designer {

namespace {

using window_common::TypeKeys;

class FakeHost : public PreviewHost {
 public:
  int SelectedField() const override { return selected; }
  void PreviewDatabaseNameEdited(const QString& name) override { typed_names << name; }
  void ShowPreviewMessage(const PreviewMessage& message) override { messages << message; }

  int selected = 1;
  QStringList typed_names;
  QList<PreviewMessage> messages;
};

// Field 1 "A", 2 "B", 3 "Фамилия" (stored as Windows-1251), all ticked in both lists at 1, 2, 3,
// each with its own widths and sample values "<name> <record>".
Document ThreeFields() {
  Document doc;
  doc.FieldCount = 3;
  const std::string names[] = {"", "A", "B", *codepage::Utf8ToCp1251("Фамилия")};
  for (int k = 1; k <= 3; ++k) {
    doc.Fields[k].Name = names[k];
    doc.Fields[k].EditWidth = 50 + k;
    doc.Fields[k].ResultWidth = 40 + k;
    doc.Fields[k].ResultIndex = static_cast<std::uint8_t>(k);
    doc.SetQueryBox(k, true);
    doc.SetResultBox(k, true);
    for (int r = 1; r <= kSampleRecords; ++r) {
      doc.SampleValues[r][k] = names[k] + " " + std::to_string(r);
    }
  }
  return doc;
}

}  // namespace

class PreviewTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();

  void StartStateBeforeAnyDocument();
  void DocumentWithoutFieldsShowsNoRowsOrColumns();
  void QueryTicksPlaceRowsAndOrderList();
  void OrderListMovesByButtonsAndArrowKeys();
  void OrderListIgnoresImpossibleMoves();
  void ResultTicksShowAndHideTheList();
  void EdgeDragStaysWithinLimits();
  void EdgeDragFollowsTheFieldShownInTheRow();
  void ResultColumnMoveExchangesPositions();
  void ResultColumnDraggedFarIsRebuiltFromTheModel();
  void ResultColumnResizeIsTakenOnRelease();
  void WidthBoxesTakeWidthsTheDatabaseHoldsAndRefuseOthers();
  void KeyClosingTheWidthErrorIsNoTyping_data();
  void KeyClosingTheWidthErrorIsNoTyping();
  void NameBoxMirrorsOnlyTypedText();
  void ClockShowsHoursAndMinutes();
  void PictureAreasShowTheMessageOrClear();

 private:
  template <typename T>
  T* Find(const char* name) const {
    T* widget = lower_page_->findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) qFatal("no widget %s", name);
    return widget;
  }
  QStringList OrderEntries() const;
  QStringList Headings() const;
  QString Sample(int row, int column) const;
  void SelectOrderEntry(int row);
  void Load(const Document& doc);

  std::unique_ptr<QWidget> lower_page_;
  Document doc_;
  FakeHost host_;
  HandheldPreview* preview_ = nullptr;
};

void PreviewTest::init() {
  doc_ = Document{};
  host_ = FakeHost{};
  lower_page_ = std::make_unique<QWidget>();
  lower_page_->resize(763, 361);
  preview_ = new HandheldPreview(lower_page_.get(), doc_, host_);
  lower_page_->show();
  QVERIFY(QTest::qWaitForWindowExposed(lower_page_.get()));
}

void PreviewTest::cleanup() { lower_page_.reset(); }

void PreviewTest::Load(const Document& doc) {
  doc_ = doc;
  preview_->DrawInputFields();
}

QStringList PreviewTest::OrderEntries() const {
  QStringList entries;
  auto* list = Find<QListWidget>("inputOrder");
  for (int i = 0; i < list->count(); ++i) entries << list->item(i)->text();
  return entries;
}

QStringList PreviewTest::Headings() const {
  QStringList headings;
  auto* grid = Find<QTableWidget>("resultList");
  for (int c = 0; c < grid->columnCount(); ++c) {
    const QTableWidgetItem* item =
        grid->horizontalHeaderItem(grid->horizontalHeader()->logicalIndex(c));
    headings << (item != nullptr ? item->text() : QString());
  }
  return headings;
}

QString PreviewTest::Sample(int row, int column) const {
  auto* grid = Find<QTableWidget>("resultList");
  const QTableWidgetItem* item =
      grid->item(row - 1, grid->horizontalHeader()->logicalIndex(column));
  return item != nullptr ? item->text() : QString();
}

void PreviewTest::SelectOrderEntry(int row) {
  auto* list = Find<QListWidget>("inputOrder");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
  QCOMPARE(list->currentRow(), row);
}

void PreviewTest::StartStateBeforeAnyDocument() {
  // Both screens show their picture inside their frame.
  for (const char* picture : {"queryPicture", "resultPicture"}) {
    const auto* label = Find<QLabel>(picture);
    QCOMPARE(label->pixmap().size(), QSize(handheld::kScreenWidth, handheld::kScreenHeight));
    QCOMPARE(label->geometry(), QRect(1, 1, handheld::kScreenWidth, handheld::kScreenHeight));
  }
  for (int row = 1; row <= 5; ++row) {
    const QByteArray n = QByteArray::number(row);
    QCOMPARE(Find<QLabel>("inputLabel" + n)->text(), QString::number(row));
    auto* box = Find<QLineEdit>("inputBox" + n);
    QVERIFY(box->isVisible());
    QCOMPARE(box->width(), 138);
  }
  QCOMPARE(Find<QListWidget>("inputOrder")->count(), 0);
  auto* grid = Find<QTableWidget>("resultList");
  QVERIFY(grid->isVisible());
  QCOMPARE(grid->columnCount(), 5);
  QCOMPARE(grid->columnWidth(0), 64);
  QCOMPARE(Find<QLineEdit>("queryWidth")->text(), QStringLiteral("0"));
  QCOMPARE(Find<QLineEdit>("resultWidth")->text(), QStringLiteral("0"));
  QCOMPARE(Find<QLabel>("clock")->text(), QStringLiteral("         "));
  QCOMPARE(Find<QWidget>("queryScreen")->geometry(), QRect(245, 18, 242, 322));
  QCOMPARE(Find<QWidget>("resultScreen")->geometry(), QRect(510, 18, 242, 322));
}

void PreviewTest::DocumentWithoutFieldsShowsNoRowsOrColumns() {
  Load(ThreeFields());
  Load(Document{});
  for (int row = 1; row <= 5; ++row) {
    const QByteArray n = QByteArray::number(row);
    QVERIFY(Find<QLabel>("inputLabel" + n)->isHidden());
    QVERIFY(Find<QLineEdit>("inputBox" + n)->isHidden());
  }
  QCOMPARE(Find<QListWidget>("inputOrder")->count(), 0);
  QVERIFY(Find<QTableWidget>("resultList")->isHidden());
}

void PreviewTest::QueryTicksPlaceRowsAndOrderList() {
  Load(ThreeFields());
  QCOMPARE(Find<QLabel>("inputLabel3")->text(), QStringLiteral("Фамилия"));
  QCOMPARE(Find<QLineEdit>("inputBox3")->width(), 53);
  QVERIFY(Find<QLineEdit>("inputBox4")->isHidden());
  QVERIFY(Find<QLineEdit>("inputBox5")->isHidden());

  doc_.SetQueryBox(2, false);
  preview_->DrawInputFields();
  QCOMPARE(doc_.Fields[1].QueryIndex, 1);
  QCOMPARE(doc_.Fields[3].QueryIndex, 2);
  QCOMPARE(Find<QLabel>("inputLabel1")->text(), QStringLiteral("A"));
  QCOMPARE(Find<QLabel>("inputLabel2")->text(), QStringLiteral("Фамилия"));
  QCOMPARE(Find<QLineEdit>("inputBox2")->width(), 53);
  QVERIFY(Find<QLabel>("inputLabel3")->isHidden());
  QVERIFY(Find<QLineEdit>("inputBox3")->isHidden());
  QCOMPARE(OrderEntries(), (QStringList{"A: 1", "Фамилия: 3"}));
  QCOMPARE(Find<QListWidget>("inputOrder")->currentRow(), -1);

  doc_.SetQueryBox(2, true);
  preview_->DrawInputFields();
  QCOMPARE(doc_.Fields[2].QueryIndex, 3);
  QCOMPARE(Find<QLabel>("inputLabel3")->text(), QStringLiteral("B"));
  QVERIFY(!Find<QLineEdit>("inputBox3")->isHidden());
  QCOMPARE(OrderEntries(), (QStringList{"A: 1", "Фамилия: 3", "B: 2"}));

  // Typed text stays in its row when the fields are rearranged.
  QTest::keyClicks(Find<QLineEdit>("inputBox1"), QStringLiteral("x"));
  doc_.SetQueryBox(1, false);
  preview_->DrawInputFields();
  QCOMPARE(Find<QLabel>("inputLabel1")->text(), QStringLiteral("Фамилия"));
  QCOMPARE(Find<QLineEdit>("inputBox1")->text(), QStringLiteral("x"));
}

void PreviewTest::OrderListMovesByButtonsAndArrowKeys() {
  Load(ThreeFields());
  doc_.SetQueryBox(2, false);
  preview_->DrawInputFields();
  SelectOrderEntry(1);  // "Фамилия: 3"
  QTest::mouseClick(Find<QToolButton>("orderUp"), Qt::LeftButton);
  QCOMPARE(doc_.Fields[3].QueryIndex, 1);
  QCOMPARE(doc_.Fields[1].QueryIndex, 2);
  QCOMPARE(OrderEntries(), (QStringList{"Фамилия: 3", "A: 1"}));
  auto* list = Find<QListWidget>("inputOrder");
  QCOMPARE(list->currentRow(), 0);
  QVERIFY(list->hasFocus());
  QCOMPARE(Find<QLabel>("inputLabel1")->text(), QStringLiteral("Фамилия"));
  QCOMPARE(Find<QLabel>("inputLabel2")->text(), QStringLiteral("A"));

  // The arrow keys act as the buttons while the list has the focus.
  QTest::keyClick(list, Qt::Key_Down);
  QCOMPARE(OrderEntries(), (QStringList{"A: 1", "Фамилия: 3"}));
  QCOMPARE(list->currentRow(), 1);
  QTest::keyClick(list, Qt::Key_Up);
  QCOMPARE(OrderEntries(), (QStringList{"Фамилия: 3", "A: 1"}));
  QCOMPARE(list->currentRow(), 0);
}

void PreviewTest::OrderListIgnoresImpossibleMoves() {
  Load(ThreeFields());
  const auto positions = [this] {
    return QList<int>{doc_.Fields[1].QueryIndex, doc_.Fields[2].QueryIndex,
                      doc_.Fields[3].QueryIndex};
  };
  const QList<int> before = positions();
  QTest::mouseClick(Find<QToolButton>("orderUp"), Qt::LeftButton);  // nothing selected
  QTest::mouseClick(Find<QToolButton>("orderDown"), Qt::LeftButton);
  SelectOrderEntry(0);
  QTest::mouseClick(Find<QToolButton>("orderUp"), Qt::LeftButton);
  SelectOrderEntry(2);
  QTest::mouseClick(Find<QToolButton>("orderDown"), Qt::LeftButton);
  QTest::keyClick(Find<QListWidget>("inputOrder"), Qt::Key_Down);
  QCOMPARE(positions(), before);
  QCOMPARE(OrderEntries(), (QStringList{"A: 1", "B: 2", "Фамилия: 3"}));
}

void PreviewTest::ResultTicksShowAndHideTheList() {
  Load(ThreeFields());
  auto* grid = Find<QTableWidget>("resultList");
  QCOMPARE(Headings(), (QStringList{"A", "B", "Фамилия"}));
  QCOMPARE(grid->columnWidth(2), 43);
  QCOMPARE(Sample(1, 2), QStringLiteral("Фамилия 1"));
  QCOMPARE(Sample(9, 0), QStringLiteral("A 9"));

  for (int k = 1; k <= 3; ++k) doc_.SetResultBox(k, false);
  preview_->DrawInputFields();
  QVERIFY(grid->isHidden());

  doc_.SetResultBox(2, true);
  preview_->DrawInputFields();
  QVERIFY(!grid->isHidden());
  QCOMPARE(grid->columnCount(), 1);
  QCOMPARE(Headings(), (QStringList{"B"}));
  QCOMPARE(grid->columnWidth(0), 42);
  QCOMPARE(Sample(3, 0), QStringLiteral("B 3"));
}

void PreviewTest::EdgeDragStaysWithinLimits() {
  Load(ThreeFields());
  auto* box = Find<QLineEdit>("inputBox1");
  const int y = box->height() / 2;
  const int edge = box->width();  // 51

  QTest::mouseMove(box, QPoint(edge - 2, y));
  QCOMPARE(box->cursor().shape(), Qt::SizeHorCursor);
  QTest::mouseMove(box, QPoint(edge - 20, y));
  QCOMPARE(box->cursor().shape(), Qt::IBeamCursor);

  // A press more than four pixels left of the edge starts no drag.
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(edge - 6, y));
  QTest::mouseMove(box, QPoint(100, y));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(100, y));
  QCOMPARE(box->width(), 51);
  QCOMPARE(doc_.Fields[1].EditWidth, 51);

  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(edge - 1, y));
  QCOMPARE(box->cursor().shape(), Qt::SizeHorCursor);
  for (int x : {120, 174, 175, 260}) QTest::mouseMove(box, QPoint(x, y));
  QCOMPARE(box->width(), 174);
  QCOMPARE(doc_.Fields[1].EditWidth, 174);
  for (int x : {60, 10, 9, -30}) QTest::mouseMove(box, QPoint(x, y));
  QCOMPARE(box->width(), 10);
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(-30, y));
  QCOMPARE(doc_.Fields[1].EditWidth, 10);
  QCOMPARE(Find<QLineEdit>("queryWidth")->text(), QStringLiteral("10"));  // field 1 is selected

  // After the release a move with the button held again is no drag.
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(2, y));
  QTest::mouseMove(box, QPoint(80, y));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(80, y));
  QCOMPARE(doc_.Fields[1].EditWidth, 10);
}

void PreviewTest::EdgeDragFollowsTheFieldShownInTheRow() {
  Load(ThreeFields());
  SelectOrderEntry(2);
  QTest::mouseClick(Find<QToolButton>("orderUp"), Qt::LeftButton);
  QTest::mouseClick(Find<QToolButton>("orderUp"), Qt::LeftButton);
  QCOMPARE(Find<QLabel>("inputLabel1")->text(), QStringLiteral("Фамилия"));  // field 3 now in row 1
  host_.selected = 1;
  preview_->ShowFieldWidths(1);

  auto* box = Find<QLineEdit>("inputBox1");
  const int y = box->height() / 2;
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(box->width() - 1, y));
  QTest::mouseMove(box, QPoint(90, y));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(90, y));
  QCOMPARE(doc_.Fields[3].EditWidth, 90);
  QCOMPARE(doc_.Fields[1].EditWidth, 51);
  QCOMPARE(Find<QLineEdit>("queryWidth")->text(), QStringLiteral("51"));  // A's width stays shown

  host_.selected = 3;
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(box->width() - 1, y));
  QTest::mouseMove(box, QPoint(70, y));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(70, y));
  QCOMPARE(doc_.Fields[3].EditWidth, 70);
  QCOMPARE(Find<QLineEdit>("queryWidth")->text(), QStringLiteral("70"));
}

namespace {

// Drags the heading of `column` by the mouse until its middle lies at `to_x` in the header.
void DragHeading(QHeaderView* header, int column, int to_x) {
  QWidget* area = header->viewport();
  const int y = header->height() / 2;
  const QPoint from(header->sectionViewportPosition(header->logicalIndex(column)) +
                        header->sectionSize(header->logicalIndex(column)) / 2,
                    y);
  QTest::mousePress(area, Qt::LeftButton, {}, from);
  const int steps = 8;
  for (int i = 1; i <= steps; ++i) {
    QTest::mouseMove(area, QPoint(from.x() + (to_x - from.x()) * i / steps, y));
  }
  QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(to_x, y));
}

}  // namespace

void PreviewTest::ResultColumnMoveExchangesPositions() {
  Load(ThreeFields());
  auto* grid = Find<QTableWidget>("resultList");
  QHeaderView* header = grid->horizontalHeader();
  // Column 1 (A, 41 px) onto column 2 (B, 42 px).
  DragHeading(header, 0, header->sectionViewportPosition(1) + 30);
  QCOMPARE(doc_.Fields[1].ResultIndex, 2);
  QCOMPARE(doc_.Fields[2].ResultIndex, 1);
  QCOMPARE(doc_.Fields[3].ResultIndex, 3);
  QCOMPARE(Headings(), (QStringList{"B", "A", "Фамилия"}));
  QCOMPARE(grid->columnWidth(0), 42);
  QCOMPARE(grid->columnWidth(1), 41);
  QCOMPARE(Sample(1, 0), QStringLiteral("B 1"));
  QCOMPARE(Sample(1, 1), QStringLiteral("A 1"));
  // The widths were not changed by the drag's release.
  QCOMPARE(doc_.Fields[1].ResultWidth, 41);
}

void PreviewTest::ResultColumnDraggedFarIsRebuiltFromTheModel() {
  Load(ThreeFields());
  auto* grid = Find<QTableWidget>("resultList");
  QHeaderView* header = grid->horizontalHeader();
  // Column 1 dragged past B onto the third column: only A and Фамилия exchange positions, and
  // the list shows exactly that, samples included, so it shows what will be saved.
  DragHeading(header, 0, header->sectionViewportPosition(2) + 30);
  QCOMPARE(doc_.Fields[1].ResultIndex, 3);
  QCOMPARE(doc_.Fields[2].ResultIndex, 2);
  QCOMPARE(doc_.Fields[3].ResultIndex, 1);
  QCOMPARE(Headings(), (QStringList{"Фамилия", "B", "A"}));
  QCOMPARE(grid->columnWidth(0), 43);
  QCOMPARE(grid->columnWidth(2), 41);
  QCOMPARE(Sample(2, 0), QStringLiteral("Фамилия 2"));
  QCOMPARE(Sample(2, 1), QStringLiteral("B 2"));
  QCOMPARE(Sample(2, 2), QStringLiteral("A 2"));
  for (int c = 0; c < header->count(); ++c) QCOMPARE(header->visualIndex(c), c);
}

void PreviewTest::ResultColumnResizeIsTakenOnRelease() {
  Load(ThreeFields());
  host_.selected = 2;
  QHeaderView* header = Find<QTableWidget>("resultList")->horizontalHeader();
  QWidget* area = header->viewport();
  const int y = header->height() / 2;
  const int border = header->sectionViewportPosition(1) + header->sectionSize(1) - 1;  // B's edge
  QTest::mousePress(area, Qt::LeftButton, {}, QPoint(border, y));
  for (int dx = 5; dx <= 25; dx += 5) QTest::mouseMove(area, QPoint(border + dx, y));
  QCOMPARE(doc_.Fields[2].ResultWidth, 42);  // nothing taken before the release
  QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(border + 25, y));
  QCOMPARE(header->sectionSize(1), 67);
  QCOMPARE(doc_.Fields[2].ResultWidth, 67);
  QCOMPARE(Find<QLineEdit>("resultWidth")->text(), QStringLiteral("67"));
  QCOMPARE(doc_.Fields[1].ResultWidth, 41);
}

void PreviewTest::WidthBoxesTakeWidthsTheDatabaseHoldsAndRefuseOthers() {
  Load(ThreeFields());
  host_.selected = 1;
  preview_->ShowFieldWidths(1);
  auto* width = Find<QLineEdit>("queryWidth");
  QCOMPARE(width->text(), QStringLiteral("51"));
  width->setFocus();
  width->selectAll();
  QTest::keyClicks(width, QStringLiteral("0"));
  QCOMPARE(doc_.Fields[1].EditWidth, 0);
  QCOMPARE(Find<QLineEdit>("inputBox1")->width(), 0);
  QTest::keyClicks(width, QStringLiteral("7x5"));  // the letter never gets in
  QCOMPARE(width->text(), QStringLiteral("075"));
  QCOMPARE(doc_.Fields[1].EditWidth, 75);
  QVERIFY(host_.messages.isEmpty());

  // Deleting digit by digit takes each number left ("07", "0"); the emptied box is no number:
  // the field keeps its width and the user is told.
  QTest::keyClick(width, Qt::Key_End);
  for (int i = 0; i < 3; ++i) QTest::keyClick(width, Qt::Key_Backspace);
  QCOMPARE(doc_.Fields[1].EditWidth, 0);
  QCOMPARE(host_.messages.size(), 1);
  QCOMPARE(host_.messages.last().kind, PreviewMessage::Kind::kFailure);
  QCOMPARE(host_.messages.last().text, QString::fromUtf8("Ширина запроса: «» — не целое число"));

  // A number beyond 32 bits is no number either.
  width->setText(QStringLiteral("99999999999"));
  QTest::keyClick(width, Qt::Key_Shift);
  QCOMPARE(host_.messages.last().text,
           QString::fromUtf8("Ширина запроса: «99999999999» — не целое число"));
  QCOMPARE(doc_.Fields[1].EditWidth, 0);

  // Leaving the box takes its number too.
  auto* result_width = Find<QLineEdit>("resultWidth");
  width->setText(QStringLiteral("33"));
  result_width->setFocus();
  QCOMPARE(doc_.Fields[1].EditWidth, 33);
  QTest::keyClicks(result_width, QStringLiteral("9"));
  QCOMPARE(doc_.Fields[1].ResultWidth, 419);
  QCOMPARE(Find<QTableWidget>("resultList")->columnWidth(0), 419);

  // The table database holds widths up to 65535: that one is taken, a larger or negative one is
  // refused with the range, and the box goes back to the stored width.
  result_width->setText(QStringLiteral("65535"));
  QTest::keyClick(result_width, Qt::Key_Shift);
  QCOMPARE(doc_.Fields[1].ResultWidth, 65535);
  QCOMPARE(Find<QTableWidget>("resultList")->columnWidth(0), 65535);
  QCOMPARE(Find<QTableWidget>("resultList")->columnWidth(1), 42);
  const qsizetype before = host_.messages.size();
  for (const char* refused : {"65536", "2147483647", "-1"}) {
    result_width->setText(QString::fromLatin1(refused));
    QTest::keyClick(result_width, Qt::Key_Shift);
    QCOMPARE(host_.messages.last().kind, PreviewMessage::Kind::kFailure);
    QCOMPARE(host_.messages.last().text,
             QStringLiteral("Ширина результата: допустимы значения от 0 до 65535."));
    QCOMPARE(doc_.Fields[1].ResultWidth, 65535);
    QCOMPARE(result_width->text(), QStringLiteral("65535"));
  }
  width->setFocus();
  QCOMPARE(host_.messages.size(), before + 3);  // leaving the restored box says nothing more
  width->setText(QStringLiteral("70000"));
  QTest::keyClick(width, Qt::Key_Shift);
  QCOMPARE(host_.messages.last().text,
           QStringLiteral("Ширина запроса: допустимы значения от 0 до 65535."));
  QCOMPARE(doc_.Fields[1].EditWidth, 33);
  QCOMPARE(width->text(), QStringLiteral("33"));

  // Nothing is taken while no field is selected.
  host_.selected = 0;
  result_width->setText(QStringLiteral("5"));
  QTest::keyClick(result_width, Qt::Key_Shift);
  QCOMPARE(doc_.Fields[1].ResultWidth, 65535);
}

void PreviewTest::KeyClosingTheWidthErrorIsNoTyping_data() {
  QTest::addColumn<QByteArray>("box");
  QTest::addColumn<int>("key");
  QTest::newRow("Enter, Запроса") << QByteArray("queryWidth") << int(Qt::Key_Return);
  QTest::newRow("Esc, Запроса") << QByteArray("queryWidth") << int(Qt::Key_Escape);
  QTest::newRow("Enter, Результата") << QByteArray("resultWidth") << int(Qt::Key_Enter);
  QTest::newRow("Esc, Результата") << QByteArray("resultWidth") << int(Qt::Key_Escape);
}

// The message box takes the key's press and closes; its release lands in the emptied box.
void PreviewTest::KeyClosingTheWidthErrorIsNoTyping() {
  QFETCH(QByteArray, box);
  QFETCH(int, key);
  Load(ThreeFields());
  auto* width = Find<QLineEdit>(box.constData());
  width->setFocus();
  width->selectAll();
  QTest::keyClick(width, Qt::Key_Backspace);
  QCOMPARE(host_.messages.size(), 1);
  QTest::keyRelease(width, static_cast<Qt::Key>(key));
  QCOMPARE(host_.messages.size(), 1);
  // Typing goes on as before.
  TypeKeys(width, QStringLiteral("8"));
  QCOMPARE(host_.messages.size(), 1);
  QCOMPARE(box == "queryWidth" ? doc_.Fields[1].EditWidth : doc_.Fields[1].ResultWidth, 8);
}

void PreviewTest::NameBoxMirrorsOnlyTypedText() {
  auto* name = Find<QLineEdit>("queryDatabaseName");
  preview_->SetDatabaseName(QStringLiteral("Телефоны"));
  QCOMPARE(name->text(), QStringLiteral("Телефоны"));
  QVERIFY(host_.typed_names.isEmpty());
  name->clear();
  TypeKeys(name, QStringLiteral("Тел"));
  QCOMPARE(host_.typed_names, (QStringList{"Т", "Те", "Тел"}));
}

void PreviewTest::ClockShowsHoursAndMinutes() {
  auto* clock = Find<QLabel>("clock");
  QTime now(9, 5, 30);
  preview_->SetClock([&now] { return now; });
  QTRY_COMPARE_WITH_TIMEOUT(clock->text(), QStringLiteral("09:05"), 2500);
  now = QTime(21, 40, 0);
  QTRY_COMPARE_WITH_TIMEOUT(clock->text(), QStringLiteral("21:40"), 2500);
}

void PreviewTest::PictureAreasShowTheMessageOrClear() {
  Load(ThreeFields());
  for (const char* area : {"findArea", "queryTabBar", "resultTabBar"}) {
    QTest::mousePress(Find<QWidget>(area), Qt::RightButton);
  }
  QCOMPARE(host_.messages.size(), 3);
  for (const PreviewMessage& message : host_.messages) {
    QCOMPARE(message.kind, PreviewMessage::Kind::kPlain);
    QCOMPARE(message.caption, QStringLiteral("К размышлению"));
    QCOMPARE(message.text, QStringLiteral("В разработке.\n\nПока работает только на КПК!"));
  }
  QCOMPARE(Find<QWidget>("resultTabBar")->cursor().shape(), Qt::ForbiddenCursor);

  TypeKeys(Find<QLineEdit>("inputBox1"), QStringLiteral("Иванов"));
  QTest::keyClicks(Find<QLineEdit>("inputBox3"), QStringLiteral("12"));
  QTest::mousePress(Find<QWidget>("clearArea"), Qt::LeftButton);
  QCOMPARE(Find<QLineEdit>("inputBox1")->text(), QString());
  QCOMPARE(Find<QLineEdit>("inputBox3")->text(), QString());
  QCOMPARE(host_.messages.size(), 3);
}

}  // namespace designer

QTEST_MAIN(designer::PreviewTest)
#include "preview_test.moc"
