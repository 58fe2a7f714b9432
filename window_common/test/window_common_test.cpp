// What every window shares, on the offscreen platform with only a fresh machine's fonts.
#include <QAction>
#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <memory>
#include <string>
#include <utility>

#include "window_common/application.h"
#include "window_common/cp1251_text.h"
#include "window_common/test/type_keys.h"
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

  void EveryByteComesBackAndALackingCharacterIsOneQuestionMark() {
    std::string every_byte;
    for (int byte = 0; byte < 256; ++byte) every_byte.push_back(static_cast<char>(byte));
    QVERIFY(window_common::ToCp1251(window_common::FromCp1251(every_byte)) == every_byte);
    // "😀" is two UTF-16 units: still one character.
    QVERIFY(window_common::ToCp1251(QStringLiteral("a北😀б")) == "a??\xE1");
  }

  void BoxRefusesALackingCharacterTypedOrPastedAndSaysSoInTheStatusBar() {
    QWidget window;
    auto* box = new QLineEdit(&window);
    box->setValidator(new window_common::Cp1251Validator(box));
    auto* bar = new QStatusBar(&window);
    window_common::ShowStatusTips(&window, bar);
    window_common::TypeKeys(box, QStringLiteral("аб€"));
    QCOMPARE(box->text(), QStringLiteral("аб€"));
    QVERIFY(bar->currentMessage().isEmpty());
    const std::pair<QString, char32_t> refusals[] = {{QStringLiteral("北"), U'北'},
                                                     {QStringLiteral("в😀г"), U'😀'}};
    for (const auto& [text, lacking] : refusals) {
      if (text.size() == 1) {
        window_common::TypeKeys(box, text);
      } else {
        box->insert(text);  // as a paste inserts it
      }
      QCOMPARE(box->text(), QStringLiteral("аб€"));
      QCOMPARE(bar->currentMessage(), window_common::RefusedCharacterMessage(lacking));
    }
  }
};

QTEST_MAIN(WindowCommonTest)
#include "window_common_test.moc"
