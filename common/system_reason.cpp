#include "common/system_reason.h"

#include <cerrno>
#include <cstring>

std::string SystemReason(int error_number) {
  switch (error_number) {
    case ENOENT:
      return "нет такого файла или папки";
    case EACCES:
    case EPERM:
      return "доступ запрещён";
    case ENOSPC:
    case EDQUOT:
      return "нет места на диске";
    case EROFS:
      return "файловая система только для чтения";
    case EISDIR:
      return "это папка";
    case ENOTDIR:
      return "часть пути не является папкой";
    case EMLINK:
      return "слишком много ссылок";
    case ELOOP:
      return "слишком много символических ссылок";
    case ENAMETOOLONG:
      return "слишком длинное имя файла";
    case EEXIST:
      return "файл уже существует";
    case EIO:
      return "ошибка ввода-вывода";
    default:
      return std::strerror(error_number);
  }
}
