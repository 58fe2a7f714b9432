// The import dialog driven as a user drives it (keys on its real widgets), on its own and inside
// the designer's window, and the window's splitter box reading a CSV file again. The dialog's
// remembered choices live in a settings file of the test's own temporary folder.
#include "designer/window/import_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

#include "common/codepage.h"
#include "designer/model/sheet_table.h"
#include "designer/window/main_window.h"
#include "designer/window/test/cp1251_file.h"
#include "designer/window/test/scripted_dialogs.h"
#include "window_common/test/type_keys.h"

namespace designer {

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A Russian Excel export: quotes around the values that hold a quote or the splitter.
const char kExcelCsv[] =
    "Организация;Адрес;Телефон\r\n"
    "\"ООО \"\"Ромашка\"\"\";\"ул. Ленина; д. 1\";123\r\n"
    "ИП Петров;пр. Мира;4567\r\n";

// A comma-separated file as LibreOffice writes it.
const char kCommaCsv[] = "Имя,Город,Код\nИванов,Москва,1\nПетрова,Тверь,2\n";

struct Folder {
  QTemporaryDir dir;

  // Writes `utf8` as Windows-1251 bytes to `name` and returns its path.
  QString Write(const QString& name, const char* utf8) { return WriteCp1251File(dir, name, utf8); }
  std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }
};

// The dialog for `path` as the window opens it, remembering in `store`.
std::unique_ptr<ImportDialog> OpenDialog(const QString& path, QSettings& store,
                                         bool cut_long_lines = true) {
  const StatusOr<CsvGuess> guess =
      GuessCsvFile(QFile::encodeName(path).toStdString(), std::nullopt, ";");
  if (!guess.ok()) qFatal("no guess: %s", guess.status().message().c_str());
  auto dialog = std::make_unique<ImportDialog>(nullptr, path, guess.value(), cut_long_lines, store);
  dialog->show();
  return dialog;
}

template <typename T>
T* Find(QWidget* parent, const char* name) {
  T* widget = parent->findChild<T*>(QString::fromLatin1(name));
  if (!widget) qFatal("no widget %s", name);
  return widget;
}

QStringList Row(QTableWidget* table, int row) {
  QStringList cells;
  for (int column = 0; column < table->columnCount(); ++column)
    cells << (table->item(row, column) ? table->item(row, column)->text() : QString());
  return cells;
}

QStringList Headings(QTableWidget* table) {
  QStringList headings;
  for (int column = 0; column < table->columnCount(); ++column)
    headings << table->horizontalHeaderItem(column)->text();
  return headings;
}

}  // namespace

class ImportDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void TheFilesSettingsArePreselectedAndPreviewed();
  void PreviewFollowsTheSplitterAndTheQuotes();
  void WarningsCountTheWholeFile();
  void ASettingTheFileRefusesHoldsOk();
  void ChoicesAreRememberedForTheNextDialog();
  void EscKeepsTheOpenDocument();
  void OkReadsTheFileAsChosen();
  void ANewSplitterReadsTheCsvFileAgain();
  void ANewSplitterAsksBeforeFieldEditsAreLost();
  void AWorkbookOpensOnItsFirstVisibleSheetAndAnotherChangesThePreview();

 private:
  QTemporaryDir settings_dir_;
  std::unique_ptr<QSettings> store_;
};

void ImportDialogTest::initTestCase() {
  // Whatever creates settings of the application writes them here, never in the user's folder.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_dir_.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_dir_.path());
}

void ImportDialogTest::init() {
  // A file of its own for every test: nothing remembered.
  static int count = 0;
  store_ = std::make_unique<QSettings>(
      settings_dir_.filePath(QStringLiteral("import-%1.ini").arg(++count)), QSettings::IniFormat);
}

