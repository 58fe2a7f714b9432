// The designer's main window driven as a user drives it: clicks, keys and focus changes on the
// real widgets, with the dialogs and message boxes answered from a script.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QScrollArea>
#include <QSplitter>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <memory>

#include "designer/window/help_texts.h"
#include "designer/window/test/window_harness.h"
#include "format/table_layout.h"
#include "viewer/search/book.h"

namespace designer {

namespace {

// A program at `path` that writes its arguments, each followed by "|", to the file `record`.
void WriteRecordingProgram(const QString& path, const QString& record) {
  QFile program(path);
  if (!program.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
  program.write(
      QStringLiteral("#!/bin/sh\nprintf '%s|' \"$@\" > \"%1.tmp\"\nmv \"%1.tmp\" \"%1\"\n")
          .arg(record)
          .toUtf8());
  program.close();
  program.setPermissions(program.permissions() | QFile::ExeOwner);
}

}  // namespace

class DesignerWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void CheckBoxesLieOverTheirCellsAndTheGridHoldsFiveRows();
  void EveryCaptionFitsBesideItsControls();
  void SplitterKeepsTheStatusBarAtTheBottomAndEveryControlInReach();
  void OpenRunsTheReaderChosenByTheExtension();
  void BooksOpenAsTheyStand();
  void OtherExtensionsOnlyMoveTheSaveProposal();
  void OpenFilterListIsConvertedForQt();
  void FailedOpenKeepsTheDocumentAndShowsTheError();
  void DroppedFileIsOpened();
  void SaveRefusesWithoutNameOrFields();
  void SaveWritesTheFileProposedFromTheOpenedOneAndKeepsABackup();
  void FailedSaveAsksNoExportQuestion();
  void ExportStartsTheBuilderBesideTheDesigner();
  void ExportReportsAMissingOrUnusableBuilder();
  void ViewBookShowsTheDesignInOneViewer();
  void UnselectableColumnsKeepTheCurrentCell();
  void NameEditingFollowsEveryKeystroke();
  void TypeChoiceChangesTheSavedType();
  void KeyboardIntoTheTypeColumnOpensTheTypeBox_data();
  void KeyboardIntoTheTypeColumnOpensTheTypeBox();
  void TabFollowsThePanelsAndTheStopsOfTheCurrentRow();
  void CtrlTabLeavesTheGridFromAnyStop_data();
  void CtrlTabLeavesTheGridFromAnyStop();
  void CommitStoresNumberSizeAndFlags();
  void CommitStopsAtANumberThatDoesNotConvert();
  void CommitRefusesNumbersOutOfRange();
  void NothingIsCommittedWithoutADocument();
  void DoubleClickTogglesASelector();
  void CheckBoxesChangeTheListPositions();
  void NameBoxIsMirroredWithThePreview();
  void PreviewMessagesGoThroughTheDialogs();
  void MenuAndToolbarRunTheirCommands();
  void HelpBoxKeepsItsOwnLineBreaks();
  void ClosingAsksToSaveEdits_data();
  void ClosingAsksToSaveEdits();
};

void DesignerWindowTest::CheckBoxesLieOverTheirCellsAndTheGridHoldsFiveRows() {
  Harness h;
  QTableWidget* grid = h.Grid();
  QCOMPARE(grid->rowCount(), 5);
  // Every row fits without scrolling.
  const QRect last = grid->visualRect(grid->model()->index(4, 5));
  QVERIFY(last.bottom() < grid->viewport()->height());
  QVERIFY(last.right() < grid->viewport()->width());
  for (int row = 1; row <= 5; ++row) {
    for (const char* prefix : {"queryTick", "resultTick"}) {
      const int column = QByteArray(prefix) == "queryTick" ? 3 : 4;
      auto* box = h.Find<QCheckBox>(QByteArray(prefix).append(QByteArray::number(row)).constData());
      QRect cell = grid->visualRect(grid->model()->index(row - 1, column));
      cell.moveTopLeft(grid->viewport()->mapTo(grid->parentWidget(), cell.topLeft()));
      QVERIFY2(cell.contains(box->geometry()), qPrintable(QStringLiteral("row %1").arg(row)));
      QVERIFY(box->isVisible());
    }
  }
  // An unticked box is drawn whole: its right and bottom edges as dark as its left one.
  const QImage box = h.Find<QCheckBox>("queryTick1")->grab().toImage();
  const int middle = box.height() / 2;
  const int edge = qGray(box.pixel(0, middle));
  QVERIFY(edge < qGray(box.pixel(box.width() / 2, middle)));
  QVERIFY(qAbs(qGray(box.pixel(box.width() - 1, middle)) - edge) < 24);
  QVERIFY(qAbs(qGray(box.pixel(middle, box.height() - 1)) - edge) < 24);
  QCOMPARE(h.window->centralWidget()->size(), QSize(763, 535));
  QVERIFY(!h.Find<QProgressBar>("progressBar")->isVisible());
}

// A font wider than the layout was made for would push captions under the boxes beside them.
void DesignerWindowTest::EveryCaptionFitsBesideItsControls() {
  Harness h;
  for (const char* panel_name : {"upperPanel", "lowerPanel"}) {
    // The page that holds the panel's controls.
    QWidget* panel = h.Find<QWidget>(panel_name)->findChild<QScrollArea*>()->widget();
    QList<QWidget*> controls;
    for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!qobject_cast<QLabel*>(child) && child->isVisible()) controls << child;
    }
    for (QLabel* label : panel->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
      const QSize needed = label->fontMetrics().size(0, label->text());
      QVERIFY2(needed.width() <= label->width(), qPrintable(label->text()));
      QVERIFY2(label->geometry().right() < panel->width(), qPrintable(label->text()));
      for (const QWidget* control : controls) {
        QVERIFY2(!label->geometry().intersects(control->geometry()),
                 qPrintable(label->text() + QStringLiteral(" / ") + control->objectName()));
      }
    }
  }
  auto* cut = h.Find<QCheckBox>("cutLongLines");
  QVERIFY(cut->sizeHint().width() <= cut->width());
  // The status panels hold what a load writes into them.
  h.OpenStaff();
  for (QLabel* panel : h.Find<QWidget>("statusBar")->findChildren<QLabel*>()) {
    QVERIFY2(panel->fontMetrics().horizontalAdvance(panel->text()) <= panel->contentsRect().width(),
             qPrintable(panel->text()));
  }
}

