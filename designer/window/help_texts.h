// The texts of the help and about boxes, with real line breaks.
#pragma once

#include <QString>

QString HelpText();
QString AboutText();
