// The files a book for the handheld comes in, as an open dialog offers them: packed (".fdb",
// ".zdb") or not (".db").
#pragma once

#include <QStringList>

namespace handheld {

inline QStringList BookFileFilters() {
  return {QStringLiteral("Справочники КПК (*.fdb *.zdb *.db)"), QStringLiteral("Все файлы (*)")};
}

}  // namespace handheld