void ImportDialogTest::TheFilesSettingsArePreselectedAndPreviewed() {
  Folder folder;
  const auto dialog = OpenDialog(folder.Write(QStringLiteral("excel.csv"), kExcelCsv), *store_);
  QCOMPARE(Find<QComboBox>(dialog.get(), "encodingBox")->currentText(), U("Автоматически (1251)"));
  QCOMPARE(Find<QComboBox>(dialog.get(), "splitterBox")->currentText(), U("точка с запятой «;»"));
  QCOMPARE(Find<QComboBox>(dialog.get(), "quotesBox")->currentText(), U("двойные (\")"));
  QVERIFY(Find<QCheckBox>(dialog.get(), "firstLineNames")->isChecked());
  QCOMPARE(Find<QSpinBox>(dialog.get(), "skipLines")->value(), 0);

  auto* preview = Find<QTableWidget>(dialog.get(), "previewTable");
  QCOMPARE(Headings(preview), (QStringList{U("Организация"), U("Адрес"), U("Телефон")}));
  QCOMPARE(preview->rowCount(), 2);
  QCOMPARE(Row(preview, 0), (QStringList{U("ООО \"Ромашка\""), U("ул. Ленина; д. 1"), U("123")}));
  QCOMPARE(preview->verticalHeaderItem(0)->text(), U("2"));  // the line in the file

  // A title line above the table is passed over.
  const auto titled = OpenDialog(
      folder.Write(QStringLiteral("title.csv"), "Контрагенты на 01.03\nКод;Имя\n1;а\n2;б\n"),
      *store_);
  QCOMPARE(Find<QSpinBox>(titled.get(), "skipLines")->value(), 1);
  QCOMPARE(Headings(Find<QTableWidget>(titled.get(), "previewTable")),
           (QStringList{U("Код"), U("Имя")}));
}

void ImportDialogTest::PreviewFollowsTheSplitterAndTheQuotes() {
  Folder folder;
  const auto dialog = OpenDialog(folder.Write(QStringLiteral("excel.csv"), kExcelCsv), *store_);
  auto* preview = Find<QTableWidget>(dialog.get(), "previewTable");

  // Кавычки "нет": the quotes stay in the values and the ";" inside them splits.
  QTest::keyClick(Find<QComboBox>(dialog.get(), "quotesBox"), Qt::Key_Up);
  QCOMPARE(Row(preview, 0),
           (QStringList{U("\"ООО \"\"Ромашка\"\"\""), U("\"ул. Ленина"), U("д. 1\";123")}));

  // Разделитель ",": the lines hold none, one field each.
  QTest::keyClick(Find<QComboBox>(dialog.get(), "splitterBox"), Qt::Key_Down);
  QCOMPARE(preview->columnCount(), 1);
  QCOMPARE(Headings(preview), QStringList{U("Организация;Адре")});  // cut as a name is

  // Any character typed as another splitter.
  auto* splitter = Find<QComboBox>(dialog.get(), "splitterBox");
  splitter->setFocus();
  for (int i = 0; i < 3; ++i) QTest::keyClick(splitter, Qt::Key_Down);
  QCOMPARE(splitter->currentText(), U("другой:"));
  window_common::TypeKeys(Find<QLineEdit>(dialog.get(), "otherSplitter"), U("д"));
  QCOMPARE(Headings(preview), (QStringList{U("Организация;А"), U("рес;Телефон")}));

  // Without names the first line is a record, under numbered headings.
  QTest::mouseClick(Find<QCheckBox>(dialog.get(), "firstLineNames"), Qt::LeftButton);
  QCOMPARE(Headings(preview), (QStringList{U("Поле 1"), U("Поле 2")}));
  QCOMPARE(preview->verticalHeaderItem(0)->text(), U("1"));
}

