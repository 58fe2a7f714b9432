// The builder's window under a seeded stream of random input (window_common/test/random_input.h);
// the open dialog offers a source file now and then, and every message is only recorded.
#include "window_common/test/random_input.h"

#include <QTemporaryDir>
#include <QTest>

#include "builder/window/builder_window.h"
#include "builder/window/desktop.h"

namespace builder {
namespace {

class QuietDesktop : public Desktop {
 public:
  explicit QuietDesktop(QString source) : source_(std::move(source)) {}
  void ShowError(QWidget*, const QString&, const QString&) override {}
  std::optional<QString> ChooseInputFile(QWidget*) override {
    if (++asked_ % 2 == 0) return std::nullopt;
    return source_;
  }
  void OpenUrl(const QUrl&) override {}

 private:
  QString source_;
  int asked_ = 0;
};

}  // namespace

class BuilderRandomInputTest : public QObject {
  Q_OBJECT
 private slots:
  void SurvivesRandomInput() {
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("staff.fsr"));
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "; a source file\r\nBrindlewick Source\r\n; version\r\n13\r\n';'\r\n1\r\n2\r\n0\r\n"
        "Staff\r\nName\r\n1\r\n0\r\n0\r\n1\r\n1\r\n0\r\n100\r\n100\r\n10\r\nIvanov\r\n"
        "Petrov\r\n");
    file.close();
    QuietDesktop desktop(source);
    window_common::ClockPace pace(50);
    BuilderWindow window(desktop, pace);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window_common::RandomInput(&window).Run(400);
  }
};

}  // namespace builder

QTEST_MAIN(builder::BuilderRandomInputTest)
#include "random_input_test.moc"
