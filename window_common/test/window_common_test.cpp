// What every window shares, on the offscreen platform with only a fresh machine's fonts.
#include <QAction>
#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <utility>

#include "window_common/application.h"
#include "window_common/window_font.h"

namespace {

QString Plain(QString text) { return text.remove(QLatin1Char('&')); }

}  // namespace

class WindowCommonTest : public QObject {
  Q_OBJECT

 private slots:
  void WindowFontIsTheBundledFaceWhateverTheMachineHas() {
    const QFont regular = window_common::WindowFont();
    QFont bold = regular;
    bold.setBold(true);
    for (const QFont& font : {regular, bold}) {
      const QFontInfo used(font);
      QCOMPARE(used.family(), QStringLiteral("Liberation Sans"));
      QCOMPARE(used.pixelSize(), 11);
      QCOMPARE(used.styleName(), font.bold() ? QStringLiteral("Bold") : QStringLiteral("Regular"));
    }
  }

  void QtOwnTextsAreRussian() {
    QVERIFY(window_common::InstallQtRussianTranslation(*QCoreApplication::instance()));
    QMessageBox box(QMessageBox::Question, QString(), QString(),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
    const std::pair<QMessageBox::StandardButton, const char*> buttons[] = {
        {QMessageBox::Yes, "Да"},
        {QMessageBox::No, "Нет"},
        {QMessageBox::Cancel, "Отмена"},
        {QMessageBox::Ok, "OK"}};
    for (const auto& [button, text] : buttons) {
      QCOMPARE(Plain(box.button(button)->text()), QString::fromUtf8(text));
    }

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const std::pair<const char*, const char*> labels[] = {{"lookInLabel", "Перейти к:"},
                                                          {"fileNameLabel", "Имя файла:"},
                                                          {"fileTypeLabel", "Типы файлов:"}};
    for (const auto& [name, text] : labels) {
      QCOMPARE(Plain(dialog.findChild<QLabel*>(QString::fromLatin1(name))->text()),
               QString::fromUtf8(text));
    }

    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList items;
    for (const QAction* action : menu->actions())
      items << Plain(action->text()).section('\t', 0, 0);
    QVERIFY2(items.contains(QString::fromUtf8("Копировать")), qPrintable(items.join(' ')));
  }
};

QTEST_MAIN(WindowCommonTest)
#include "window_common_test.moc"
