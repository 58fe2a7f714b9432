#include "builder/convert/messages.h"

#include "common/codepage.h"

namespace builder::messages {
namespace {

std::string Number(std::int64_t value) { return std::to_string(value); }
std::string Text(std::string_view cp1251) { return codepage::Cp1251ToUtf8(cp1251); }

}  // namespace

std::string ReadFailed(std::string_view input_path, std::string_view reason) {
  std::string text = "Ошибка чтение исходного файла данных - " + std::string(input_path);
  if (!reason.empty()) text += ": " + std::string(reason);
  return text;
}

std::string WrongSplitterCount(std::int64_t record, int found, int wanted, std::string_view line) {
  return "Запись - " + Number(record) + ", неверное число разделителей - " + Number(found) +
         ", должно быть - " + Number(wanted) + "\r\n" + Text(line);
}

std::string LineTooLong(std::int64_t record, std::size_t length, std::string_view line) {
  return "Запись - " + Number(record) + ", слишком длинная - " +
         Number(static_cast<std::int64_t>(length)) +
         ", максимально возможная длина записи - 255\r\n" + Text(line);
}

std::string RecordTooLong(std::int64_t record, int length, std::string_view line) {
  return "Запись - " + Number(record) + ", в базе заняла бы " + Number(length) +
         " байт, максимально возможная длина записи - 255\r\n" + Text(line);
}

std::string TooManyRecords(std::int64_t record) {
  return "Запись - " + Number(record) +
         ", слишком много записей, максимально возможное число - 4294967295";
}

std::string FewerRecordsThanDeclared(std::int64_t declared, std::int64_t read) {
  return "в заголовке объявлено записей: " + Number(declared) +
         ", а строк данных в файле: " + Number(read) + "; возможно, файл обрезан";
}

std::string WriteFailed(std::string_view output_path, std::string_view reason) {
  return "Ошибка записи файла базы данных - " + std::string(output_path) + ": " +
         std::string(reason);
}

std::string DatabaseIncomplete(std::string_view path, std::string_view fault) {
  return "База данных неполная или повреждена, упаковка отменена - " + std::string(path) + "\r\n" +
         std::string(fault);
}

std::string HeaderTruncated(std::string_view input_path) {
  return "Заголовок исходного файла неполный - " + std::string(input_path);
}

std::string BadFieldCount(std::int32_t count) {
  return "Неверное число полей - " + Number(count) + ", должно быть от 1 до 10";
}

std::string BadNumericSize(int field, std::string_view name, int size) {
  return "Поле " + Number(field) + " (" + Text(name) + "), неверный размер числа - " +
         Number(size) + ", должен быть от 1 до 4";
}

std::string FirstByteNotDigit(char first_byte) {
  return "Неправильные исходные данные, номер телефона должен начинаться с цифры,\r\n"
         "возможно вы используете ограничитель текста - " +
         Text(std::string_view(&first_byte, 1));
}

std::string WrongPhoneLength(std::int64_t record, std::string_view phone, std::size_t length,
                             int digits) {
  return "Запись - " + Number(record) + ", телефон-" + Text(phone) +
         ", число знаков в номере телефона - " + Number(static_cast<std::int64_t>(length)) +
         ", не соответствует заданному - " + Number(digits);
}

std::string DatabaseNotCreated(std::string_view folder, std::string_view reason) {
  return "Не удалось создать файл базы данных в папке - " +
         std::string(folder.empty() ? "." : folder) + ": " + std::string(reason);
}

std::string NotASourceFile(std::string_view input_path) {
  return "Файл не является исходным файлом справочника (первое значение не «Brindlewick "
         "Source») - " +
         std::string(input_path);
}

std::string PackSourceUnreadable(std::string_view source_path, std::string_view reason) {
  return "Не могу открыть файл для упаковки - " + std::string(source_path) + ": " +
         std::string(reason);
}

std::string PackReadFailed(std::string_view source_path, std::string_view reason) {
  return "Ошибка чтения файла при упаковке - " + std::string(source_path) + ": " +
         std::string(reason);
}

std::string PackTargetNotCreated(std::string_view target_path, std::string_view reason) {
  return "Не удалось создать упакованный файл - " + std::string(target_path) + ": " +
         std::string(reason);
}

std::string PackWriteFailed(std::string_view target_path, std::string_view reason) {
  return "Ошибка записи упакованного файла - " + std::string(target_path) + ": " +
         std::string(reason);
}

std::string Converting(std::int64_t record) { return "Преобразуется: " + Number(record); }
std::string Converted(std::int64_t records) { return "Преобразовано: " + Number(records); }
std::string Packing(std::int64_t total) { return "Упаковка: " + Number(total); }

}  // namespace builder::messages
