// The viewer's window under a seeded stream of random input (window_common/test/random_input.h),
// with a small phone book open; its dialogs are answered without showing anything.
#include "window_common/test/random_input.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "builder/convert/run_conversion.h"
#include "viewer/window/viewer_window.h"

namespace viewer {
namespace {

class QuietDialogs : public ViewerDialogs {
 public:
  std::optional<QString> ChooseBook(const QString&) override { return std::nullopt; }
  std::optional<QString> ChooseResultsFile(const QString&) override { return std::nullopt; }
  void ShowFailure(const QString&) override {}
  void ShowMessage(const QString&) override {}
};

}  // namespace

class ViewerRandomInputTest : public QObject {
  Q_OBJECT
 private slots:
  void SurvivesRandomInput() {
    QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("tel.txt"));
    QFile file(list);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("555;ivanov;ivan;;lenina 1\r\n777;petrov;petr;;mira 2\r\n");
    file.close();
    builder::ConversionRequest request;
    request.path = QFile::encodeName(list).toStdString();
    request.name = "Phones";
    request.digits = std::string(1, '3');
    builder::SilentReporter reporter;
    QVERIFY(builder::RunConversion(request, reporter).ok());

    QuietDialogs dialogs;
    QSettings settings(dir.filePath(QStringLiteral("viewer.ini")), QSettings::IniFormat);
    ViewerWindow window(&dialogs, settings);
    QVERIFY(window.OpenBook(dir.filePath(QStringLiteral("tel.fdb"))));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window_common::RandomInput(&window).Run(400);
  }
};

}  // namespace viewer

QTEST_MAIN(viewer::ViewerRandomInputTest)
#include "random_input_test.moc"
