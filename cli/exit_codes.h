// Exit statuses of the bwick tool: one table for every subcommand, so that a script can tell
// what went wrong without reading the messages. The help, README.md and the manual page print it.
#pragma once

namespace cli {

inline constexpr int kExitOk = 0;          // done; find: found at least one record
inline constexpr int kExitNotFound = 1;    // find: no record matched
inline constexpr int kExitUsage = 2;       // wrong command line
inline constexpr int kExitUnreadable = 3;  // an input cannot be read, or is damaged
inline constexpr int kExitUnwritable = 4;  // an output cannot be created or written
inline constexpr int kExitRefused = 5;     // the data is refused: a conversion error, a faulty
                                           // line, an existing output without --force

// The table as "bwick --help" ends with it.
inline constexpr const char* kExitStatusHelp =
    "Код выхода: 0 - готово (find: найдено), 1 - find ничего не нашёл, 2 - неверный вызов,\n"
    "3 - входной файл не читается или повреждён, 4 - не удалось записать выходной файл,\n"
    "5 - данные отвергнуты (ошибка преобразования, выходной файл уже есть, а --force нет).\n";

}  // namespace cli
