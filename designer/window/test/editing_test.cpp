// The designer as an editor: the question before an edited document is replaced, the "*" of the
// title and its clean point, and undo and redo of the edits.
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "designer/window/test/window_harness.h"
#include "window_common/cp1251_text.h"

namespace designer {

class EditingTest : public QObject {
  Q_OBJECT

 private slots:
  void ReplacingAnEditedDocumentAsksFirst_data();
  void ReplacingAnEditedDocumentAsksFirst();
  void TitleMarksEditsUntilTheSaveAndAfterUndoingPastIt();
  void UndoAndRedoANameAFlagAndADraggedWidth();
  void CancelDuringASaveKeepsTheFilesAndTheDocument();
  void StatusBarCountsTheLinesASaveCut();
  void ARefusedCharacterIsNamedInTheStatusBar();
  void NumericChoiceChecksRecordsBeyondTheSamples();
  void StandardKeysRunTheirCommands_data();
  void StandardKeysRunTheirCommands();
  void MenusOpenByKeysOnEitherLayout();
  void RecentFilesAndTheLastChoiceOutliveTheWindow();
  void RefreshedDataKeepTheDesignInOneStepAndCancelChangesNothing();
};

namespace {

void Trigger(Harness& h, const char* item) {
  QCoreApplication::processEvents();  // the edits of the last input are recorded
  h.Find<QAction>(item)->trigger();
}

// Types `text` at the end of field `row`'s name, in the editor a click into its cell opens.
void TypeIntoName(Harness& h, int row, const QString& text) {
  h.ClickCell(1, row);
  QLineEdit* editor = nullptr;
  QVERIFY(QTest::qWaitFor(
      [&] { return (editor = h.Grid()->findChild<QLineEdit*>("fieldNameEditor")) != nullptr; }));
  editor->end(false);
  TypeKeys(editor, text);
}

// Lets the window answer at every step of a long run.
struct EveryStep : window_common::EventPace {
  bool Due() override { return true; }
};

}  // namespace

void EditingTest::ReplacingAnEditedDocumentAsksFirst_data() {
  QTest::addColumn<int>("answer");
  QTest::addColumn<bool>("replaced");
  QTest::newRow("Нет") << int(Answer::kNo) << true;
  QTest::newRow("Отмена") << int(Answer::kCancel) << false;
}

void EditingTest::ReplacingAnEditedDocumentAsksFirst() {
  QFETCH(int, answer);
  QFETCH(bool, replaced);
  Harness h;
  const QString other = h.WriteFile(QStringLiteral("other.csv"), "a;b\n1;2\n");
  h.OpenStaff();
  // Unedited, it goes without a question.
  h.dialogs.yes_no_answers.push_back(false);
  h.Open(other);
  QCOMPARE(h.window->document().FieldCount, 2);
  QCOMPARE(h.dialogs.questions.size(), 2);

  TypeIntoName(h, 1, QStringLiteral("x"));
  h.dialogs.yes_no_cancel_answers.push_back(static_cast<Answer>(answer));
  h.dialogs.yes_no_answers.push_back(true);
  h.Open(h.dir.filePath(QStringLiteral("staff.csv")));
  QCOMPARE(h.dialogs.questions.mid(2, 1), QStringList{U("Сохранить изменения в справочнике?")});
  QCOMPARE(h.window->document().FieldCount, replaced ? 3 : 2);
  QCOMPARE(h.window->isWindowModified(), !replaced);
}

void EditingTest::TitleMarksEditsUntilTheSaveAndAfterUndoingPastIt() {
  Harness h;
  h.OpenStaff();
  QCOMPARE(h.window->windowTitle(), QStringLiteral("staff.csv[*]"));
  QVERIFY(!h.window->isWindowModified());
  h.Type(h.Find<QLineEdit>("databaseName"), U("Сотрудники"));
  Trigger(h, "openItem");  // any command records what was typed
  QVERIFY(h.window->isWindowModified());

  h.dialogs.save_answers.push_back(h.dir.filePath(QStringLiteral("staff.fsr")));
  h.dialogs.yes_no_answers.push_back(false);
  Trigger(h, "saveItem");
  QCOMPARE(h.window->windowTitle(), QStringLiteral("staff.fsr[*]"));
  QVERIFY(!h.window->isWindowModified());
  Trigger(h, "undoItem");
  QCOMPARE(h.Find<QLineEdit>("databaseName")->text(), QString());
  QVERIFY(h.window->isWindowModified());
  Trigger(h, "redoItem");
  QCOMPARE(h.Find<QLineEdit>("databaseName")->text(), U("Сотрудники"));
  QVERIFY(!h.window->isWindowModified());
}

void EditingTest::UndoAndRedoANameAFlagAndADraggedWidth() {
  Harness h;
  h.OpenStaff();
  const Document& doc = h.window->document();
  const TFieldDesc loaded = doc.Fields[1];

  TypeIntoName(h, 1, QStringLiteral("ab"));  // one step for the typing
  const std::string typed = doc.Fields[1].Name;
  QVERIFY(typed != loaded.Name);
  h.Choose(h.Find<QComboBox>("digitsOnly"), U("Да"));
  h.Focus(h.Find<QLineEdit>("maxLen"));  // leaving the selector commits it
  QCOMPARE(doc.Fields[1].Flags, loaded.Flags | kFlagDigitsOnly);
  auto* box = h.Find<QLineEdit>("inputBox1");
  const int y = box->height() / 2;
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(box->width() - 1, y));
  QTest::mouseMove(box, QPoint(120, y));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(120, y));
  QCOMPARE(doc.Fields[1].EditWidth, 120);

  Trigger(h, "undoItem");
  QCOMPARE(doc.Fields[1].EditWidth, loaded.EditWidth);
  QCOMPARE(box->width(), loaded.EditWidth);
  Trigger(h, "undoItem");
  QCOMPARE(doc.Fields[1].Flags, loaded.Flags);
  QCOMPARE(h.Find<QComboBox>("digitsOnly")->currentIndex(), 0);
  Trigger(h, "undoItem");
  QCOMPARE(doc.Fields[1].Name, loaded.Name);
  QCOMPARE(h.Grid()->item(0, 1)->text(), window_common::FromCp1251(loaded.Name));
  QVERIFY(!h.Find<QAction>("undoItem")->isEnabled());

  for (int step = 0; step < 3; ++step) Trigger(h, "redoItem");
  QCOMPARE(doc.Fields[1].Name, typed);
  QCOMPARE(doc.Fields[1].Flags, loaded.Flags | kFlagDigitsOnly);
  QCOMPARE(doc.Fields[1].EditWidth, 120);
}