void ImportDialogTest::WarningsCountTheWholeFile() {
  Folder folder;
  QByteArray text = "a;b\n";
  for (int i = 0; i < 3000; ++i) text += "1;x\n";
  text += "\"q\";1;2\n" + QByteArray(300, 'z') + ";1\n";
  const QString path = folder.dir.filePath(QStringLiteral("long.csv"));
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(text);
  file.close();
  const auto dialog = OpenDialog(path, *store_);
  auto* warnings = Find<QLabel>(dialog.get(), "warningsLabel");
  QTRY_VERIFY(warnings->text().startsWith(U("Записей: 3002.")));
  QVERIFY2(warnings->text().contains(U("Строка 3002: другое число полей, чем в первой строке")),
           qPrintable(warnings->text()));
  QVERIFY(warnings->text().contains(
      U("Строка 3002: значение в двойных кавычках, а кавычки не учитываются")));
  QVERIFY(warnings->text().contains(U("Строка 3003: строка длиннее 250 символов")));

  // Without the cut, long lines are no warning.
  const auto uncut = OpenDialog(path, *store_, /*cut_long_lines=*/false);
  auto* uncut_warnings = Find<QLabel>(uncut.get(), "warningsLabel");
  QTRY_VERIFY(uncut_warnings->text().startsWith(U("Записей")));
  QVERIFY(!uncut_warnings->text().contains(U("250")));
}

void ImportDialogTest::ASettingTheFileRefusesHoldsOk() {
  Folder folder;
  const auto dialog =
      OpenDialog(folder.Write(QStringLiteral("wide.csv"), "a,b,c,d,e,f\n1,2,3,4,5,6\n"), *store_);
  QVERIFY(!Find<QPushButton>(dialog.get(), "okButton")->isEnabled());
  QVERIFY(Find<QLabel>(dialog.get(), "warningsLabel")->text().contains(U("до 5 полей")));
  QTest::keyClick(Find<QComboBox>(dialog.get(), "splitterBox"), Qt::Key_Up);  // ";": one field
  QVERIFY(Find<QPushButton>(dialog.get(), "okButton")->isEnabled());
}

void ImportDialogTest::ChoicesAreRememberedForTheNextDialog() {
  Folder folder;
  const QString one_column = folder.Write(QStringLiteral("one.csv"), "Имя\nИван\n");
  {
    const auto dialog = OpenDialog(one_column, *store_);
    QTest::keyClick(Find<QComboBox>(dialog.get(), "encodingBox"), Qt::Key_Down);
    QTest::keyClick(Find<QComboBox>(dialog.get(), "splitterBox"), Qt::Key_Down);
    QTest::mouseClick(Find<QCheckBox>(dialog.get(), "firstLineNames"), Qt::LeftButton);
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
  }
  const auto next = OpenDialog(one_column, *store_);
  QCOMPARE(Find<QComboBox>(next.get(), "encodingBox")->currentText(), U("Windows-1251"));
  QCOMPARE(Find<QComboBox>(next.get(), "splitterBox")->currentText(), U("запятая «,»"));
  QVERIFY(!Find<QCheckBox>(next.get(), "firstLineNames")->isChecked());
  // A splitter the file shows comes before the one remembered.
  const auto comma = OpenDialog(folder.Write(QStringLiteral("t.csv"), "a\tb\n1\t2\n"), *store_);
  QCOMPARE(Find<QComboBox>(comma.get(), "splitterBox")->currentText(), U("табуляция"));
}

// One window with its scripted dialogs.
struct Harness {
  Folder folder;
  ScriptedDialogs dialogs;
  std::unique_ptr<MainWindow> window;

