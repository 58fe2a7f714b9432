// A window driven by a seeded stream of random input: key presses (letters of both alphabets,
// digits, editing and navigation keys, shortcuts), clicks, double clicks and drags at random
// places of its visible widgets and of any menu or list it drops down. A crash, a sanitizer's
// report or a hang (the test's time limit) is the failure; the seed is printed first, so a
// failing stream can be replayed with BWICK_RANDOM_SEED. BWICK_RANDOM_SECONDS makes the stream
// run that long (the sanitizer build's test command sets 60); without it a fixed count of events
// runs, a few seconds' worth.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <cstdio>
#include <functional>
#include <random>

namespace window_common {

class RandomInput {
 public:
  // `window` is re-shown whenever the stream has closed it.
  explicit RandomInput(QWidget* window) : window_(window) {
    const QByteArray seed = qgetenv("BWICK_RANDOM_SEED");
    seed_ = seed.isEmpty() ? std::random_device{}() : seed.toUInt();
    std::fprintf(stderr, "random input seed %u (BWICK_RANDOM_SEED=%u replays it)\n", seed_, seed_);
    random_.seed(seed_);
    seconds_ = qEnvironmentVariableIntValue("BWICK_RANDOM_SECONDS");
  }

  // Runs the stream: `events` events, or BWICK_RANDOM_SECONDS seconds when set.
  void Run(int events) {
    QElapsedTimer clock;
    clock.start();
    for (int done = 0; seconds_ > 0 ? !clock.hasExpired(seconds_ * 1000LL) : done < events;
         ++done) {
      if (!window_->isVisible()) window_->show();
      Step();
      QCoreApplication::processEvents();
    }
  }

 private:
  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

  // A dropped-down menu or list takes the input first, as it does for a user.
  QWidget* Target() {
    if (QWidget* popup = QApplication::activePopupWidget(); popup && Pick(4) != 0) return popup;
    QList<QWidget*> shown;
    for (QWidget* w : window_->findChildren<QWidget*>())
      if (w->isVisible() && w->width() > 0 && w->height() > 0) shown << w;
    return shown.isEmpty() ? window_ : shown[Pick(static_cast<int>(shown.size()))];
  }

  QPoint Inside(const QWidget* w) { return QPoint(Pick(w->width()), Pick(w->height())); }

  // A click may close or rebuild the widget it lands on, so every further event checks it.
  void Step() {
    const QPointer<QWidget> target = Target();
    switch (Pick(6)) {
      case 0:
        QTest::mouseClick(target, Pick(5) == 0 ? Qt::RightButton : Qt::LeftButton, {},
                          Inside(target));
        break;
      case 1:
        QTest::mouseDClick(target, Qt::LeftButton, {}, Inside(target));
        break;
      case 2: {
        QTest::mousePress(target, Qt::LeftButton, {}, Inside(target));
        for (int i = 0; i < 3 && target; ++i)
          QTest::mouseMove(target, Inside(target) * 2 - QPoint(20, 20));
        if (target) QTest::mouseRelease(target, Qt::LeftButton, {}, Inside(target));
        break;
      }
      default:
        Key(QApplication::focusWidget() ? QApplication::focusWidget() : target.data());
        break;
    }
  }

  void Key(QWidget* target) {
    static const Qt::Key keys[] = {
        Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Up,
        Qt::Key_Down, Qt::Key_Left,    Qt::Key_Right,  Qt::Key_Delete, Qt::Key_Backspace,
        Qt::Key_Home, Qt::Key_End,     Qt::Key_Space,  Qt::Key_F1,     Qt::Key_F5,
        Qt::Key_F10,  Qt::Key_Alt,     Qt::Key_Z,      Qt::Key_Y,      Qt::Key_A};
    static const QString text = QString::fromUtf8("aZ09;,.-Яжё ");
    if (Pick(2) == 0) {
      QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(text[Pick(text.size())]),
                          Qt::NoModifier);
      return;
    }
    const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier,
                                               Qt::ControlModifier, Qt::AltModifier};
    QTest::keyClick(target, keys[Pick(std::size(keys))], modifiers[Pick(std::size(modifiers))]);
  }

  QWidget* window_;
  unsigned seed_ = 0;
  int seconds_ = 0;
  std::mt19937 random_;
};

}  // namespace window_common
