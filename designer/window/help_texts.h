// The texts of the help and about boxes, with real line breaks.
#pragma once

#include <QString>

namespace designer {

QString HelpText();
QString AboutText();

}  // namespace designer