void DesignerWindowTest::SplitterKeepsTheStatusBarAtTheBottomAndEveryControlInReach() {
  Harness h;
  auto* splitter = h.Find<QSplitter>("panelSplitter");
  QSplitterHandle* handle = splitter->handle(1);
  auto* lower_page = h.Find<QWidget>("lowerPanel");
  auto* status_bar = h.Find<QWidget>("statusBar");
  auto* list = h.Find<QWidget>("inputOrder");
  for (const int drag : {100, -100, -60}) {
    const int upper_height = splitter->sizes()[0];
    const QPoint grip = handle->rect().center();
    const QPoint target = handle->mapToGlobal(grip + QPoint(0, drag));
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, handle->mapFromGlobal(target));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, handle->mapFromGlobal(target));
    QVERIFY(qAbs(splitter->sizes()[0] - (upper_height + drag)) <= 1);
    // The status bar lies on the lower panel's bottom edge, inside its frame.
    QCOMPARE(status_bar->geometry().bottom(), lower_page->height() - 2);
    QVERIFY(h.Find<QProgressBar>("progressBar")
                ->geometry()
                .intersects(h.Find<QLabel>("statusPanel2")->geometry()));
    // The list at the panel's foot can be brought into view above the status bar.
    Harness::Focus(list);
    const QRect shown(list->mapTo(lower_page, QPoint(0, 0)), list->size());
    QVERIFY2(shown.bottom() < status_bar->y(), qPrintable(QString::number(drag)));
    QVERIFY(shown.top() >= 0);
  }
}

void DesignerWindowTest::OpenRunsTheReaderChosenByTheExtension() {
  Harness h;
  h.dialogs.yes_no_answers.push_back(true);
  h.Open(h.WriteFile(QStringLiteral("DATA.Csv"), kStaffCsv));
  const Document& doc = h.window->document();
  QCOMPARE(doc.FieldCount, 3);
  QVERIFY(!doc.SourceIsFsr);
  QCOMPARE(h.dialogs.questions.size(), 1);  // the first-line question went through the seam
  QTableWidget* grid = h.Grid();
  QCOMPARE(grid->rowCount(), 3);
  QCOMPARE(grid->item(0, 1)->text(), U("Фамилия"));
  QCOMPARE(grid->item(1, 2)->text(), U("числовой"));
  QCOMPARE(grid->item(2, 5)->text(), U("Москва"));
  QVERIFY(h.Find<QCheckBox>("queryTick3")->isChecked());
  QVERIFY(!h.Find<QCheckBox>("queryTick4")->isVisibleTo(h.window.get()));
  QCOMPARE(h.Find<QLabel>("statusPanel0")->text(), U("файл: DATA.Csv"));
  // Field 1 is selected and shown.
  QCOMPARE(grid->currentRow(), 0);
  QCOMPARE(h.Find<QLineEdit>("numSize")->text(), U("N/A"));
  QCOMPARE(h.Find<QLineEdit>("maxLen")->text(), U("6"));

  // Save it, then open the saved source file (upper-case extension).
  h.window->findChild<QLineEdit*>(QStringLiteral("databaseName"))->setText(U("Сотрудники"));
  const QString saved = h.dir.filePath(QStringLiteral("data.FSR"));
  h.dialogs.save_answers.push_back(saved);
  h.dialogs.yes_no_answers.push_back(false);
  QTest::mouseClick(h.Find<QToolButton>("saveButton"), Qt::LeftButton);
  QVERIFY(QFile::exists(saved));

  Harness second;
  second.Open(saved);
  QCOMPARE(second.window->document().FieldCount, 3);
  QVERIFY(second.window->document().SourceIsFsr);
  QCOMPARE(second.Find<QLineEdit>("databaseName")->text(), U("Сотрудники"));
  QCOMPARE(second.Grid()->item(1, 2)->text(), U("числовой"));
  QCOMPARE(second.Find<QLabel>("statusPanel2")->text(), U("записей: 2"));
}

void DesignerWindowTest::BooksOpenAsTheyStand() {
  Harness h;
  // A text field whose values hold ";" and make a line longer than 250 characters, and a number
  // field off the input list.
  format::DbHeader header;
  const std::string prefix = std::string(format::kSourcePrefix) + "\r";
  std::copy(prefix.begin(), prefix.end(), header.prefix_line.begin());
  header.version = 13;
  header.field_count = 2;
  header.record_count = 1;
  header.name = "Book";
  const auto header_bytes = format::EncodeDbHeader(header, true);
  std::string book(header_bytes.begin(), header_bytes.end());
  for (const format::DbFieldDesc& field :
       {format::DbFieldDesc{.name = "Name", .type = 1, .query_index = 1, .max_size = 249},
        format::DbFieldDesc{.name = "Sum", .type = 2, .num_size = 1, .max_size = 3}}) {
    const auto bytes = format::EncodeDbFieldDesc(field);
    book.append(bytes.begin(), bytes.end());
  }
  book += '\xFC' + std::string(248, 'a') + ";" + std::string("\0\xC8\xFF\xFF", 4);
  const QString path = h.dir.filePath(QStringLiteral("book.FDB"));
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(book.data(), static_cast<qint64>(book.size()));
  file.close();

  h.Open(path);
  QVERIFY(h.dialogs.messages.empty());
  QVERIFY(h.window->document().SourceIsDatabase);
  QCOMPARE(h.Grid()->item(1, 1)->text(), U("Sum"));
  QCOMPARE(h.Grid()->item(1, 5)->text(), U("200"));
  QVERIFY(!h.Find<QCheckBox>("queryTick2")->isChecked());
  QCOMPARE(h.Find<QLineEdit>("splitter")->text(), U(","));
  QVERIFY(!h.Find<QCheckBox>("cutLongLines")->isChecked());
  QCOMPARE(h.Find<QLabel>("statusPanel2")->text(), U("записей: 1"));

  // A phone book is refused in a plain box; the book stays open.
  QFile list(h.dir.filePath(QStringLiteral("list.db")));
  QVERIFY(list.open(QIODevice::WriteOnly));
  list.write(QByteArray("\0\0\0\0\x0B\0N", 7) + QByteArray(22, '\0') + "\xFF\xFF");
  list.close();
  h.Open(list.fileName());
  QCOMPARE(h.dialogs.messages.back().kind, MessageKind::kPlain);
  QVERIFY(h.dialogs.messages.back().text.contains(U("телефонная книга")));
  QVERIFY(h.window->document().SourceIsDatabase);
  QCOMPARE(h.window->document().FieldCount, 2);
}

