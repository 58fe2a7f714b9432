#include "format/zlib_reason.h"

#include <zlib.h>

#include <cstring>

namespace format {
namespace {

struct Wording {
  const char* english;
  const char* russian;
};

// The texts of zlib's inflate; a gzip file's own checks are the last two.
constexpr Wording kWordings[] = {
    {"incorrect header check", "неверная проверка заголовка"},
    {"unknown compression method", "неизвестный метод сжатия"},
    {"invalid window size", "неверный размер окна"},
    {"unknown header flags set", "в заголовке неизвестные флаги"},
    {"header crc mismatch", "не совпадает контрольная сумма заголовка"},
    {"invalid block type", "неверный тип блока"},
    {"invalid stored block lengths", "неверная длина несжатого блока"},
    {"too many length or distance symbols", "слишком много кодов длины или расстояния"},
    {"invalid code lengths set", "неверный набор длин кодов"},
    {"invalid bit length repeat", "неверный повтор длины кода"},
    {"invalid code -- missing end-of-block", "нет кода конца блока"},
    {"invalid literal/lengths set", "неверный набор кодов литералов и длин"},
    {"invalid distances set", "неверный набор кодов расстояний"},
    {"invalid literal/length code", "неверный код литерала или длины"},
    {"invalid distance code", "неверный код расстояния"},
    {"invalid distance too far back", "расстояние указывает до начала данных"},
    {"incorrect data check", "не совпадает контрольная сумма данных (CRC-32)"},
    {"incorrect length check", "не совпадает длина распакованных данных"},
};

}  // namespace

std::string ZlibReason(int code, const char* message) {
  if (message != nullptr) {
    for (const Wording& wording : kWordings) {
      if (std::strcmp(message, wording.english) == 0) return wording.russian;
    }
  }
  switch (code) {
    case Z_DATA_ERROR:
      return "сжатые данные повреждены";
    case Z_MEM_ERROR:
      return "не хватает памяти";
    case Z_BUF_ERROR:
      return "сжатые данные обрываются";
    case Z_STREAM_ERROR:
      return "внутренняя ошибка zlib";
    case Z_VERSION_ERROR:
      return "несовместимая версия zlib";
    default:
      return "ошибка zlib " + std::to_string(code);
  }
}

}  // namespace format