// The click on Отмена reaches the window only if it answers while the save runs.
void EditingTest::CancelDuringASaveKeepsTheFilesAndTheDocument() {
  EveryStep pace;
  Harness h({}, &pace);
  h.OpenStaff();
  h.Find<QLineEdit>("databaseName")->setText(U("Сотрудники"));
  const QString target = h.WriteFile(QStringLiteral("staff.fsr"), "old");
  h.dialogs.save_answers.push_back(target);
  const qsizetype questions = h.dialogs.questions.size();
  bool blocked = false;
  QCoreApplication::processEvents();
  QTimer::singleShot(0, [&] {
    QTest::mouseClick(h.Find<QToolButton>("openButton"), Qt::LeftButton);  // takes no command
    blocked = h.dialogs.open_last_path.isEmpty();
    QTest::mouseClick(h.Find<QPushButton>("cancelButton"), Qt::LeftButton);
  });
  h.Find<QAction>("saveItem")->trigger();
  QVERIFY(blocked);
  QCOMPARE(h.Find<QProgressBar>("progressBar")->isVisible(), false);
  QCOMPARE(h.Find<QPushButton>("cancelButton")->isVisible(), false);
  QFile written(target);
  QVERIFY(written.open(QIODevice::ReadOnly));
  QCOMPARE(written.readAll(), QByteArray("old"));
  QCOMPARE(QDir(h.dir.path()).entryList(QDir::Files),
           (QStringList{QStringLiteral("staff.csv"), QStringLiteral("staff.fsr")}));
  QVERIFY(h.dialogs.messages.empty());
  QCOMPARE(h.dialogs.questions.size(), questions);  // no export question
  QCOMPARE(h.window->document().RecordCount, 2);
  QVERIFY(h.window->isWindowModified());
}