void DesignerWindowTest::OtherExtensionsOnlyMoveTheSaveProposal() {
  Harness h;
  h.OpenStaff();
  const std::string source = h.window->document().SourceFileName;
  h.Open(h.WriteFile(QStringLiteral("notes.dat"), "a;b\n"));
  QCOMPARE(h.window->document().FieldCount, 3);
  QCOMPARE(h.window->document().SourceFileName, source);
  QVERIFY(h.dialogs.messages.empty());

  h.Find<QLineEdit>("databaseName")->setText(QStringLiteral("x"));
  QTest::mouseClick(h.Find<QToolButton>("saveButton"), Qt::LeftButton);  // cancelled: no answer
  QCOMPARE(h.dialogs.save_requests.size(), size_t{1});
  QCOMPARE(h.dialogs.save_requests[0].folder, h.dir.path());
  QCOMPARE(h.dialogs.save_requests[0].file_name, U("notes.fsr"));
  QCOMPARE(h.dialogs.save_requests[0].default_suffix, U("fsr"));
  QCOMPARE(h.dialogs.save_requests[0].filters,
           QStringList({U("BWick-данные (*.fsr) (*.fsr)"), U("Все файлы (*.*) (*.*)")}));

  // Only the last dot of the name goes: b.c.csv proposes b.c.fsr.
  h.Open(h.WriteFile(QStringLiteral("b.c.csv"), "a;b\n1;2\n"));
  QTest::mouseClick(h.Find<QToolButton>("saveButton"), Qt::LeftButton);
  QCOMPARE(h.dialogs.save_requests.back().file_name, U("b.c.fsr"));
  QCOMPARE(h.dialogs.open_last_path, h.dir.filePath(QStringLiteral("notes.dat")));
}

void DesignerWindowTest::OpenFilterListIsConvertedForQt() {
  Harness h;
  QTest::mouseClick(h.Find<QToolButton>("openButton"), Qt::LeftButton);  // cancelled
  QCOMPARE(h.dialogs.open_filters,
           QStringList({U("Все поддерживаемые форматы (*.csv, *.txt, *.tsv, *.xlsx, *.ods, *.xls, "
                          "*.dbf, *.fsr, *.fdb, *.zdb, *.db) (*.csv *.txt *.tsv *.xlsx *.ods *.xls "
                          "*.dbf *.fsr *.fdb *.zdb *.db)"),
                        U("CSV (разделители - запятые) (*.csv) (*.csv)"),
                        U("Текстовые таблицы (*.txt, *.tsv) (*.txt *.tsv)"),
                        U("Таблицы (*.xlsx *.ods *.xls *.dbf) (*.xlsx *.ods *.xls *.dbf)"),
                        U("BWick-данные (*.fsr) (*.fsr)"),
                        U("Справочники КПК (*.fdb, *.zdb, *.db) (*.fdb *.zdb *.db)"),
                        U("Все файлы (*.*) (*.*)")}));
  QCOMPARE(h.window->document().FieldCount, 0);
}

