#include "designer/window/help_texts.h"

#include <QStringList>

#include "common/maker.h"

namespace designer {

namespace {

const char kVersionLine[] = "BWick DB Designer 0.01 b040413";
const char kRule[] = "---------------------------------";
const char kMakerNotice[] = "(c) 2004 Brindle-Wick, ";

}  // namespace

QString HelpText() {
  const char* const lines[] = {
      kVersionLine,
      kRule,
      "",
      "Эта программа предназначена для подготовки справочников",
      "в формате BWick для КПК (Pocket PC), она позволяет",
      "изменять структуру и описание справочника.",
      "",
      "С чего начать?",
      "",
      "1. подготовте исходный CSV-файл с данными (например в Excel).",
      "2. откройте его в этой программе, укажите название справочника",
      "     название и параметры обнаруженных полей, а так же порядок их вывода.",
      "3. сохраните полученный справочник в FSR-файле (его можно будет открыть",
      "     в дальнейшем).",
      "4. после процесса сохранения, будет задан вопрос о экспорте справочника на КПК,",
      "     для нормального экспорта утилита - bwickbuild.exe должна находится",
      "      в той же папки где и эта программа.",
      "5. если экспорт прошел без ошибок, Вы получите файл с расширением FDB,",
      "     его можно скопировать на Ваш КПК и подключить к программе",
      "     просмотра - Brindle-Wick.",
      "",
      "Если Вы сталкнулись с вопросами и проблемами - обращайтесь на сайт,",
      "С уважением, разработчики Brindle-Wick.",
      kRule,
      kMakerWebAddress,
  };
  QStringList text;
  for (const char* line : lines) text << QString::fromUtf8(line);
  return text.join(QLatin1Char('\n'));
}

QString AboutText() {
  QStringList text;
  text << QString::fromUtf8(kVersionLine)
       << QString::fromUtf8("Конструктор структуры базы данных в формате BWick") << QString()
       << QString() << QString::fromUtf8(kMakerNotice) + QString::fromUtf8(kMakerWebAddress);
  return text.join(QLatin1Char('\n'));
}

}  // namespace designer
