#include "designer/window/document_text.h"

namespace designer {

QString MessageText(const std::string& utf8) {
  return QString::fromStdString(utf8).replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
}

}  // namespace designer
