// Typing for the window tests: text entered key by key, as a keyboard of any layout enters it.
#pragma once

#include <QString>
#include <QTest>
#include <QWidget>

namespace window_common {

// Types `text` into `widget`, each character a key pressed and released, any alphabet.
inline void TypeKeys(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

}  // namespace window_common