void EditingTest::StatusBarCountsTheLinesASaveCut() {
  Harness h;
  const std::string long_line = "a;" + std::string(300, 'b') + "\n";
  h.dialogs.yes_no_answers.push_back(false);
  h.Open(h.WriteFile(QStringLiteral("long.csv"), (long_line + long_line + "c;d\n").c_str()));
  h.Find<QLineEdit>("databaseName")->setText(U("Длинные"));
  h.dialogs.save_answers.push_back(h.dir.filePath(QStringLiteral("long.fsr")));
  h.dialogs.yes_no_answers.push_back(false);
  Trigger(h, "saveItem");
  QCOMPARE(h.Find<QLabel>("statusPanel2")->text(), U("обрезано строк: 2"));
}

void EditingTest::ARefusedCharacterIsNamedInTheStatusBar() {
  Harness h;
  auto* name = h.Find<QLineEdit>("databaseName");
  TypeKeys(name, U("Кн北"));
  QCOMPARE(name->text(), U("Кн"));
  QCOMPARE(h.Find<QLabel>("statusTip")->text(), window_common::RefusedCharacterMessage(U'北'));
}

void EditingTest::NumericChoiceChecksRecordsBeyondTheSamples() {
  Harness h;
  std::string csv = "name;code\n";
  for (int record = 1; record <= 24; ++record) csv += "x;" + std::to_string(record) + "\n";
  csv += "y;12a\n";
  h.dialogs.yes_no_answers.push_back(true);
  h.Open(h.WriteFile(QStringLiteral("codes.csv"), csv.c_str()));
  QCOMPARE(h.window->document().Fields[2].DataType, kTypeText);
  h.ClickCell(2, 2);
  auto* box = h.Find<QComboBox>("typeBox");
  QTRY_VERIFY(box->view()->isVisible());
  QTest::keyClick(box->view(), Qt::Key_Down);
  QTest::keyClick(box->view(), Qt::Key_Return);
  QTRY_VERIFY(!box->isVisible());
  QCOMPARE(h.window->document().Fields[2].DataType, kTypeText);
  QCOMPARE(h.MessageTexts(), QStringList{U("Поле «code» нельзя сделать числовым: в записи 25 "
                                           "значение «12a» — не целое число.")});
}

void EditingTest::StandardKeysRunTheirCommands_data() {
  QTest::addColumn<QKeySequence>("keys");
  QTest::addColumn<QString>("shown");  // the dialog or message it shows
  QTest::newRow("Ctrl+O") << QKeySequence(Qt::CTRL | Qt::Key_O) << QStringLiteral("open");
  QTest::newRow("Ctrl+S") << QKeySequence(Qt::CTRL | Qt::Key_S)
                          << U("Не указано название справочника!");
  QTest::newRow("Ctrl+Shift+S") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)
                                << U("Не указано название справочника!");
  QTest::newRow("F1") << QKeySequence(Qt::Key_F1) << QStringLiteral("help");
  QTest::newRow("Ctrl+Q") << QKeySequence(Qt::CTRL | Qt::Key_Q) << QStringLiteral("closed");
}

void EditingTest::StandardKeysRunTheirCommands() {
  QFETCH(QKeySequence, keys);
  QFETCH(QString, shown);
  Harness h;
  h.Harness::Focus(h.Find<QLineEdit>("databaseName"));
  QTest::keySequence(h.window.get(), keys);
  if (shown == QLatin1String("open")) {
    QVERIFY(!h.dialogs.open_filters.isEmpty());  // the open dialog was asked
  } else if (shown == QLatin1String("help")) {
    QCOMPARE(h.dialogs.messages.size(), size_t{1});
    QCOMPARE(h.dialogs.messages[0].kind, MessageKind::kInformation);
  } else if (shown == QLatin1String("closed")) {
    QVERIFY(!h.window->isVisible());
  } else {
    QCOMPARE(h.MessageTexts(), QStringList{shown});
  }
}

