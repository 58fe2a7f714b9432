// The viewer driven through its widgets on the offscreen platform, its dialogs answered by the
// test.
#include "viewer/window/viewer_window.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGraphicsView>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>

#include "builder/convert/run_conversion.h"
#include "common/codepage.h"
#include "common/test/cp1251.h"
#include "designer/model/document.h"
#include "window_common/test/type_keys.h"

namespace viewer {
namespace {

using window_common::TypeKeys;

using testing_support::Cp;

class ScriptedDialogs : public ViewerDialogs {
 public:
  std::optional<QString> ChooseResultsFile(const QString& suggested) override {
    suggestions << suggested;
    return results_file;
  }
  std::optional<QString> ChooseBook(const QString&) override {
    if (chosen.empty()) return std::nullopt;
    const QString path = chosen.front();
    chosen.pop_front();
    return path;
  }
  void ShowFailure(const QString& text) override { failures << text; }
  void ShowMessage(const QString& text) override { messages << text; }

  std::deque<QString> chosen;
  std::optional<QString> results_file;  // none: cancelled
  QStringList suggestions;
  QStringList failures;
  QStringList messages;
};

Book AppendAll(BookLayout layout, const std::vector<std::vector<const char*>>& records) {
  Book book(std::move(layout));
  for (const auto& record : records) {
    std::vector<std::string> values;
    for (const char* value : record) values.push_back(Cp(value));
    const std::vector<std::string_view> views(values.begin(), values.end());
    book.Append(views);
  }
  return book;
}

BookField Field(const char* name, int flags, int query, int result, int detail) {
  BookField field;
  field.name = Cp(name);
  field.flags = static_cast<std::uint8_t>(flags);
  field.query_index = static_cast<std::uint8_t>(query);
  field.result_index = static_cast<std::uint8_t>(result);
  field.detail_index = static_cast<std::uint8_t>(detail);
  field.edit_width = 40 + 10 * query;
  field.result_width = 30 + 10 * result;
  return field;
}

// Number: digits only, capitals; Фамилия: capitals, case ignored; Должность: anywhere, case
// as typed; Код: no box, shown in the list, not on the card.
Book Staff() {
  using namespace designer;
  return AppendAll({BookKind::kTable,
                    Cp("Кадры"),
                    {Field("Номер", kFlagDigitsOnly | kFlagUpperCase, 1, 1, 3),
                     Field("Фамилия", kFlagUpperCase | kFlagIgnoreCase, 2, 2, 1),
                     Field("Должность", kFlagSearchWithin, 3, 0, 2), Field("Код", 0, 0, 3, 0)}},
                   {{"300", "Иванов", "Инженер", "a"},
                    {"3001", "Ёлкин", "Главный инженер", "b"},
                    {"13", "иваненко", "Бухгалтер", "c"}});
}

}  // namespace

class ViewerWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();

  void BoxesFollowTheirFieldsInputRules();
  void FindFillsTheListInFileOrder();
  void CardShowsTheFieldsInDetailOrder();
  void PhoneBookHasOneBoxForEveryColumn();
  void EveryQueryFieldHasABoxAndRowsBeyondFiveScroll();
  void CopyGivesTheCardOrTheSelectedRowsWithTheirHeading();
  void SaveResultsWritesTheRecordsFoundAsCsv();
  void KeysActOnAScreenWithoutBoxes();
  void FileDroppedOnABoxIsOpenedNotTyped();
  void ZoomDoublesTheScreensAndComesBack();
  void OpenTakesABookFileAndKeepsTheBookOnFailure();
  void F5ReloadsAndRecentBooksOutliveTheWindow();
  void TabsSwitchScreensAndExitCloses();

 private:
  template <typename T>
  T* Find(const QString& name) const {
    T* widget = window_->findChild<T*>(name);
    if (widget == nullptr) qFatal("no widget %s", qPrintable(name));
    return widget;
  }
  QLineEdit* Box(int row) const { return Find<QLineEdit>(QStringLiteral("queryBox%1").arg(row)); }
  void Press(const char* area) {
    QTest::mouseClick(Find<QWidget>(QLatin1String(area)), Qt::LeftButton);
  }
  QString Status() const { return Find<QLabel>(QStringLiteral("status"))->text(); }
  // Builds the phone book "Телефоны" from the phone list `list` holding `lines` (UTF-8 here).
  void PhoneBook(const QString& list, const char* lines);
  // The list's rows, values joined by "|".
  QStringList ListRows() const;