  Harness() {
    window = std::make_unique<MainWindow>(&dialogs, folder.dir.path());
    window->show();
  }
  // From now on the import dialog is the real one, remembering in `store` and driven by `drive`
  // once it is open.
  void UseImportDialog(QSettings& store, std::function<void(ImportDialog&)> drive) {
    dialogs.import_dialog = [this, &store, drive](const QString& path, const CsvGuess& guess,
                                                  bool cut) -> std::optional<CsvSettings> {
      ImportDialog dialog(window.get(), path, guess, cut, store);
      QTimer::singleShot(0, &dialog, [&dialog, drive] { drive(dialog); });
      if (dialog.exec() != QDialog::Accepted) return std::nullopt;
      return dialog.ChosenSettings();
    };
  }
  void Open(const QString& path) {
    dialogs.open_answers.push_back(path);
    QTest::mouseClick(window->findChild<QToolButton*>(QStringLiteral("openButton")),
                      Qt::LeftButton);
  }
  QLineEdit* SplitterBox() { return window->findChild<QLineEdit*>(QStringLiteral("splitter")); }
  // Types `text` over the splitter box's character, as a user selects it and types.
  void TypeSplitter(const QString& text) {
    QLineEdit* box = SplitterBox();
    box->setFocus();
    box->selectAll();
    window_common::TypeKeys(box, text);
  }
};

