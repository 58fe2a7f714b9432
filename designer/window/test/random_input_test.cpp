// The designer's window under a seeded stream of random input (window_common/test/random_input.h),
// with a document open and every dialog answered from the script.
#include "window_common/test/random_input.h"

#include <QTest>

#include "designer/window/test/window_harness.h"

namespace designer {

class DesignerRandomInputTest : public QObject {
  Q_OBJECT
 private slots:
  void SurvivesRandomInput() {
    Harness h;
    h.OpenStaff();
    window_common::RandomInput(h.window.get()).Run(400);
  }
};

}  // namespace designer

QTEST_MAIN(designer::DesignerRandomInputTest)
#include "random_input_test.moc"
