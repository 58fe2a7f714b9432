// The builder window driven through its real widgets on the offscreen platform, with the
// desktop (message boxes, open dialog, browser) answered by the test.
#include "builder/window/builder_window.h"

#include <zlib.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <filesystem>
#include <fstream>

#include "builder/window/qt_desktop.h"
#include "common/test/small_disk.h"
#include "window_common/cp1251_text.h"
#include "window_common/test/type_keys.h"

namespace builder {
namespace {

struct Message {
  QString caption;
  QString text;
};

class RecordingDesktop : public Desktop {
 public:
  void ShowError(QWidget* owner, const QString& caption, const QString& text) override {
    QVERIFY(owner != nullptr);
    messages.push_back({caption, text});
  }
  std::optional<QString> ChooseInputFile(QWidget*) override {
    if (chosen.empty()) return std::nullopt;
    QString path = chosen.front();
    chosen.pop_front();
    return path;
  }
  void OpenUrl(const QUrl& url) override { opened.push_back(url); }

  std::vector<Message> messages;
  std::deque<QString> chosen;
  std::vector<QUrl> opened;
};

// Every text the status bar showed on the screen, in order.
// The window handles its events at a status text only when the test says so, whatever the
// machine's speed.
struct StepPace : window_common::EventPace {
  bool Due() override { return due; }
  bool due = false;
};

class PaintedTexts : public QObject {
 public:
  explicit PaintedTexts(QLabel* label) : label_(label) { label->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && (texts.isEmpty() || texts.last() != label_->text())) {
      texts << label_->text();
    }
    return false;
  }
  QStringList texts;

 private:
  QLabel* label_;
};

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// A source file of two text fields with the database name `name` (Windows-1251 bytes) and the
// data lines `data`, written with ";" for the splitter.
QByteArray SourceFile(const QByteArray& name, char splitter,
                      const QByteArray& data = "Ivanov;123\r\nPetrov;456\r\n") {
  QByteArray text = "; a source file\r\nBrindlewick Source\r\n; version\r\n13\r\n'";
  text += splitter;
  text += "'\r\n2\r\n2\r\n0\r\n" + name + "\r\n";
  for (const char* field : {"Name", "Phone"}) {
    text += QByteArray(field) + "\r\n1\r\n0\r\n0\r\n1\r\n1\r\n0\r\n100\r\n100\r\n10\r\n";
  }
  return text + QByteArray(data).replace(';', splitter);
}

QByteArray Gunzip(const QString& path) {
  QByteArray bytes;
  gzFile file = gzopen(QFile::encodeName(path).constData(), "rb");
  if (file == nullptr) return bytes;
  char buffer[4096];
  int read = 0;
  while ((read = gzread(file, buffer, sizeof buffer)) > 0) bytes.append(buffer, read);
  gzclose(file);
  return bytes;
}

}  // namespace

class BuilderWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    desktop_ = std::make_unique<RecordingDesktop>();
    window_ = std::make_unique<BuilderWindow>(*desktop_, pace_);
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }
  void cleanup() {
    window_.reset();
    dir_.reset();
  }

  void LayoutShowsEveryTextWhole() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("Brindle Wick DB Builder"));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(!(window_->windowFlags() & Qt::WindowMinMaxButtonsHint));
    QVERIFY(window_->windowFlags() & Qt::WindowCloseButtonHint);
    for (QLabel* label : window_->findChildren<QLabel*>()) {
      const QRect needed = label->fontMetrics().boundingRect(QRect(), 0, label->text());
      QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height() + 2,
               qPrintable(label->text()));
    }
    for (QPushButton* button : window_->findChildren<QPushButton*>()) {
      QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 8 <= button->width(),
               qPrintable(button->text()));
    }
    // The banner's second line stands above the link below it.
    auto* banner = window_->findChild<QLabel*>("banner");
    QVERIFY(banner->y() + banner->fontMetrics().lineSpacing() + banner->fontMetrics().ascent() <=
            window_->findChild<QLabel*>("link")->y());
  }

  void TabCyclesThroughTheSevenControlsBothWays() {
    const QStringList ring = {"choose", "path", "name", "splitter", "digits", "start", "close"};
    QCOMPARE(QApplication::focusWidget()->objectName(), ring[0]);
    for (int step = 1; step <= ring.size(); ++step) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), ring[step % ring.size()]);
    }
    for (int step = ring.size() - 1; step >= 0; --step) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
      QCOMPARE(QApplication::focusWidget()->objectName(), ring[step]);
    }
  }

  void EnterStartsNothing() {
    Field("path")->setText(Path("list.csv"));
    for (const char* control : {"path", "start"}) {
      window_->findChild<QWidget*>(control)->setFocus();
      QTest::keyClick(window_->findChild<QWidget*>(control), Qt::Key_Return);
    }
    QVERIFY(desktop_->messages.empty());
    QCOMPARE(Status(), QString());
  }

  void FieldsTakeOnlyWhatTheDatabasesHold() {
    QVERIFY(Field("digits")->isEnabled());
    QTest::keyClicks(Field("digits"), "a7");
    QCOMPARE(Field("digits")->text(), QStringLiteral("7"));
    QTest::keyClicks(Field("splitter"), ",;");
    QCOMPARE(Field("splitter")->text(), QStringLiteral(","));
    window_common::TypeKeys(Field("name"), QStringLiteral("Телефоны 中 отдела продаж и доставки"));
    QCOMPARE(Field("name")->text(), QStringLiteral("Телефоны  отдела прода"));
    QCOMPARE(window_->findChild<QStatusBar*>()->currentMessage(),
             window_common::RefusedCharacterMessage(U'中'));
  }

  void HyperlinkLooksLikeALinkAndOpensTheAddress() {
    auto* link = window_->findChild<QLabel*>("link");
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(link, &enter);
    QVERIFY(link->font().underline());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
    QVERIFY(!link->font().underline());
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(desktop_->opened.size(), size_t{1});
    QCOMPARE(desktop_->opened[0], QUrl(QString::fromLatin1(kMakerWebAddress)));
  }

  void ChoosingASourceFileShowsItsNameAndSplitter() {
    WriteFile(Path("book.FSR"), SourceFile("\xD2\xE5\xEB\xE5\xF4\xEE\xED\xFB", '|'));
    WriteFile(Path("list.csv"), "123;a;b;c;d\r\n");
    WriteFile(Path("other.fsr"), "not a source file\r\n");
    desktop_->chosen = {Path("book.FSR")};
    QTest::mouseClick(Button("choose"), Qt::LeftButton);
    QCOMPARE(Field("path")->text(), Path("book.FSR"));
    QCOMPARE(Field("name")->text(), QStringLiteral("Телефоны"));
    QCOMPARE(Field("splitter")->text(), QStringLiteral("|"));

    // Cancelling and choosing a file of another kind leave the fields as they are.
    QTest::mouseClick(Button("choose"), Qt::LeftButton);
    QCOMPARE(Field("path")->text(), Path("book.FSR"));
    desktop_->chosen = {Path("list.csv")};
    QTest::mouseClick(Button("choose"), Qt::LeftButton);
    QCOMPARE(Field("path")->text(), Path("list.csv"));
    QCOMPARE(Field("name")->text(), QStringLiteral("Телефоны"));
    QVERIFY(desktop_->messages.empty());

    // A ".fsr" file without the source file's first value shows nothing.
    desktop_->chosen = {Path("other.fsr"), Path("gone.fsr")};
    QTest::mouseClick(Button("choose"), Qt::LeftButton);
    QCOMPARE(Field("name")->text(), QString());
    QCOMPARE(Field("splitter")->text(), QString());
    QVERIFY(desktop_->messages.empty());

    QTest::mouseClick(Button("choose"), Qt::LeftButton);
    ExpectMessages({"Не могу открыть файл с исходными данными - " + Path("gone.fsr")});
  }

  void DroppedFileIsTakenAsIfChosen() {
    WriteFile(Path("dropped.fsr"), SourceFile("Book", '|'));
    QMimeData two_files;
    two_files.setUrls({QUrl::fromLocalFile(Path("a.fsr")), QUrl::fromLocalFile(Path("b.fsr"))});
    QMimeData one_file;
    one_file.setUrls({QUrl::fromLocalFile(Path("dropped.fsr"))});
    for (QMimeData* data : {&two_files, &one_file}) {
      QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(window_.get(), &enter);
      QCOMPARE(enter.isAccepted(), data == &one_file);
    }
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &one_file, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &drop);
    QCOMPARE(Field("path")->text(), Path("dropped.fsr"));
    QCOMPARE(Field("name")->text(), QStringLiteral("Book"));
    QCOMPARE(Field("splitter")->text(), QStringLiteral("|"));
    QCOMPARE(Status(), QString());  // taken, not converted
  }

  void ANameLongerThanTheTypingLimitIsShownWholeAndCanBeShortened() {
    const QByteArray long_name(40, 'N');
    WriteFile(Path("long.fsr"), SourceFile(long_name, ';'));
    window_->LoadSourceHeader(Path("long.fsr").toStdString());
    QCOMPARE(Field("name")->text(), QString::fromLatin1(long_name));
    Field("name")->setFocus();
    QTest::keyClick(Field("name"), Qt::Key_End);
    QTest::keyClick(Field("name"), Qt::Key_Backspace);
    QTest::keyClicks(Field("name"), "xy");
    QCOMPARE(Field("name")->text(), QString(39, 'N'));
  }

  void FailuresAreReportedAndNeverCalledDone_data() {
    QTest::addColumn<QString>("path");  // in the test's folder unless empty, absolute or quoted
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("name");
    // "@" stands for the test's folder; packing's messages begin with their caption "Error: ".
    QTest::addColumn<QStringList>("messages");
    const QString failed = "Ошибка преобразования, проверте\nналичие входного файла и его формат!";
    const QString long_line(254, 'x');
    const auto row = [](const char* title, QString path, QByteArray content, QString name,
                        QStringList messages) {
      QTest::newRow(title) << path << content << name << messages;
    };
    row("no path", "", {}, "", {"Не указан файл с данными!"});
    row("no dot", "/list", {}, "", {"Не могу определить расширение файла!"});
    row("phone list without name", "list.csv", "123;a;b;c;d\r\n", "",
        {"Не указано название создаваемого справочника!"});
    row("quoted source file is a phone list", "\"book.fsr\"", {}, "",
        {"Не указано название создаваемого справочника!"});
    row("missing source file", "missing.fsr", {}, "", {failed});
    row("source file with a wrong first value", "bad.fsr", "Brindle\r\n", "",
        {"Файл не является исходным файлом справочника (первое значение не «Brindlewick "
         "Source») - @bad.fsr",
         failed});
    row("empty source file", "empty.fsr", "", "",
        {"Ошибка чтение исходного файла данных - @empty.fsr", failed});
    row("source line without splitters", "few.fsr", SourceFile("Book", ';', "Ivanov\r\n"), "",
        {"Запись - 1, неверное число разделителей - 0, должно быть - 1\nIvanov\n", failed});
    row("source line too long", "long.fsr",
        SourceFile("Book", ';', "a;b\r\n" + long_line.toLatin1() + ";\r\n"), "",
        {"Запись - 2, слишком длинная - 257, максимально возможная длина записи - 255\n" +
             long_line + ";\n",
         failed});
    row("empty phone list", "empty.csv", "", "Book",
        {"Ошибка чтение исходного файла данных - @empty.csv", failed});
    row("quoted phone list", "quoted.txt", "\"123\";a;b;c;d\r\n", "Книга",
        {"Неправильные исходные данные, номер телефона должен начинаться с цифры,\n"
         "возможно вы используете ограничитель текста - \"",
         failed});
    row("phone line with three splitters", "few.csv", "123;a;b;c\r\n", "Book",
        {"Запись - 1, неверное число разделителей - 3, должно быть - 4\n123;a;b;c\n", failed});
    row("phone line too long", "long.csv", "1;a;b;c;" + long_line.toLatin1() + "\r\n", "Book",
        {"Запись - 1, слишком длинная - 264, максимально возможная длина записи - 255\n1;A;B;C;" +
             long_line.toUpper() + "\n",
         failed});
    row("phone number of other length", "staff.csv", "123;a;b;c;d\r\n", "Book",
        {"Запись - 1, телефон-123, число знаков в номере телефона - 3, не соответствует "
         "заданному - 2",
         failed});
    row("phone list holding a NUL byte", "scan.csv", QByteArray("12;a;b;c;d\r\n\0", 13), "Book",
        {"Ошибка чтение исходного файла данных - @scan.csv: не является текстовым файлом: в нём "
         "есть байт с кодом 0 (смещение 12)",
         failed});
    row("UTF-8 phone list with a character Windows-1251 lacks", "cn.csv",
        "12;a;b;c;\xE4\xB8\xAD\r\n", "Book",
        {"Ошибка чтение исходного файла данных - @cn.csv: строка 1 содержит символ U+4E2D «中», "
         "которого нет в кодировке Windows-1251",
         failed});
    row("missing database", "missing.db", {}, "",
        {"Error: Не могу открыть файл для упаковки - @missing.db: нет такого файла или папки"});
  }
  void FailuresAreReportedAndNeverCalledDone() {
    QFETCH(QString, path);
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    QFETCH(QStringList, messages);
    if (!path.isEmpty() && !path.startsWith('"') && !path.startsWith('/')) path = Path(path);
    if (!content.isNull()) WriteFile(path, content);
    Field("path")->setText(path);
    Field("name")->setText(name);
    Field("digits")->setText("2");
    QTest::mouseClick(Button("start"), Qt::LeftButton);
    for (QString& text : messages) text.replace("@", dir_->path() + "/");
    ExpectMessages(messages);
    QVERIFY(Status() != QStringLiteral("Готово"));
    QVERIFY(window_->isVisible());
  }

  void TargetsAreNamedAfterTheInput_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("intermediate");
    QTest::newRow("source file") << "book.FSR"
                                 << "book.fdb"
                                 << "book.db";
    QTest::newRow("phone list") << "list.csv"
                                << "list.fdb"
                                << "list.db";
    QTest::newRow("dot only in a folder") << "a.b/list"
                                          << "a.b/list.fdb"
                                          << "a.b/list.db";
    QTest::newRow("name ending in a dot") << "list."
                                          << "list.fdb"
                                          << "list.db";
  }
  void TargetsAreNamedAfterTheInput() {
    QFETCH(QString, input);
    QFETCH(QString, target);
    QFETCH(QString, intermediate);
    QVERIFY(QDir(dir_->path()).mkpath("a.b"));
    const bool source = input.endsWith("FSR");
    WriteFile(Path(input), source ? SourceFile("Book", ';') : "123;a;b;c;d\r\n");
    Field("path")->setText(Path(input));
    Field("name")->setText("Book");
    Field("digits")->setText("3");
    PaintedTexts painted(window_->findChild<QLabel*>("status"));
    QTest::mouseClick(Button("start"), Qt::LeftButton);
    ExpectMessages({});
    const QByteArray phone_book_start(
        "\x01\0\0\0\x0B\x03"
        "Book",
        10);
    QVERIFY(Gunzip(Path(target)).startsWith(source ? QByteArray("BRWK") : phone_book_start));
    QVERIFY(!QFile::exists(Path(intermediate)));
    QVERIFY(painted.texts.indexOf("Сжатие") < painted.texts.indexOf("Готово"));
    QVERIFY(painted.texts.indexOf("Сжатие") >= 0);
  }

  void APackedDatabaseIsPackedAndKept() {
    // A phone book of 40000 bytes: header, 4441 records of four one-letter texts, end marker.
    QByteArray database("\x59\x11\0\0\x0B\0", 6);
    database += QByteArray(23, '\0');
    for (int i = 0; i < 4441; ++i)
      database += QByteArray(
          "\x09"
          "a\0b\0c\0d\0",
          9);
    database += "\xFF\xFF";
    WriteFile(Path("ready.DB"), database);
    Field("path")->setText(Path("ready.DB"));
    PaintedTexts painted(window_->findChild<QLabel*>("status"));
    QTest::mouseClick(Button("start"), Qt::LeftButton);
    ExpectMessages({});
    QCOMPARE(Gunzip(Path("ready.zdb")), database);
    QVERIFY(QFile::exists(Path("ready.DB")));
    QCOMPARE(painted.texts, (QStringList{"", "Сжатие", "Упаковка: 16384", "Упаковка: 32768",
                                         "Упаковка: 40000", "Готово"}));
  }

  void UnwritableOutputsAreReportedAndNeverCalledDone() {
    WriteFile(Path("list.csv"), "123;a;b;c;d\r\n");
    Field("path")->setText(Path("list.csv"));
    Field("name")->setText("Book");
    Field("digits")->setText("3");
    QVERIFY(QDir(dir_->path()).mkdir("list.fdb"));  // the target cannot be created
    QTest::mouseClick(Button("start"), Qt::LeftButton);
    ExpectMessages(
        {"Error: Не удалось создать упакованный файл - " + Path("list.fdb") + ": это папка"});
    QVERIFY(!Status().isEmpty());
    QVERIFY(Status() != QStringLiteral("Готово"));

    // In a folder where nothing can be created the database cannot be written either.
    testing_support::SmallDisk disk(64 * 1024);
    if (!disk.available()) QSKIP(disk.why_not().c_str());
    std::ofstream(disk.Path("list.csv"), std::ios::binary) << "123;a;b;c;d\r\n";
    QVERIFY(disk.MakeReadOnly());
    desktop_->messages.clear();
    Field("path")->setText(QString::fromStdString(disk.Path("list.csv")));
    QTest::mouseClick(Button("start"), Qt::LeftButton);
    ExpectMessages({"Не удалось создать файл базы данных в папке - " +
                        QString::fromStdString(disk.Path("")).chopped(1) +
                        ": файловая система только для чтения",
                    "Ошибка преобразования, проверте\nналичие входного файла и его формат!"});
    QVERIFY(Status() != QStringLiteral("Готово"));
  }

  void PhoneBookTakesNameSplitterAndDigitsFromTheWindow() {
    QByteArray expected("\x02\0\0\0\x0B\x02", 6);
    expected += QByteArray("\xD1\xEE\xF2\xF0\xF3\xE4\xED\xE8\xEA\xE8").leftJustified(23, '\0');
    expected += QByteArray("\x10IVANOV\0\xC1\xD3\xD5\0X\0Y\0", 16);
    expected += QByteArray("\x0A A\0B\0C\0D\0\xFF\xFF", 12);
    // The list in Windows-1251, then its UTF-8 twin: the same phone book.
    for (const QByteArray& list : {QByteArray("12|ivanov|\xe1\xf3\xf5|x |y\r\n34| a|b|c|d\r\n"),
                                   QByteArray("12|ivanov|бух|x |y\r\n34| a|b|c|d\r\n")}) {
      WriteFile(Path("staff.txt"), list);
      Field("path")->setText(Path("staff.txt"));
      Field("name")->setText("Сотрудники");
      Field("splitter")->setText("|");
      Field("digits")->setText("2");
      QTest::mouseClick(Button("start"), Qt::LeftButton);
      ExpectMessages({});
      QCOMPARE(Gunzip(Path("staff.fdb")), expected);
      QCOMPARE(Status(), QStringLiteral("Готово"));
    }
  }

  void ARunClearsTheStatusShowsItsCountAndLetsTheWindowRepaint() {
    // Enough lines for several status texts; the pace lets the window repaint at each of them.
    QByteArray list;
    for (int i = 0; i < 5000; ++i) list += "12;a;b;c;d\r\n";
    WriteFile(Path("list.csv"), list);
    Field("path")->setText(Path("list.csv"));
    Field("name")->setText("Book");
    Field("digits")->setText("2");
    QTest::mouseClick(Button("start"), Qt::LeftButton);
    QCOMPARE(Status(), QStringLiteral("Готово"));

    // A close asked for by the window system while the run repaints waits for the run's end.
    bool running = false;
    bool answered_while_running = false;
    bool shown_until_the_end = false;
    QTimer::singleShot(0, window_.get(), [&] {
      answered_while_running = running;
      window_->close();
      shown_until_the_end = window_->isVisible();
    });
    PaintedTexts painted(window_->findChild<QLabel*>("status"));
    pace_.due = true;
    running = true;
    QTest::mouseClick(Button("start"), Qt::LeftButton);
    running = false;
    QVERIFY(answered_while_running);
    QVERIFY(shown_until_the_end);
    QCOMPARE(painted.texts.value(0), QString());
    QVERIFY(painted.texts.contains("Преобразуется: 2000"));
    QCOMPARE(painted.texts.value(painted.texts.size() - 1), QStringLiteral("Готово"));
    QVERIFY(!window_->isVisible());
  }

  void ALongMessageIsShownWhole() {
    const QString line = "x;" + QString(500, 'y');
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      box->adjustSize();
      QVERIFY(box->width() <= box->screen()->availableGeometry().width());
      QCOMPARE(box->text().remove(QChar(0x200B)), "Запись - 2\n" + line);
      box->accept();
    });
    QtDesktop().ShowError(window_.get(), "Ошибка", "Запись - 2\n" + line);
  }

  void CommandLineRunConvertsAndCloses() {
    WriteFile(Path("book.fsr"), SourceFile("Book", ';'));
    window_->ConvertAndClose(Path("book.fsr").toStdString());
    QCOMPARE(Field("path")->text(), Path("book.fsr"));
    QCOMPARE(Field("name")->text(), QStringLiteral("Book"));
    QVERIFY(Gunzip(Path("book.fdb")).startsWith("BRWK"));
    QVERIFY(!window_->isVisible());
    ExpectMessages({});
  }

  void CommandLineRunKeepsAPathThatIsNoValidUtf8() {
    // A name in the databases' code page, as copied from another system: "Тел.fsr".
    const std::string path = Path("").toStdString() + "\xD2\xE5\xEB.fsr";
    std::ofstream(path, std::ios::binary) << SourceFile("Book", ';').toStdString();
    window_->ConvertAndClose(path);
    ExpectMessages({});
    QCOMPARE(Field("name")->text(), QStringLiteral("Book"));
    QVERIFY(std::filesystem::exists(Path("").toStdString() + "\xD2\xE5\xEB.fdb"));
  }

  void CommandLineRunClosesAfterARefusal() {
    window_->ConvertAndClose("\"" + Path("book.fsr").toStdString() + "\"");
    ExpectMessages({"Не указано название создаваемого справочника!"});
    QVERIFY(!window_->isVisible());
  }

  void ProgramConvertsItsArgumentsJoinedByBlanksAndExitsWithZero() {
    QVERIFY(QDir(dir_->path()).mkdir("my books"));
    WriteFile(Path("my books/book one.fsr"), SourceFile("Book", ';'));
    QProcess program;
    // Unquoted, as a shell would split it: three arguments.
    program.start(BWICKBUILD_PROGRAM, Path("my books/book one.fsr").split(' '));
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(Gunzip(Path("my books/book one.fdb")).startsWith("BRWK"));
    QVERIFY(!QFile::exists(Path("my books/book one.db")));
  }

 private:
  QString Path(const QString& name) const { return dir_->path() + "/" + name; }
  QLineEdit* Field(const char* name) const { return window_->findChild<QLineEdit*>(name); }
  QPushButton* Button(const char* name) const { return window_->findChild<QPushButton*>(name); }
  QString Status() const { return window_->findChild<QLabel*>("status")->text(); }
  void ExpectMessages(const QStringList& texts) {
    QStringList shown;
    for (const Message& message : desktop_->messages) {
      const bool packing = message.caption == QStringLiteral("Error");
      QVERIFY(packing || message.caption == QStringLiteral("Ошибка"));
      shown << (packing ? "Error: " : "") + message.text;
    }
    QCOMPARE(shown, texts);
  }

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<RecordingDesktop> desktop_;
  StepPace pace_;
  std::unique_ptr<BuilderWindow> window_;
};

}  // namespace builder

QTEST_MAIN(builder::BuilderWindowTest)
#include "builder_window_test.moc"
