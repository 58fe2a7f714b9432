// The conversions' texts, in one place so the converters and the line checker say the same.
// Every text is UTF-8; data bytes (lines, names, phone fields) arrive as Windows-1251 and are
// converted here. "\r\n" is part of the texts; a window may show it as a line break.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace builder::messages {

// `reason` empty: the input has no line at all.
std::string ReadFailed(std::string_view input_path, std::string_view reason = {});
std::string WrongSplitterCount(std::int64_t record, int found, int wanted, std::string_view line);
std::string LineTooLong(std::int64_t record, std::size_t length, std::string_view line);
std::string RecordTooLong(std::int64_t record, int length, std::string_view line);
std::string TooManyRecords(std::int64_t record);
std::string FewerRecordsThanDeclared(std::int64_t declared, std::int64_t read);
std::string WriteFailed(std::string_view output_path, std::string_view reason);
// `fault` is the database reader's.
std::string DatabaseIncomplete(std::string_view path, std::string_view fault);
std::string HeaderTruncated(std::string_view input_path);
std::string BadFieldCount(std::int32_t count);
std::string BadNumericSize(int field, std::string_view name, int size);
std::string FirstByteNotDigit(char first_byte);
std::string WrongPhoneLength(std::int64_t record, std::string_view phone, std::size_t length,
                             int digits);
// A folder where the database cannot be created.
std::string DatabaseNotCreated(std::string_view folder, std::string_view reason);
std::string NotASourceFile(std::string_view input_path);
// Packing: the database to be packed, and the packed file.
std::string PackSourceUnreadable(std::string_view source_path, std::string_view reason);
std::string PackReadFailed(std::string_view source_path, std::string_view reason);
std::string PackTargetNotCreated(std::string_view target_path, std::string_view reason);
std::string PackWriteFailed(std::string_view target_path, std::string_view reason);
std::string Converting(std::int64_t record);
std::string Converted(std::int64_t records);
std::string Packing(std::int64_t total);

}  // namespace builder::messages