  ScriptedDialogs dialogs_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<QSettings> settings_;  // the test's own, in `dir_`
  std::unique_ptr<ViewerWindow> window_;
};

void ViewerWindowTest::init() {
  dialogs_ = ScriptedDialogs();
  dir_ = std::make_unique<QTemporaryDir>();
  settings_ = std::make_unique<QSettings>(dir_->filePath(QStringLiteral("viewer.ini")),
                                          QSettings::IniFormat);
  window_ = std::make_unique<ViewerWindow>(&dialogs_, *settings_);
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void ViewerWindowTest::cleanup() {
  window_.reset();
  settings_.reset();
  dir_.reset();
}

void ViewerWindowTest::PhoneBook(const QString& list, const char* lines) {
  QFile file(list);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(Cp(lines).c_str());
  file.close();
  builder::ConversionRequest request;
  request.path = QFile::encodeName(list).toStdString();
  request.name = Cp("Телефоны");
  request.digits = std::string(1, '3');  // GCC 12 warns wrongly of a literal assigned here
  builder::SilentReporter reporter;
  QVERIFY(builder::RunConversion(request, reporter).ok());
}

QStringList ViewerWindowTest::ListRows() const {
  const QAbstractItemModel* model = Find<QTableView>(QStringLiteral("resultList"))->model();
  QStringList rows;
  for (int r = 0; r < model->rowCount(); ++r) {
    QStringList values;
    for (int c = 0; c < model->columnCount(); ++c) values << model->index(r, c).data().toString();
    rows << values.join(QLatin1Char('|'));
  }
  return rows;
}

void ViewerWindowTest::BoxesFollowTheirFieldsInputRules() {
  window_->ShowBook(Staff());
  QCOMPARE(Find<QLineEdit>(QStringLiteral("bookName"))->text(), QStringLiteral("Кадры"));
  const QString labels[] = {QStringLiteral("Номер"), QStringLiteral("Фамилия"),
                            QStringLiteral("Должность")};
  for (int row = 1; row <= 3; ++row) {
    QCOMPARE(Find<QLabel>(QStringLiteral("inputLabel%1").arg(row))->text(), labels[row - 1]);
    QCOMPARE(Box(row)->width(), 40 + 10 * row);
  }
  QVERIFY(window_->findChild<QLineEdit*>(QStringLiteral("queryBox4")) == nullptr);

  TypeKeys(Box(1), QStringLiteral("3a0-"));
  TypeKeys(Box(2), QStringLiteral("ёлкин abc"));
  TypeKeys(Box(3), QStringLiteral("инж Ё"));
  QCOMPARE(Box(1)->text(), QStringLiteral("30"));
  QCOMPARE(Box(2)->text(), QStringLiteral("ЁЛКИН ABC"));
  QCOMPARE(Box(3)->text(), QStringLiteral("инж Ё"));
  TypeKeys(Box(3), QStringLiteral("北"));  // no book holds it
  QCOMPARE(Box(3)->text(), QStringLiteral("инж Ё"));
  QVERIFY(window_->statusBar()->currentMessage().contains(QStringLiteral("«北»")));
}

void ViewerWindowTest::FindFillsTheListInFileOrder() {
  window_->ShowBook(Staff());
  QCOMPARE(Status(), QStringLiteral("Записей: 3"));
  auto* heading = Find<QTableView>(QStringLiteral("resultList"))->horizontalHeader();
  QCOMPARE(heading->count(), 3);
  QCOMPARE(heading->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Код"));
  QCOMPARE(heading->sectionSize(1), 50);

  TypeKeys(Box(3), QStringLiteral("инженер"));
  Press("findButton");
  QVERIFY(Find<QWidget>(QStringLiteral("resultScreen"))->isVisible());
  QCOMPARE(Status(), QStringLiteral("Найдено: 1"));
  QCOMPARE(ListRows(), QStringList{QStringLiteral("3001|Ёлкин|b")});

  Press("searchTab");
  Press("clearButton");
  QVERIFY(Box(3)->text().isEmpty());
  TypeKeys(Box(2), QStringLiteral("ив"));
  QTest::keyClick(Box(2), Qt::Key_Return);
  QCOMPARE(Status(), QStringLiteral("Найдено: 2"));
  QCOMPARE(ListRows(),
           (QStringList{QStringLiteral("300|Иванов|a"), QStringLiteral("13|иваненко|c")}));

  Press("searchTab");
  TypeKeys(Box(1), QStringLiteral("30"));
  Press("findButton");
  QCOMPARE(ListRows(), QStringList{QStringLiteral("300|Иванов|a")});
  Press("searchTab");
  TypeKeys(Box(1), QStringLiteral("7"));
  Press("findButton");
  QCOMPARE(Status(), QStringLiteral("Найдено: 0"));
  QVERIFY(ListRows().isEmpty());
  QVERIFY(Find<QLabel>(QStringLiteral("nothingFound"))->isVisible());
  Press("searchTab");
  Press("clearButton");
  Press("findButton");
  QVERIFY(!Find<QLabel>(QStringLiteral("nothingFound"))->isVisible());
}

void ViewerWindowTest::CardShowsTheFieldsInDetailOrder() {
  window_->ShowBook(Staff());
  Press("dataTab");
  auto* list = Find<QTableView>(QStringLiteral("resultList"));
  auto* card = Find<QTableWidget>(QStringLiteral("recordCard"));
  list->setCurrentIndex(list->model()->index(1, 0));
  QTest::keyClick(list, Qt::Key_Return);
  QVERIFY(card->isVisible());
  QVERIFY(!list->isVisible());
  QCOMPARE(Status(), QStringLiteral("Запись 2 из 3"));
  QStringList shown;
  for (int r = 0; r < card->rowCount(); ++r) {
    shown << card->item(r, 0)->text() + QLatin1Char('=') + card->item(r, 1)->text();
  }
  QCOMPARE(shown, (QStringList{QStringLiteral("Фамилия=Ёлкин"),
                               QStringLiteral("Должность=Главный инженер"),
                               QStringLiteral("Номер=3001")}));
  // PgUp and PgDn go through the records found and stop at either end.
  const std::pair<Qt::Key, const char*> moves[] = {{Qt::Key_PageDown, "Запись 3 из 3"},
                                                   {Qt::Key_PageDown, "Запись 3 из 3"},
                                                   {Qt::Key_PageUp, "Запись 2 из 3"},
                                                   {Qt::Key_PageUp, "Запись 1 из 3"},
                                                   {Qt::Key_PageUp, "Запись 1 из 3"}};
  for (const auto& [key, status] : moves) {
    QTest::keyClick(card, key);
    QCOMPARE(Status(), QString::fromUtf8(status));
  }
  QCOMPARE(card->item(0, 1)->text(), QStringLiteral("Иванов"));
  QTest::keyClick(card, Qt::Key_Escape);
  QVERIFY(list->isVisible());
  QCOMPARE(list->currentIndex().row(), 0);  // the card's record
  QCOMPARE(Status(), QStringLiteral("Записей: 3"));

  const QRect third = list->visualRect(list->model()->index(2, 1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third.center());
  QCOMPARE(Status(), QStringLiteral("Запись 3 из 3"));
}

void ViewerWindowTest::CopyGivesTheCardOrTheSelectedRowsWithTheirHeading() {
  window_->ShowBook(Staff());
  Press("dataTab");
  auto* list = Find<QTableView>(QStringLiteral("resultList"));
  list->selectionModel()->select(list->model()->index(2, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QTest::keySequence(list, QKeySequence::Copy);
  QCOMPARE(QGuiApplication::clipboard()->text(),
           QStringLiteral("Номер\tФамилия\tКод\n300\tИванов\ta\n13\tиваненко\tc\n"));
  QTest::keyClick(list, Qt::Key_Return);
  QTest::keySequence(Find<QTableWidget>(QStringLiteral("recordCard")), QKeySequence::Copy);
  QCOMPARE(QGuiApplication::clipboard()->text(),
           QStringLiteral("Фамилия\tДолжность\tНомер\nИванов\tИнженер\t300\n"));
}

void ViewerWindowTest::SaveResultsWritesTheRecordsFoundAsCsv() {
  window_->ShowBook(Staff());
  TypeKeys(Box(2), QStringLiteral("ив"));
  Press("findButton");
  dialogs_.results_file = dir_->filePath(QStringLiteral("found.csv"));
  Find<QAction>(QStringLiteral("saveResultsItem"))->trigger();
  QFile saved(*dialogs_.results_file);
  QVERIFY(saved.open(QIODevice::ReadOnly));
  QCOMPARE(QString::fromUtf8(saved.readAll()),
           QStringLiteral("Номер,Фамилия,Должность,Код\r\n300,Иванов,Инженер,a\r\n"
                          "13,иваненко,Бухгалтер,c\r\n"));
  QVERIFY(window_->statusBar()->currentMessage().contains(QStringLiteral("found.csv")));

  dialogs_.results_file = dir_->filePath(QStringLiteral("no/such/folder/found.csv"));
  Find<QAction>(QStringLiteral("saveResultsItem"))->trigger();
  QCOMPARE(dialogs_.failures.size(), 1);
  QVERIFY(dialogs_.failures[0].startsWith(
      QStringLiteral("Не удалось сохранить результаты в «found.csv»:\n")));
}

void ViewerWindowTest::PhoneBookHasOneBoxForEveryColumn() {
  window_->ShowBook(AppendAll({BookKind::kPhoneBook, "Tel", PhoneBookFields()},
                              {{"ИВАНОВ", "ИВАН", "", "A"},
                               {"ПЕТРОВ", "ПЁТР", "ИВАНОВИЧ", "B"},
                               {"СИДОРОВ", "", "", "УЛ. ИВАНОВА"}}));
  QCOMPARE(Find<QLabel>(QStringLiteral("inputLabel1"))->text(), QStringLiteral("Текст"));
  QVERIFY(window_->findChild<QLineEdit*>(QStringLiteral("queryBox2")) == nullptr);
  auto* heading = Find<QTableView>(QStringLiteral("resultList"))->horizontalHeader();
  QCOMPARE(heading->count(), 4);
  QCOMPARE(heading->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Прочее"));

  TypeKeys(Box(1), QStringLiteral("иван"));
  QCOMPARE(Box(1)->text(), QStringLiteral("ИВАН"));
  Press("findButton");
  QCOMPARE(ListRows(), (QStringList{QStringLiteral("ИВАНОВ|ИВАН||A"),
                                    QStringLiteral("ПЕТРОВ|ПЁТР|ИВАНОВИЧ|B")}));
}

void ViewerWindowTest::EveryQueryFieldHasABoxAndRowsBeyondFiveScroll() {
  // Seven fields in reverse query order; each record's values are its field numbers.
  BookLayout layout{BookKind::kTable, "Seven", {}};
  for (int k = 1; k <= 7; ++k) {
    layout.fields.push_back(Field(qPrintable(QStringLiteral("F%1").arg(k)), 0, 8 - k, k, k));
  }
  window_->ShowBook(AppendAll(
      layout, {{"a", "b", "c", "d", "e", "f", "g"}, {"a", "b", "c", "d", "e", "f", "x"}}));
  auto* rows = Find<QScrollArea>(QStringLiteral("queryRows"));
  QVERIFY(rows->verticalScrollBar()->maximum() > 0);
  QCOMPARE(Find<QLabel>(QStringLiteral("inputLabel7"))->text(), QStringLiteral("F1"));
  QCOMPARE(Box(1)->geometry().top() + 22 * 6, Box(7)->geometry().top());

  Box(5)->setFocus();
  QTest::keyClick(Box(5), Qt::Key_Tab);
  QTest::keyClick(Box(6), Qt::Key_Tab);
  QVERIFY(Box(7)->hasFocus());
  QVERIFY(rows->viewport()->rect().contains(Box(7)->geometry().translated(rows->widget()->pos())));
  TypeKeys(Box(1), QStringLiteral("x"));  // field 7
  Press("findButton");
  QCOMPARE(Status(), QStringLiteral("Найдено: 1"));

  window_->ShowBook(Staff());
  QCOMPARE(rows->verticalScrollBar()->maximum(), 0);
}

void ViewerWindowTest::KeysActOnAScreenWithoutBoxes() {
  window_->ShowBook(AppendAll({BookKind::kTable, "T", {Field("Код", 0, 0, 1, 1)}}, {{"a"}, {"b"}}));
  QVERIFY(QApplication::focusWidget() != nullptr);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QVERIFY(Find<QWidget>(QStringLiteral("resultScreen"))->isVisible());
  QCOMPARE(Status(), QStringLiteral("Найдено: 2"));
}

void ViewerWindowTest::FileDroppedOnABoxIsOpenedNotTyped() {
  window_->ShowBook(Staff());
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(dir_->filePath(QStringLiteral("dropped.fdb")))});
  data.setText(data.urls().first().toString());  // as file managers offer it
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Box(2), &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Box(2), &drop);
  QVERIFY(Box(2)->text().isEmpty());
  QCOMPARE(dialogs_.failures.size(), 1);  // no such book: it was opened, not typed in
  QVERIFY(dialogs_.failures[0].contains(QStringLiteral("«dropped.fdb»")));
}

void ViewerWindowTest::ZoomDoublesTheScreensAndComesBack() {
  window_->ShowBook(Staff());
  const QSize real = window_->size();
  const QSize screens = window_->centralWidget()->size();
  Find<QAction>(QStringLiteral("zoom2Item"))->trigger();
  auto* zoomed = Find<QGraphicsView>(QStringLiteral("zoomedScreens"));
  QCOMPARE(zoomed->transform().m11(), 2.0);
  QCOMPARE(window_->size() - real, screens);
  TypeKeys(QApplication::focusWidget(), QStringLiteral("3"));  // the first box, enlarged
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QCOMPARE(Status(), QStringLiteral("Найдено: 2"));
  Find<QAction>(QStringLiteral("zoom1Item"))->trigger();
  QCOMPARE(window_->size(), real);
  QCOMPARE(Box(1)->text(), QStringLiteral("3"));
}

void ViewerWindowTest::OpenTakesABookFileAndKeepsTheBookOnFailure() {
  QTemporaryDir dir;
  const QString list = dir.filePath(QStringLiteral("tel.csv"));
  PhoneBook(list, "555;иванов;иван;;ул. ленина\r\n");

  dialogs_.chosen = {dir.filePath(QStringLiteral("tel.fdb"))};
  Find<QAction>(QStringLiteral("openItem"))->trigger();
  auto* name = Find<QLineEdit>(QStringLiteral("bookName"));
  QCOMPARE(name->text(), QStringLiteral("Телефоны"));
  QCOMPARE(Status(), QStringLiteral("Записей: 1"));

  QVERIFY(!window_->OpenBook(list));
  QVERIFY(!window_->OpenBook(dir.filePath(QStringLiteral("missing.fdb"))));
  QCOMPARE(dialogs_.failures.size(), 2);
  QVERIFY2(
      dialogs_.failures[0].startsWith(QStringLiteral("Не удалось открыть справочник «tel.csv»:\n")),
      qPrintable(dialogs_.failures[0]));
  QCOMPARE(name->text(), QStringLiteral("Телефоны"));
  QCOMPARE(Status(), QStringLiteral("Записей: 1"));
}

void ViewerWindowTest::F5ReloadsAndRecentBooksOutliveTheWindow() {
  const QString list = dir_->filePath(QStringLiteral("tel.csv"));
  const QString book = dir_->filePath(QStringLiteral("tel.fdb"));
  PhoneBook(list, "555;иванов;;;\r\n");
  QVERIFY(window_->OpenBook(book));
  PhoneBook(list, "555;иванов;;;\r\n556;петров;;;\r\n");
  QTest::keyClick(window_.get(), Qt::Key_F5);
  QCOMPARE(Status(), QStringLiteral("Записей: 2"));

  ViewerWindow next(&dialogs_, *settings_);
  const QList<QAction*> offered = next.findChild<QMenu*>(QStringLiteral("recentMenu"))->actions();
  QCOMPARE(offered.size(), 1);
  QAction* recent = offered.first();
  QVERIFY2(recent->text().endsWith(book), qPrintable(recent->text()));
  recent->trigger();
  QCOMPARE(next.findChild<QLabel*>(QStringLiteral("status"))->text(), QStringLiteral("Записей: 2"));

  QVERIFY(QFile::remove(book));
  QTest::keyClick(window_.get(), Qt::Key_F5);
  QCOMPARE(dialogs_.failures.size(), 1);
  QCOMPARE(Status(), QStringLiteral("Записей: 2"));  // the book shown stays
  QVERIFY(Find<QMenu>(QStringLiteral("recentMenu"))->actions().isEmpty());
}

void ViewerWindowTest::TabsSwitchScreensAndExitCloses() {
  window_->ShowBook(Staff());
  auto* query = Find<QWidget>(QStringLiteral("queryScreen"));
  auto* result = Find<QWidget>(QStringLiteral("resultScreen"));
  QVERIFY(query->isVisible() && !result->isVisible());
  QTest::mouseClick(query->findChild<QWidget*>(QStringLiteral("dataTab")), Qt::LeftButton);
  QVERIFY(!query->isVisible() && result->isVisible());
  QTest::keyClick(Find<QTableView>(QStringLiteral("resultList")), Qt::Key_Escape);
  QVERIFY(query->isVisible() && !result->isVisible());
  QVERIFY(Box(1)->hasFocus());
  QTest::mouseClick(query->findChild<QWidget*>(QStringLiteral("exitTab")), Qt::LeftButton);
  QVERIFY(!window_->isVisible());
}

}  // namespace viewer

QTEST_MAIN(viewer::ViewerWindowTest)
#include "viewer_window_test.moc"
