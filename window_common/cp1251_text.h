// The one conversion between the windows' texts and Windows-1251, the code page of every book
// and file, with the one rule for a character the code page lacks: an edit box refuses it as it
// is typed or pasted and says so in the window's status bar.
#pragma once

#include <QString>
#include <QValidator>
#include <string>
#include <string_view>

class QLabel;
class QStatusBar;
class QWidget;

namespace window_common {

// Windows-1251 bytes as screen text; every byte has its character.
QString FromCp1251(std::string_view bytes);

// Screen text as Windows-1251 bytes. The boxes (Cp1251Validator) let no character the code page
// lacks in; should one come another way, it becomes one "?", as the system's own conversion
// makes it.
std::string ToCp1251(const QString& text);

// What the status bar says when a box refuses `character`.
QString RefusedCharacterMessage(char32_t character);

// The edit box's guard: a typed or pasted text holding a character that Windows-1251 lacks is
// refused and the character named by a status tip, which travels up to the window (a main
// window shows it in its status bar; ShowStatusTips for other windows). A box with rules of its
// own derives and adds them in TakeBytes.
class Cp1251Validator : public QValidator {
 public:
  // `box` (the parent) is where the status tip starts.
  explicit Cp1251Validator(QObject* box);
  State validate(QString& input, int& pos) const final;

 protected:
  // The box's own rules on `bytes`, its whole text as Windows-1251, which it may rewrite as the
  // box holds it once typed, one byte for one. Every text is Acceptable unless overridden.
  virtual State TakeBytes(std::string& bytes) const;
};

// Makes `window` show the status tips that reach it (a refused character, say) in `bar`, each
// for a few seconds, long enough to be read.
void ShowStatusTips(QWidget* window, QStatusBar* bar);
// The same for a window whose status bar is made of labels: the tip stands in `label`.
void ShowStatusTips(QWidget* window, QLabel* label);

}  // namespace window_common
