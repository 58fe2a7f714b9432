// Test files in the databases' code page, written from UTF-8 source text.
#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <string>

#include "common/codepage.h"

namespace designer {

// Writes `utf8` as Windows-1251 bytes to `name` in `dir` and returns its path.
inline QString WriteCp1251File(const QTemporaryDir& dir, const QString& name, const char* utf8) {
  const QString path = dir.filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
  const std::string bytes = *codepage::Utf8ToCp1251(utf8);
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  return path;
}

}  // namespace designer