void EditingTest::MenusOpenByKeysOnEitherLayout() {
  Harness h;
  QMenuBar* bar = h.window->menuBar();
  auto* file_menu = h.Find<QMenu>("fileMenu");
  QTest::keyClick(h.window.get(), Qt::Key_F10);
  QTRY_VERIFY(file_menu->isVisible());
  file_menu->close();
  QTRY_VERIFY(!file_menu->isVisible());
  // "&Файл" by the key of Ф on the Latin layout, then "&Открыть" by the key of О.
  QTest::keyClick(h.window.get(), Qt::Key_A, Qt::AltModifier);
  QTRY_VERIFY(file_menu->isVisible());
  QTest::keyClick(file_menu, Qt::Key_J);
  QVERIFY(!h.dialogs.open_filters.isEmpty());  // the open dialog was asked
  // Alt alone takes the keyboard to the menu bar's first menu.
  QTRY_VERIFY(!file_menu->isVisible());
  QTest::keyClick(h.window.get(), Qt::Key_Alt, Qt::AltModifier);
  QTRY_COMPARE(bar->activeAction(), file_menu->menuAction());
}

void EditingTest::RecentFilesAndTheLastChoiceOutliveTheWindow() {
  Harness h;
  h.OpenStaff();
  const QString csv = h.dir.filePath(QStringLiteral("staff.csv"));
  const QString fsr = h.dir.filePath(QStringLiteral("staff.fsr"));
  h.Find<QLineEdit>("databaseName")->setText(U("Сотрудники"));
  h.dialogs.save_answers.push_back(fsr);
  h.dialogs.yes_no_answers.push_back(false);
  Trigger(h, "saveItem");
  h.window.reset();

  MainWindow next(&h.dialogs, h.dir.path());
  const auto recent = [&](int i) {
    return next.findChild<QAction*>(QStringLiteral("recentFile%1").arg(i));
  };
  QVERIFY(recent(1)->text().endsWith(QDir::toNativeSeparators(fsr)));
  QVERIFY(recent(2)->text().endsWith(QDir::toNativeSeparators(csv)));
  QVERIFY(!recent(3));
  next.findChild<QAction*>(QStringLiteral("openItem"))->trigger();
  QCOMPARE(h.dialogs.open_last_path, csv);
  recent(1)->trigger();
  QCOMPARE(next.document().FieldCount, 3);
  QCOMPARE(next.windowTitle(), QStringLiteral("staff.fsr[*]"));
}

// "Обновить данные…" shows which column each field reads; Отмена leaves the document as it was,
// ОК gives it the new table's data under its design, and one undo takes that back.
void EditingTest::RefreshedDataKeepTheDesignInOneStepAndCancelChangesNothing() {
  Harness h;
  h.OpenStaff();
  const Document& doc = h.window->document();
  h.Choose(h.Find<QComboBox>("digitsOnly"), U("Да"));  // a design of its own
  h.Focus(h.Find<QLineEdit>("maxLen"));
  const Document opened = doc;
  const QString table =
      h.WriteFile(QStringLiteral("new.csv"), "Город;Фамилия;Номер\nТула;Сидоров;7\n");
  for (const bool ok : {false, true}) {
    h.dialogs.open_answers.push_back(table);
    h.dialogs.import_answers.push_back(CsvSettings{.splitter = ";", .first_line_has_names = true});
    h.dialogs.match_answers.push_back(ok);
    Trigger(h, "refreshDataItem");
    QCOMPARE(h.dialogs.shown_match, (QStringList{U("«Фамилия» ← «Фамилия»"), U("«Номер» ← «Номер»"),
                                                 U("«Город» ← «Город»")}));
    QCOMPARE(doc.SourceFileName,
             (ok ? QFile::encodeName(table).toStdString() : opened.SourceFileName));
    QCOMPARE(h.Grid()->item(0, 5)->text(), U(ok ? "Сидоров" : "Иванов"));
    QCOMPARE(doc.Fields[1].Flags, opened.Fields[1].Flags);
  }
  QCOMPARE(doc.RecordCount, 1);
  Trigger(h, "undoItem");
  QCOMPARE(doc.SourceFileName, opened.SourceFileName);
  QCOMPARE(doc.RecordCount, opened.RecordCount);
  QCOMPARE(h.Grid()->item(0, 5)->text(), U("Иванов"));
  QCOMPARE(doc.Fields[1].Flags, opened.Fields[1].Flags);  // the edit before is a step of its own
}

}  // namespace designer

QTEST_MAIN(designer::EditingTest)
#include "editing_test.moc"
