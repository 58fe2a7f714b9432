// Where Windows-1251 document bytes meet the window's UTF-8 text.
#pragma once

#include <QString>
#include <QValidator>
#include <string>

namespace designer {

// The document's bytes as screen text.
QString FromDocument(const std::string& cp1251);

// Screen text as document bytes. The boxes refuse characters the code page cannot hold (see
// Cp1251Validator); one that still gets here becomes "?".
std::string ToDocument(const QString& text);

// A message of the system for a box: its "\n\r" line breaks become real ones.
QString MessageText(const std::string& utf8);

// Refuses any typed or pasted text with a character that Windows-1251 cannot hold, so that what
// the user sees is what the document stores.
class Cp1251Validator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

}  // namespace designer