void DesignerWindowTest::FailedOpenKeepsTheDocumentAndShowsTheError() {
  Harness h;
  h.OpenStaff();
  // Six columns: the import refuses the file in a plain box.
  h.Open(h.WriteFile(QStringLiteral("wide.csv"), "a;b;c;d;e;f\n1;2;3;4;5;6\n"));
  QCOMPARE(h.dialogs.messages.size(), size_t{1});
  QCOMPARE(h.dialogs.messages[0].kind, MessageKind::kPlain);
  // A file that cannot be read: an error with the stop icon.
  h.Open(h.dir.filePath(QStringLiteral("gone.fsr")));
  QCOMPARE(h.dialogs.messages.size(), size_t{2});
  QCOMPARE(h.dialogs.messages[1].kind, MessageKind::kFailure);
  QVERIFY(h.dialogs.messages[1].text.endsWith(U(": нет такого файла или папки")));
  // A binary file is no text: refused before its bytes reach the question or the grid.
  const int questions = h.dialogs.questions.size();
  for (const char* name : {"photo.csv", "photo.fsr"}) {
    QFile photo(h.dir.filePath(QString::fromLatin1(name)));
    QVERIFY(photo.open(QIODevice::WriteOnly));
    photo.write(QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF;", 11));
    photo.close();
    h.Open(photo.fileName());
    QCOMPARE(h.dialogs.messages.back().kind, MessageKind::kPlain);
    QVERIFY(h.dialogs.messages.back().text.contains(U("не является текстовым файлом")));
  }
  QCOMPARE(h.dialogs.questions.size(), questions);
  QCOMPARE(h.window->document().FieldCount, 3);
  QVERIFY(QString::fromStdString(h.window->document().SourceFileName).endsWith("staff.csv"));
  QCOMPARE(h.Grid()->item(0, 1)->text(), U("Фамилия"));
}

void DesignerWindowTest::DroppedFileIsOpened() {
  Harness h;
  const QString path = h.WriteFile(QStringLiteral("dropped.csv"), kStaffCsv);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(h.window.get(), &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(h.window.get(), &drop);
  QCOMPARE(h.window->document().FieldCount, 3);
}

void DesignerWindowTest::SaveRefusesWithoutNameOrFields() {
  Harness h;
  QTest::mouseClick(h.Find<QToolButton>("saveButton"), Qt::LeftButton);
  QCOMPARE(h.MessageTexts(), QStringList{U("Не указано название справочника!")});
  QCOMPARE(h.dialogs.messages[0].kind, MessageKind::kPlain);

  h.Find<QLineEdit>("databaseName")->setText(QStringLiteral(" "));  // blanks pass
  QTest::mouseClick(h.Find<QToolButton>("saveButton"), Qt::LeftButton);
  QCOMPARE(h.MessageTexts().last(), U("Сохранять нечего!"));
  QVERIFY(h.dialogs.save_requests.empty());
}

void DesignerWindowTest::SaveWritesTheFileProposedFromTheOpenedOneAndKeepsABackup() {
  Harness h;
  h.OpenStaff();
  h.Find<QLineEdit>("databaseName")->setText(U("Сотрудники"));
  // A value still being typed when Save is clicked is saved (the toolbar takes no focus).
  h.ClickCell(1, 2);
  QTRY_COMPARE(h.Grid()->currentRow(), 1);
  h.Type(h.Find<QLineEdit>("maxLen"), QStringLiteral("40"));
  const QString target = h.dir.filePath(QStringLiteral("staff.fsr"));
  h.dialogs.save_answers.push_back(target);
  h.dialogs.yes_no_answers.push_back(false);
  QTest::mouseClick(h.Find<QToolButton>("saveButton"), Qt::LeftButton);
  QCOMPARE(h.dialogs.save_requests[0].file_name, U("staff.fsr"));
  QVERIFY(QFile::exists(target));
  QCOMPARE(h.dialogs.questions.last(), U("Выполнить экспорт справочника в формат КПК?"));
  QVERIFY(!h.Find<QProgressBar>("progressBar")->isVisible());

  // Saving the opened source file over itself keeps the old content as ".BAK".
  Harness second;
  second.Open(target);
  QCOMPARE(second.window->document().Fields[2].MaxLen, 40);
  second.dialogs.save_answers.push_back(target);
  second.dialogs.yes_no_answers.push_back(false);
  QTest::mouseClick(second.Find<QToolButton>("saveButton"), Qt::LeftButton);
  QVERIFY2(second.dialogs.messages.empty(), qPrintable(second.MessageTexts().join('|')));
  QVERIFY(QFile::exists(target + QStringLiteral(".BAK")));
  QVERIFY(QFile::exists(target));
  QCOMPARE(second.window->document().RecordCount, 2);
}

void DesignerWindowTest::FailedSaveAsksNoExportQuestion() {
  Harness h;
  h.OpenStaff();
  const int questions = h.dialogs.questions.size();
  h.Find<QLineEdit>("databaseName")->setText(QStringLiteral("x"));
  h.dialogs.save_answers.push_back(h.dir.filePath(QStringLiteral("no/such/folder/x.fsr")));
  QTest::mouseClick(h.Find<QToolButton>("saveButton"), Qt::LeftButton);
  QCOMPARE(h.dialogs.messages.size(), size_t{1});
  QCOMPARE(h.dialogs.messages[0].kind, MessageKind::kFailure);
  QCOMPARE(h.dialogs.questions.size(), questions);
  QVERIFY(!h.Find<QProgressBar>("progressBar")->isVisible());
}

void DesignerWindowTest::ExportStartsTheBuilderBesideTheDesigner() {
  QTemporaryDir application_dir;
  const QString record = application_dir.filePath(QStringLiteral("arguments.txt"));
  WriteRecordingProgram(application_dir.filePath(QStringLiteral("bwickbuild")), record);

  Harness h(application_dir.path());
  h.OpenStaff();
  h.Find<QLineEdit>("databaseName")->setText(QStringLiteral("x"));
  QVERIFY(QDir(h.dir.path()).mkdir(QStringLiteral("my documents")));
  const QString target = h.dir.filePath(U("my documents/тел.fsr"));
  h.dialogs.save_answers.push_back(target);
  h.dialogs.yes_no_answers.push_back(true);
  QTest::mouseClick(h.Find<QToolButton>("saveButton"), Qt::LeftButton);
  QVERIFY(h.dialogs.messages.empty());
  QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
  QFile arguments(record);
  QVERIFY(arguments.open(QIODevice::ReadOnly));
  // One argument: the saved path exactly, blanks included.
  QCOMPARE(QString::fromUtf8(arguments.readAll()), target + QLatin1Char('|'));
}

void DesignerWindowTest::ExportReportsAMissingOrUnusableBuilder() {
  Harness h;  // the temporary folder holds no builder
  h.OpenStaff();
  h.Find<QLineEdit>("databaseName")->setText(QStringLiteral("x"));
  const QString target = h.dir.filePath(QStringLiteral("out.fsr"));
  h.dialogs.save_answers.push_back(target);
  h.dialogs.yes_no_answers.push_back(true);
  QTest::mouseClick(h.Find<QToolButton>("saveButton"), Qt::LeftButton);
  QVERIFY(QFile::exists(target));  // written all the same
  QCOMPARE(h.MessageTexts(), QStringList{U("Ошибка экспорта в формат КПК!")});
  QCOMPARE(h.dialogs.messages[0].kind, MessageKind::kError);

  // A builder file that cannot be run counts as missing.
  QFile builder(h.dir.filePath(QStringLiteral("bwickbuild")));
  QVERIFY(builder.open(QIODevice::WriteOnly));
  builder.close();
  builder.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
  h.dialogs.save_answers.push_back(target);
  h.dialogs.yes_no_answers.push_back(true);
  QTest::mouseClick(h.Find<QToolButton>("saveButton"), Qt::LeftButton);
  QCOMPARE(h.MessageTexts().size(), 2);
  QCOMPARE(h.MessageTexts().last(), U("Ошибка экспорта в формат КПК!"));

  // Answering No starts nothing and shows nothing.
  h.dialogs.save_answers.push_back(target);
  h.dialogs.yes_no_answers.push_back(false);
  QTest::mouseClick(h.Find<QToolButton>("saveButton"), Qt::LeftButton);
  QCOMPARE(h.MessageTexts().size(), 2);
}

// The design as it stands, saved or not, built into a temporary book for one viewer that every
// call starts again on it; the user's folder gets no file of it.
void DesignerWindowTest::ViewBookShowsTheDesignInOneViewer() {
  Harness h;
  QMenu* file_menu = h.Find<QMenu>("fileMenu");
  QStringList items;
  for (const QAction* item : file_menu->actions()) items << item->text();
  QCOMPARE(items, (QStringList{U("&Открыть"), U("&Сохранить"), U("Обновить &данные…"),
                               U("&Просмотр справочника…"), U("Последние &файлы"), QString(),
                               U("В&ыход")}));
  QAction* view_book = h.Find<QAction>("viewBookItem");
  view_book->trigger();
  QCOMPARE(h.MessageTexts(), QStringList{U("Нечего показывать: откройте файл с данными.")});

  // A viewer that writes its process number and its book, and stays until it is ended.
  QTemporaryDir beside;
  const QString record = beside.filePath(QStringLiteral("started.txt"));
  QFile program(beside.filePath(QStringLiteral("bwickview")));
  QVERIFY(program.open(QIODevice::WriteOnly));
  program.write(
      QStringLiteral("#!/bin/sh\necho \"$$ $1\" >> \"%1\"\nexec sleep 60\n").arg(record).toUtf8());
  program.close();
  program.setPermissions(program.permissions() | QFile::ExeOwner);

  Harness with_viewer(beside.path());
  with_viewer.OpenStaff();
  const auto started = [&] {
    QFile file(record);
    return file.open(QIODevice::ReadOnly)
               ? QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
               : QStringList{};
  };
  const auto shown_name = [&] {
    const QString path = started().last().section(QLatin1Char(' '), 1);
    const StatusOr<viewer::Book> book = viewer::LoadBook(QFile::encodeName(path).toStdString());
    if (!book.ok()) return QString();
    return QString::fromStdString(book->layout().name);
  };
  QAction* view = with_viewer.Find<QAction>("viewBookItem");
  with_viewer.Find<QLineEdit>("databaseName")->setText(QStringLiteral("Staff"));
  view->trigger();
  QTRY_COMPARE(started().size(), 1);
  QCOMPARE(shown_name(), QStringLiteral("Staff"));
  with_viewer.Find<QLineEdit>("databaseName")->setText(QStringLiteral("Crew"));
  view->trigger();
  QTRY_COMPARE(started().size(), 2);
  QCOMPARE(shown_name(), QStringLiteral("Crew"));
  const QString first_process = started().first().section(QLatin1Char(' '), 0, 0);
  QVERIFY(!QFile::exists(QStringLiteral("/proc/") + first_process));  // the first one ended
  QCOMPARE(QDir(with_viewer.dir.path()).entryList(QDir::Files),
           QStringList{QStringLiteral("staff.csv")});
  QVERIFY(with_viewer.dialogs.messages.empty());
  with_viewer.window.reset();
  const QString second_process = started().last().section(QLatin1Char(' '), 0, 0);
  QVERIFY(!QFile::exists(QStringLiteral("/proc/") + second_process));  // ended with the designer
}

void DesignerWindowTest::UnselectableColumnsKeepTheCurrentCell() {
  Harness h;
  h.OpenStaff();
  h.ClickCell(1, 2);
  QTRY_COMPARE(h.Grid()->currentRow(), 1);
  QCOMPARE(h.Find<QLineEdit>("numSize")->text(), U("1"));  // field 2 is numeric
  for (int column : {3, 4, 5}) {
    h.ClickCell(column, 3);
    QCOMPARE(h.Grid()->currentRow(), 1);
    QCOMPARE(h.Grid()->currentColumn(), 1);
    QCOMPARE(h.Find<QLineEdit>("numSize")->text(), U("1"));
  }
}

void DesignerWindowTest::NameEditingFollowsEveryKeystroke() {
  Harness h;
  h.OpenStaff();
  h.ClickCell(1, 3);
  QLineEdit* editor = nullptr;
  QTRY_VERIFY((editor = h.Grid()->findChild<QLineEdit*>(QStringLiteral("fieldNameEditor"))));
  editor->selectAll();
  QTest::keyClick(editor, Qt::Key_Delete);
  TypeKeys(editor, U("Населённыйпункт"));
  QCOMPARE(h.window->document().Fields[3].Name, *codepage::Utf8ToCp1251("Населённыйпункт"));
  // 20 characters: the cell keeps them, the name its first 16 bytes.
  TypeKeys(editor, U("ABCDE"));
  QCOMPARE(editor->text(), U("НаселённыйпунктABCDE"));
  QCOMPARE(h.Grid()->item(2, 1)->text(), U("НаселённыйпунктABCDE"));
  QCOMPARE(h.window->document().Fields[3].Name, *codepage::Utf8ToCp1251("НаселённыйпунктA"));
  // The code page cannot hold this character: the key is refused.
  TypeKeys(editor, U("中"));
  QCOMPARE(editor->text(), U("НаселённыйпунктABCDE"));
  // The preview shows the cut name.
  auto* label = h.window->findChild<QLabel*>(QStringLiteral("inputLabel3"));
  QVERIFY(label);
  QCOMPARE(label->text(), U("НаселённыйпунктA"));
}

void DesignerWindowTest::TypeChoiceChangesTheSavedType() {
  Harness h;
  h.OpenStaff();
  h.ClickCell(2, 1);
  auto* box = h.Find<QComboBox>("typeBox");
  QTRY_VERIFY(box->isVisible());
  QCOMPARE(box->currentText(), U("текстовый"));
  QRect cell = h.Grid()->visualRect(h.Grid()->model()->index(0, 2));
  cell.moveTopLeft(h.Grid()->viewport()->mapTo(box->parentWidget(), cell.topLeft()));
  QVERIFY(box->geometry().contains(cell));
  // The list is dropped down: choose "числовой" with the keyboard.
  QTRY_VERIFY(box->view()->isVisible());
  QTest::keyClick(box->view(), Qt::Key_Down);
  QTest::keyClick(box->view(), Qt::Key_Return);
  QTRY_VERIFY(!box->isVisible());
  // The names are no numbers: refused with the record and its value, and the type stays.
  QCOMPARE(h.window->document().Fields[1].DataType, kTypeText);
  QCOMPARE(h.Grid()->item(0, 2)->text(), U("текстовый"));
  QCOMPARE(h.MessageTexts(), QStringList{U("Поле «Фамилия» нельзя сделать числовым: в записи 1 "
                                           "значение «Иванов» — не целое число.")});
  QCOMPARE(h.dialogs.messages[0].kind, MessageKind::kPlain);

  // A field of numbers: to text without a number size, and back with the largest.
  const TFieldDesc& field = h.window->document().Fields[2];
  h.ClickCell(2, 2);
  QTRY_VERIFY(box->view()->isVisible());
  QTest::keyClick(box->view(), Qt::Key_Up);
  QTest::keyClick(box->view(), Qt::Key_Return);
  QTRY_VERIFY(!box->isVisible());
  QCOMPARE(field.DataType, kTypeText);
  QCOMPARE(field.NumSize, std::uint8_t{0});
  QCOMPARE(h.Find<QLineEdit>("numSize")->text(), U("N/A"));
  h.ClickCell(2, 2);
  QTRY_VERIFY(box->view()->isVisible());
  QTest::keyClick(box->view(), Qt::Key_Down);
  QTest::keyClick(box->view(), Qt::Key_Return);
  QTRY_VERIFY(!box->isVisible());
  QCOMPARE(h.Grid()->item(1, 2)->text(), U("числовой"));
  QCOMPARE(field.DataType, kTypeNumeric);
  QCOMPARE(field.NumSize, std::uint8_t{4});
  QCOMPARE(h.Find<QLineEdit>("numSize")->text(), U("4"));
  QCOMPARE(h.dialogs.messages.size(), size_t{1});
}

void DesignerWindowTest::KeyboardIntoTheTypeColumnOpensTheTypeBox_data() {
  QTest::addColumn<bool>("editing");  // the name cell's editor is open
  QTest::addColumn<int>("key");
  QTest::newRow("Right arrow") << false << int(Qt::Key_Right);
  QTest::newRow("Tab") << false << int(Qt::Key_Tab);
  QTest::newRow("Tab from the editor") << true << int(Qt::Key_Tab);
}

void DesignerWindowTest::KeyboardIntoTheTypeColumnOpensTheTypeBox() {
  QFETCH(bool, editing);
  QFETCH(int, key);
  Harness h;
  h.OpenStaff();
  h.ClickCell(1, 2);  // the numeric field; its name editor opens
  QTRY_COMPARE(h.Grid()->currentRow(), 1);
  if (!editing) Harness::Press(Qt::Key_Escape);
  Harness::Press(static_cast<Qt::Key>(key));
  auto* box = h.Find<QComboBox>("typeBox");
  QTRY_VERIFY(box->view()->isVisible());
  QCOMPARE(Harness::FocusedControl(), U("typeBox"));
  // The list takes the keys: Up highlights "текстовый", Tab takes it and goes on.
  Harness::Press(Qt::Key_Up);
  Harness::Press(Qt::Key_Tab);
  QTRY_VERIFY(!box->isVisible());
  QCOMPARE(h.Grid()->item(1, 2)->text(), U("текстовый"));
  QCOMPARE(h.window->document().Fields[2].DataType, kTypeText);
  QCOMPARE(Harness::FocusedControl(), U("queryTick2"));
}

void DesignerWindowTest::TabFollowsThePanelsAndTheStopsOfTheCurrentRow() {
  Harness h;
  h.OpenStaff();
  const Document before = h.window->document();
  // Upper panel, the current row's stops (name, type, its two boxes), the property panel, the
  // width boxes and the list, the query screen; then round again.
  const QStringList forward = {"splitter",   "cutLongLines", "fieldGrid",  "typeBox",
                               "queryTick1", "resultTick1",  "numSize",    "maxLen",
                               "digitsOnly", "upperCase",    "ignoreCase", "searchWithin",
                               "queryWidth", "resultWidth",  "inputOrder", "queryDatabaseName",
                               "inputBox1",  "inputBox2",    "inputBox3",  "databaseName"};
  QStringList backward(forward.rbegin() + 1, forward.rend());
  backward << U("databaseName");
  for (const bool ahead : {true, false}) {
    Harness::Focus(h.Find<QLineEdit>("databaseName"));
    QStringList visited;
    for (qsizetype i = 0; i < forward.size(); ++i) {
      Harness::Press(ahead ? Qt::Key_Tab : Qt::Key_Backtab,
                     ahead ? Qt::NoModifier : Qt::ShiftModifier);
      visited << Harness::FocusedControl();
    }
    QCOMPARE(visited, ahead ? forward : backward);
  }
  // Passing through changed nothing.
  QVERIFY(h.dialogs.messages.empty());
  for (int k = 1; k <= 3; ++k) QCOMPARE(h.window->document().Fields[k], before.Fields[k]);
}

void DesignerWindowTest::CtrlTabLeavesTheGridFromAnyStop_data() {
  QTest::addColumn<int>("tabs");  // Tab presses after opening the name editor
  QTest::addColumn<bool>("ahead");
  QTest::addColumn<QString>("leaves_to");
  QTest::newRow("name editor, forward") << 0 << true << U("numSize");
  QTest::newRow("type list, forward") << 1 << true << U("numSize");
  QTest::newRow("type list, back") << 1 << false << U("cutLongLines");
  QTest::newRow("result box, back") << 3 << false << U("cutLongLines");
}

void DesignerWindowTest::CtrlTabLeavesTheGridFromAnyStop() {
  QFETCH(int, tabs);
  QFETCH(bool, ahead);
  QFETCH(QString, leaves_to);
  Harness h;
  h.OpenStaff();
  h.ClickCell(1, 1);
  QTRY_VERIFY(h.Grid()->findChild<QLineEdit*>(QStringLiteral("fieldNameEditor")));
  for (int i = 0; i < tabs; ++i) Harness::Press(Qt::Key_Tab);
  Harness::Press(Qt::Key_Tab,
                 ahead ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(Harness::FocusedControl(), leaves_to);
  QVERIFY(!h.Find<QComboBox>("typeBox")->isVisible());
}

void DesignerWindowTest::CommitStoresNumberSizeAndFlags() {
  Harness h;
  h.OpenStaff();
  h.ClickCell(1, 2);  // the numeric field
  QTRY_COMPARE(h.Grid()->currentRow(), 1);
  h.Type(h.Find<QLineEdit>("numSize"), QStringLiteral("3"));
  h.Choose(h.Find<QComboBox>("digitsOnly"), U("Да"));
  h.Choose(h.Find<QComboBox>("upperCase"), U("верхний"));
  h.Choose(h.Find<QComboBox>("ignoreCase"), U("не учитывать"));
  h.Choose(h.Find<QComboBox>("searchWithin"), U("в строке"));
  h.Harness::Focus(h.Find<QLineEdit>("databaseName"));
  const TFieldDesc& field = h.window->document().Fields[2];
  QCOMPARE(field.NumSize, std::uint8_t{3});
  QCOMPARE(field.Flags, std::uint8_t{15});

  h.Choose(h.Find<QComboBox>("digitsOnly"), U("Нет"));
  h.Choose(h.Find<QComboBox>("upperCase"), U("любой"));
  h.Choose(h.Find<QComboBox>("ignoreCase"), U("учитывать"));
  // Letters that begin no item are refused as they are typed; leaving the empty box shows the
  // selected item again.
  h.Choose(h.Find<QComboBox>("searchWithin"), U("по xyz"));
  QCOMPARE(h.Find<QComboBox>("searchWithin")->currentText(), U("по "));
  h.Harness::Focus(h.Find<QLineEdit>("databaseName"));
  QCOMPARE(field.Flags, std::uint8_t{4});
  QCOMPARE(h.Find<QComboBox>("searchWithin")->currentText(), U("в строке"));
  // Letter case does not matter.
  h.Choose(h.Find<QComboBox>("searchWithin"), U("ПО НАЧАЛУ"));
  h.Harness::Focus(h.Find<QLineEdit>("databaseName"));
  QCOMPARE(field.Flags, std::uint8_t{0});
  QCOMPARE(h.Find<QComboBox>("searchWithin")->currentText(), U("по началу"));

  // A text field stores no number size, whatever the box says.
  h.ClickCell(1, 1);
  QTRY_COMPARE(h.Grid()->currentRow(), 0);
  h.Type(h.Find<QLineEdit>("numSize"), QStringLiteral("2"));
  h.Harness::Focus(h.Find<QLineEdit>("databaseName"));
  QCOMPARE(h.window->document().Fields[1].NumSize, std::uint8_t{0});
  QVERIFY(h.dialogs.messages.empty());

  // Moving to another row with the mouse commits to the old row first.
  h.ClickCell(1, 2);
  QTRY_COMPARE(h.Grid()->currentRow(), 1);
  h.Type(h.Find<QLineEdit>("maxLen"), QStringLiteral("40"));
  h.ClickCell(1, 3);
  QTRY_COMPARE(h.Grid()->currentRow(), 2);
  QCOMPARE(field.MaxLen, 40);
  QCOMPARE(h.Find<QLineEdit>("maxLen")->text(),
           QString::number(h.window->document().Fields[3].MaxLen));
}

void DesignerWindowTest::CommitStopsAtANumberThatDoesNotConvert() {
  Harness h;
  h.OpenStaff();
  h.ClickCell(1, 2);
  QTRY_COMPARE(h.Grid()->currentRow(), 1);
  const TFieldDesc before = h.window->document().Fields[2];
  h.Type(h.Find<QLineEdit>("maxLen"), QStringLiteral("77"));
  h.Type(h.Find<QLineEdit>("numSize"), QStringLiteral("abc"));  // "Размер поля" committed
  QCOMPARE(h.window->document().Fields[2].MaxLen, 77);
  h.Find<QLineEdit>("maxLen")->setText(QStringLiteral("88"));
  h.Choose(h.Find<QComboBox>("searchWithin"), U("в строке"));
  h.Harness::Focus(h.Find<QLineEdit>("databaseName"));
  QCOMPARE(h.dialogs.messages.size(), size_t{1});  // leaving the size box; the selector is silent
  QCOMPARE(h.MessageTexts().last(), U("Размер числа: «abc» — не целое число"));
  QCOMPARE(h.dialogs.messages.back().kind, MessageKind::kFailure);
  // The members from the number size on keep their values.
  const TFieldDesc& after = h.window->document().Fields[2];
  QCOMPARE(after.NumSize, before.NumSize);
  QCOMPARE(after.MaxLen, 77);
  QCOMPARE(after.Flags, before.Flags);

  // "Размер поля" emptied: its own rule keeps the old value and reports.
  const int messages = h.dialogs.messages.size();
  h.Type(h.Find<QLineEdit>("numSize"), QStringLiteral("2"));
  h.Type(h.Find<QLineEdit>("maxLen"), QString());
  h.Harness::Focus(h.Find<QLineEdit>("databaseName"));
  QCOMPARE(h.dialogs.messages.size(), size_t(messages + 1));
  QCOMPARE(h.MessageTexts().last(), U("Размер поля: «» — не целое число"));
  QCOMPARE(h.window->document().Fields[2].MaxLen, 88);
  // Letters cannot be typed into it.
  h.Type(h.Find<QLineEdit>("maxLen"), QStringLiteral("1a2"));
  QCOMPARE(h.Find<QLineEdit>("maxLen")->text(), QStringLiteral("12"));
}

void DesignerWindowTest::CommitRefusesNumbersOutOfRange() {
  Harness h;
  h.OpenStaff();
  h.ClickCell(1, 2);
  QTRY_COMPARE(h.Grid()->currentRow(), 1);
  const std::uint8_t size = h.window->document().Fields[2].NumSize;
  for (const char* bad : {"0", "5", "-1", "259"}) {
    h.Type(h.Find<QLineEdit>("numSize"), QString::fromLatin1(bad));
    h.Harness::Focus(h.Find<QLineEdit>("databaseName"));
    QCOMPARE(h.MessageTexts().last(), U("Размер числа: допустимы значения от 1 до 4."));
    QCOMPARE(h.window->document().Fields[2].NumSize, size);
  }
  h.Type(h.Find<QLineEdit>("numSize"), QStringLiteral("2"));
  h.Type(h.Find<QLineEdit>("maxLen"), QStringLiteral("65536"));
  h.Harness::Focus(h.Find<QLineEdit>("databaseName"));
  QCOMPARE(h.MessageTexts().last(), U("Размер поля: допустимы значения от 0 до 65535."));
  QCOMPARE(h.window->document().Fields[2].NumSize, std::uint8_t{2});
  QCOMPARE(h.window->document().Fields[2].MaxLen, 3);
  h.Type(h.Find<QLineEdit>("maxLen"), QStringLiteral("65535"));
  h.Harness::Focus(h.Find<QLineEdit>("databaseName"));
  QCOMPARE(h.window->document().Fields[2].MaxLen, 65535);
}

void DesignerWindowTest::NothingIsCommittedWithoutADocument() {
  Harness h;
  h.Choose(h.Find<QComboBox>("digitsOnly"), U("Да"));
  h.Type(h.Find<QLineEdit>("numSize"), QStringLiteral("x"));
  h.Harness::Focus(h.Find<QLineEdit>("databaseName"));
  QVERIFY(h.dialogs.messages.empty());
  QCOMPARE(h.window->document().Fields[1], TFieldDesc{});
  h.Type(h.Find<QLineEdit>("maxLen"), QString());
  h.Harness::Focus(h.Find<QLineEdit>("databaseName"));
  QCOMPARE(h.MessageTexts(), QStringList{U("Размер поля: «» — не целое число")});
}

void DesignerWindowTest::DoubleClickTogglesASelector() {
  Harness h;
  h.OpenStaff();
  auto* selector = h.Find<QComboBox>("digitsOnly");
  QCOMPARE(selector->currentText(), U("Нет"));  // field 1 is text: flags 10
  QTest::mouseDClick(selector->lineEdit(), Qt::LeftButton);
  QCOMPARE(selector->currentText(), U("Да"));
  QCOMPARE(h.window->document().Fields[1].Flags, std::uint8_t{10});  // nothing committed yet
  QTest::mouseDClick(selector->lineEdit(), Qt::LeftButton);
  QCOMPARE(selector->currentText(), U("Нет"));
}

void DesignerWindowTest::CheckBoxesChangeTheListPositions() {
  Harness h;
  h.OpenStaff();
  const Document& doc = h.window->document();
  QCOMPARE(doc.Fields[3].QueryIndex, std::uint8_t{3});
  QTest::mouseClick(h.Find<QCheckBox>("queryTick2"), Qt::LeftButton);
  QCOMPARE(doc.Fields[2].QueryIndex, std::uint8_t{0});
  QCOMPARE(doc.Fields[3].QueryIndex, std::uint8_t{2});
  QTest::mouseClick(h.Find<QCheckBox>("queryTick2"), Qt::LeftButton);
  QCOMPARE(doc.Fields[2].QueryIndex, std::uint8_t{3});
  QTest::mouseClick(h.Find<QCheckBox>("resultTick1"), Qt::LeftButton);
  QCOMPARE(doc.Fields[1].ResultIndex, std::uint8_t{0});
  QCOMPARE(doc.Fields[2].ResultIndex, std::uint8_t{1});
  // The preview follows: row 2 of the query screen now shows field 3.
  auto* label = h.window->findChild<QLabel*>(QStringLiteral("inputLabel2"));
  QVERIFY(label);
  QCOMPARE(label->text(), U("Город"));
}

void DesignerWindowTest::NameBoxIsMirroredWithThePreview() {
  Harness h;
  auto* name = h.Find<QLineEdit>("databaseName");
  auto* twin = h.window->findChild<QLineEdit*>(QStringLiteral("queryDatabaseName"));
  QVERIFY(twin);
  h.Harness::Focus(name);
  TypeKeys(name, U("Тел"));
  QCOMPARE(twin->text(), U("Тел"));
  h.Harness::Focus(twin);
  twin->end(false);
  TypeKeys(twin, U("ы"));
  QCOMPARE(name->text(), U("Телы"));
  QCOMPARE(h.window->DatabaseName(), *codepage::Utf8ToCp1251("Телы"));
}

void DesignerWindowTest::PreviewMessagesGoThroughTheDialogs() {
  Harness h;
  h.OpenStaff();
  QTest::mouseClick(h.Find<QWidget>("findArea"), Qt::LeftButton);
  QCOMPARE(h.dialogs.messages.size(), size_t{1});
  QCOMPARE(h.dialogs.messages[0].caption, U("К размышлению"));
  // A width box left empty: the error goes to the window's one error handler.
  h.Type(h.Find<QLineEdit>("queryWidth"), QString());
  h.Harness::Focus(h.Find<QLineEdit>("databaseName"));
  QVERIFY(h.dialogs.messages.size() >= 2);
  QCOMPARE(h.dialogs.messages.back().kind, MessageKind::kFailure);
  QCOMPARE(h.dialogs.messages.back().text, U("Ширина запроса: «» — не целое число"));
}

void DesignerWindowTest::MenuAndToolbarRunTheirCommands() {
  Harness h;
  const auto trigger = [&](const char* name) { h.Find<QAction>(name)->trigger(); };
  trigger("openItem");
  QVERIFY(!h.dialogs.open_filters.isEmpty());  // the open dialog was asked
  trigger("saveItem");
  QCOMPARE(h.MessageTexts().last(), U("Не указано название справочника!"));

  trigger("helpItem");
  QCOMPARE(h.dialogs.messages.back().kind, MessageKind::kInformation);
  const QStringList help = h.dialogs.messages.back().text.split(QLatin1Char('\n'));
  QCOMPARE(help.size(), 25);
  QCOMPARE(help[1], QString(33, QLatin1Char('-')));
  QCOMPARE(help[11],
           U("     название и параметры обнаруженных полей, а так же порядок их вывода."));
  QCOMPARE(help[24], U("https://brindlewick.example"));
  QVERIFY(!h.dialogs.messages.back().text.contains(QLatin1Char('\r')));
  QTest::mouseClick(h.Find<QToolButton>("helpButton"), Qt::LeftButton);
  QCOMPARE(h.dialogs.messages.size(), size_t{3});

  trigger("aboutItem");
  QCOMPARE(h.dialogs.messages.back().kind, MessageKind::kPlain);
  QVERIFY(h.dialogs.messages.back().text.startsWith(U("BWick DB Designer 0.01 b040413\n")));
  QVERIFY(h.dialogs.messages.back().text.endsWith(
      U("\n\n\n(c) 2004 Brindle-Wick, https://brindlewick.example")));

  QTest::mouseClick(h.Find<QToolButton>("exitButton"), Qt::LeftButton);
  QVERIFY(!h.window->isVisible());
}

void DesignerWindowTest::ClosingAsksToSaveEdits_data() {
  QTest::addColumn<bool>("edited");
  QTest::addColumn<bool>("saved_before");   // the Save command ran after the edit
  QTest::addColumn<int>("answer");          // to the close question
  QTest::addColumn<bool>("target_chosen");  // in the save dialog
  QTest::addColumn<bool>("closes");
  QTest::newRow("no edits") << false << false << -1 << false << true;
  QTest::newRow("edits saved") << true << true << -1 << false << true;
  QTest::newRow("Да") << true << false << int(Answer::kYes) << true << true;
  QTest::newRow("Да, save cancelled") << true << false << int(Answer::kYes) << false << false;
  QTest::newRow("Нет") << true << false << int(Answer::kNo) << false << true;
  QTest::newRow("Отмена") << true << false << int(Answer::kCancel) << false << false;
}

void DesignerWindowTest::ClosingAsksToSaveEdits() {
  QFETCH(bool, edited);
  QFETCH(bool, saved_before);
  QFETCH(int, answer);
  QFETCH(bool, target_chosen);
  QFETCH(bool, closes);
  Harness h;
  h.OpenStaff();
  const QString target = h.dir.filePath(QStringLiteral("staff.fsr"));
  if (edited) {
    h.Find<QLineEdit>("databaseName")->setText(U("Сотрудники"));
    h.ClickCell(1, 2);
    QTRY_COMPARE(h.Grid()->currentRow(), 1);
    h.Type(h.Find<QLineEdit>("maxLen"), QStringLiteral("40"));  // still being typed
  }
  if (saved_before) {
    h.dialogs.save_answers.push_back(target);
    h.dialogs.yes_no_answers.push_back(false);
    QTest::mouseClick(h.Find<QToolButton>("saveButton"), Qt::LeftButton);
    QVERIFY(QFile::remove(target));
  }
  const qsizetype questions = h.dialogs.questions.size();
  if (answer >= 0) h.dialogs.yes_no_cancel_answers.push_back(static_cast<Answer>(answer));
  if (target_chosen) h.dialogs.save_answers.push_back(target);
  h.dialogs.yes_no_answers.push_back(false);  // no export

  QTest::mouseClick(h.Find<QToolButton>("exitButton"), Qt::LeftButton);
  QCOMPARE(h.dialogs.questions.mid(questions, 1),
           answer >= 0 ? QStringList{U("Сохранить изменения в справочнике?")} : QStringList{});
  QCOMPARE(!h.window->isVisible(), closes);
  QCOMPARE(QFile::exists(target), target_chosen);
  QCOMPARE(h.window->document().Fields[2].MaxLen, edited ? 40 : 3);
}

void DesignerWindowTest::HelpBoxKeepsItsOwnLineBreaks() {
  Harness h;
  QtDialogs dialogs(h.window.get());
  int shown_lines = 0;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    shown_lines = label->height() / label->fontMetrics().lineSpacing();
    box->accept();
  });
  dialogs.ShowMessage(MessageKind::kInformation, HelpText());
  QCOMPARE(shown_lines, HelpText().count(QLatin1Char('\n')) + 1);
}

}  // namespace designer

QTEST_MAIN(designer::DesignerWindowTest)
#include "designer_window_test.moc"