void ImportDialogTest::EscKeepsTheOpenDocument() {
  Harness h;
  h.dialogs.yes_no_answers.push_back(true);
  h.Open(h.folder.Write(QStringLiteral("staff.csv"), "Фамилия;Номер\nИванов;123\n"));
  QCOMPARE(h.window->document().FieldCount, 2);
  const Document before = h.window->document();

  h.UseImportDialog(*store_,
                    [](ImportDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  h.Open(h.folder.Write(QStringLiteral("excel.csv"), kExcelCsv));
  QCOMPARE(h.dialogs.import_guesses.size(), size_t{2});
  QCOMPARE(h.window->document().FieldCount, before.FieldCount);
  QCOMPARE(h.window->document().SourceFileName, before.SourceFileName);
  QVERIFY(h.window->document().Fields == before.Fields);
  QVERIFY(h.window->document().SampleValues == before.SampleValues);
  QVERIFY(h.dialogs.messages.empty());
  QVERIFY(!store_->contains(QStringLiteral("import/splitter")));  // Esc remembers nothing
}

void ImportDialogTest::OkReadsTheFileAsChosen() {
  Harness h;
  h.UseImportDialog(*store_, [](ImportDialog& dialog) {
    QTest::keyClick(Find<QComboBox>(&dialog, "quotesBox"), Qt::Key_Up);  // "нет", as before
    QTest::keyClick(&dialog, Qt::Key_Return);
  });
  h.Open(h.folder.Write(QStringLiteral("excel.csv"), kExcelCsv));
  const Document& doc = h.window->document();
  QCOMPARE(doc.FieldCount, 3);
  QVERIFY(!doc.SourceQuoted);
  QCOMPARE(doc.SampleValues[1][2], *codepage::Utf8ToCp1251("\"ул. Ленина"));

  Harness quoted;
  quoted.UseImportDialog(*store_,
                         [](ImportDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); });
  quoted.Open(quoted.folder.Write(QStringLiteral("excel.csv"), kExcelCsv));
  QVERIFY(quoted.window->document().SourceQuoted);
  QCOMPARE(quoted.window->document().SampleValues[1][2],
           *codepage::Utf8ToCp1251("ул. Ленина; д. 1"));
  // The values hold ";": the splitter box shows the one the save writes.
  QCOMPARE(quoted.SplitterBox()->text(), U(","));
  QCOMPARE(quoted.window->findChild<QLabel*>(QStringLiteral("statusPanel2"))->text(),
           U("записей: 2"));
}

void ImportDialogTest::ANewSplitterReadsTheCsvFileAgain() {
  Harness h;
  // Read with ";" although the file is split by ",": one field.
  h.dialogs.import_answers.push_back(CsvSettings{.splitter = ";", .first_line_has_names = true});
  h.Open(h.folder.Write(QStringLiteral("comma.csv"), kCommaCsv));
  QCOMPARE(h.window->document().FieldCount, 1);

  h.TypeSplitter(U(","));
  QCOMPARE(h.window->document().FieldCount, 3);
  QCOMPARE(h.window->document().Fields[2].Name, *codepage::Utf8ToCp1251("Город"));
  QCOMPARE(h.window->document().SourceSplitter, ",");
  QVERIFY(h.dialogs.questions.isEmpty());  // nothing was edited

  // The save writes the splitter the data are split at.
  h.window->findChild<QLineEdit*>(QStringLiteral("databaseName"))->setText(U("Люди"));
  const QString target = h.folder.dir.filePath(QStringLiteral("comma.fsr"));
  h.dialogs.save_answers.push_back(target);
  h.dialogs.yes_no_answers.push_back(false);
  QTest::mouseClick(h.window->findChild<QToolButton*>(QStringLiteral("saveButton")),
                    Qt::LeftButton);
  QFile saved(target);
  QVERIFY(saved.open(QIODevice::ReadOnly));
  const QByteArray bytes = saved.readAll();
  QVERIFY(bytes.contains("\r\n','\r\n; fields\r\n3\r\n"));
}

void ImportDialogTest::ANewSplitterAsksBeforeFieldEditsAreLost() {
  Harness h;
  h.dialogs.import_answers.push_back(CsvSettings{.splitter = ";", .first_line_has_names = true});
  h.Open(h.folder.Write(QStringLiteral("comma.csv"), kCommaCsv));
  h.window->document().Fields[1].Flags = 0;  // an edit of the one field

  h.dialogs.yes_no_cancel_answers.push_back(Answer::kCancel);
  h.TypeSplitter(U(","));
  QCOMPARE(h.dialogs.questions.last(), U("Сохранить изменения в справочнике?"));
  QCOMPARE(h.window->document().FieldCount, 1);
  QCOMPARE(h.SplitterBox()->text(), U(";"));

  h.dialogs.yes_no_cancel_answers.push_back(Answer::kNo);
  h.TypeSplitter(U(","));
  QCOMPARE(h.dialogs.questions.size(), 2);
  QCOMPARE(h.window->document().FieldCount, 3);
  QCOMPARE(h.SplitterBox()->text(), U(","));
}

void ImportDialogTest::AWorkbookOpensOnItsFirstVisibleSheetAndAnotherChangesThePreview() {
  const QString fixtures = QStringLiteral(BWICK_SHEET_FIXTURES "/");
  const auto sheets = ListSheets(BWICK_SHEET_FIXTURES "/features.xlsx");
  QVERIFY(sheets.ok());
  ImportDialog marked(nullptr, fixtures + QStringLiteral("features.xlsx"), sheets.value(), true,
                      *store_);
  QCOMPARE(Find<QComboBox>(&marked, "sheetBox")->itemText(1), U("Скрытый (скрытый)"));

  Harness h;
  h.dialogs.sheet_dialog = [&h, this](const QString& path,
                                      const std::vector<spreadsheet::SheetInfo>& sheets,
                                      bool cut) -> std::optional<CsvSettings> {
    ImportDialog dialog(h.window.get(), path, sheets, cut, *store_);
    auto* sheet = Find<QComboBox>(&dialog, "sheetBox");
    auto* preview = Find<QTableWidget>(&dialog, "previewTable");
    if (sheet->currentText() != U("Сотрудники") ||
        Headings(preview) != QStringList{U("Имя"), U("Телефон")})
      return std::nullopt;
    QTest::keyClick(sheet, Qt::Key_Down);
    if (Headings(preview) != QStringList{U("Товар"), U("Цена"), U("Склад")}) return std::nullopt;
    return dialog.ChosenSettings();
  };
  h.Open(fixtures + QStringLiteral("sheets.xlsx"));
  const Document& doc = h.window->document();
  QCOMPARE(doc.SourceSheet, std::string("Цены"));
  QCOMPARE(doc.FieldCount, 3);
  QCOMPARE(doc.SampleValues[1][2], std::string("120"));
  QVERIFY(h.dialogs.messages.empty());
}

}  // namespace designer

QTEST_MAIN(designer::ImportDialogTest)
#include "import_dialog_test.moc"
