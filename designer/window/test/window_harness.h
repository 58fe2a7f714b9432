// One designer window for a test, with its scripted dialogs and a temporary folder, and the
// steps a user takes in it: open a file, click a cell, type, choose, press a key.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "common/codepage.h"
#include "designer/window/main_window.h"
#include "designer/window/test/cp1251_file.h"
#include "designer/window/test/scripted_dialogs.h"
#include "window_common/test/type_keys.h"

namespace designer {

using window_common::TypeKeys;

inline const char kStaffCsv[] =
    "Фамилия;Номер;Город\n"
    "Иванов;123;Москва\n"
    "Петров;45;Тверь\n";

// One window with its scripted dialogs and a temporary folder for files and the builder.
struct Harness {
  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<MainWindow> window;

  explicit Harness(const QString& application_dir = {}, window_common::EventPace* pace = nullptr) {
    // Each window starts as at the first start, and keeps its settings in the test's own folder,
    // never in the user's nor in another test's running beside it.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    window = std::make_unique<MainWindow>(
        &dialogs, application_dir.isEmpty() ? dir.path() : application_dir, pace);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
  }

  template <typename T>
  T* Find(const char* name) {
    T* widget = window->findChild<T*>(QString::fromLatin1(name));
    if (!widget) qFatal("no widget %s", name);
    return widget;
  }

  // Writes `utf8` as Windows-1251 bytes to `name` in the temporary folder.
  QString WriteFile(const QString& name, const char* utf8) {
    return WriteCp1251File(dir, name, utf8);
  }

  // The open command with `path` chosen in the dialog.
  void Open(const QString& path) {
    dialogs.open_answers.push_back(path);
    QTest::mouseClick(Find<QToolButton>("openButton"), Qt::LeftButton);
  }

  void OpenStaff() {
    dialogs.yes_no_answers.push_back(true);  // the first line holds the names
    Open(WriteFile(QStringLiteral("staff.csv"), kStaffCsv));
    QCOMPARE(window->document().FieldCount, 3);
  }

  QTableWidget* Grid() { return Find<QTableWidget>("fieldGrid"); }

  // Clicks grid cell (column, row), rows counted from 1 as the fields are.
  void ClickCell(int column, int row) {
    QTableWidget* grid = Grid();
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  }

  // Gives `widget` the keyboard focus as a click or Tab would.
  static void Focus(QWidget* widget) {
    widget->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(widget->hasFocus());
  }

  void Type(QLineEdit* box, const QString& text) {
    Focus(box);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    TypeKeys(box, text);
  }

  // Chooses item `text` in the selector as a user does: types it.
  void Choose(QComboBox* selector, const QString& text) {
    Focus(selector);
    selector->lineEdit()->selectAll();
    QTest::keyClick(selector, Qt::Key_Delete);
    TypeKeys(selector, text);
  }

  // The control that holds the keyboard focus: a cell's editor counts as the grid, the type box's
  // dropped list as the type box.
  static QString FocusedControl() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
      const QString name = w->objectName();
      if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) &&
          name != QLatin1String("fieldNameEditor")) {
        return name;
      }
    }
    return {};
  }

  // A key pressed and released where the focus is.
  static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }

  QStringList MessageTexts() const {
    QStringList texts;
    for (const auto& shown : dialogs.messages) texts << shown.text;
    return texts;
  }
};

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace designer
