// The designer as an editor: the question before an edited document is replaced, the "*" of the
// title and its clean point, and undo and redo of the edits.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "designer/window/document_text.h"
#include "designer/window/test/window_harness.h"

namespace designer {

class EditingTest : public QObject {
  Q_OBJECT

 private slots:
  void ReplacingAnEditedDocumentAsksFirst_data();
  void ReplacingAnEditedDocumentAsksFirst();
  void TitleMarksEditsUntilTheSaveAndAfterUndoingPastIt();
  void UndoAndRedoANameAFlagAndADraggedWidth();
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
  QCOMPARE(h.Grid()->item(0, 1)->text(), FromDocument(loaded.Name));
  QVERIFY(!h.Find<QAction>("undoItem")->isEnabled());

  for (int step = 0; step < 3; ++step) Trigger(h, "redoItem");
  QCOMPARE(doc.Fields[1].Name, typed);
  QCOMPARE(doc.Fields[1].Flags, loaded.Flags | kFlagDigitsOnly);
  QCOMPARE(doc.Fields[1].EditWidth, 120);
}

}  // namespace designer

QTEST_MAIN(designer::EditingTest)
#include "editing_test.moc"
