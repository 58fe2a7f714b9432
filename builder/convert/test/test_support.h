// Helpers of the conversions' tests: a reporter that records the status texts, a scratch folder,
// whole-file reads and writes, and a source-file writer.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "builder/convert/reporter.h"
#include "common/codepage.h"
#include "common/test/hex.h"
#include "common/test/scratch_folder.h"
#include "format/source_grammar.h"

namespace builder::testing {

struct RecordingReporter : Reporter {
  void StatusText(const std::string& text) override { statuses.push_back(text); }

  std::vector<std::string> statuses;
};

using ScratchDir = testing_support::ScratchFolder;
using testing_support::Hex;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

inline bool Exists(const std::string& path) { return std::filesystem::exists(path); }

// One field block of a source file.
struct FieldLines {
  std::string name = "Field";
  int type = 1;
  int flags = 0;
  int size = 0;
  int query = 1;
  int result = 1;
  int detail = 0;
  int edit = 60;
  int result_width = 70;
  int max = 10;
};

// A source file as the designer writes it (comment before every value, CR LF line ends).
inline std::string SourceFile(const std::vector<FieldLines>& fields, const std::string& data,
                              int version = 13, char splitter = ';',
                              const std::string& name = "Book", int declared_fields = -1,
                              int records = 0) {
  std::ostringstream out;
  out << "; Brindle-Wick database source file\r\n;\r\n; prefix\r\nBrindlewick Source\r\n"
      << "; version\r\n"
      << version << "\r\n";
  if (version > 12) out << "; splitter char\r\n'" << splitter << "'\r\n";
  out << "; fields\r\n"
      << (declared_fields < 0 ? int(fields.size()) : declared_fields) << "\r\n"
      << "; records\r\n"
      << records << "\r\n; flags\r\n0\r\n; db name\r\n"
      << name << "\r\n"
      << "; Fields:\r\n";
  int i = 0;
  for (const FieldLines& f : fields) {
    out << "; Field #" << ++i << "\r\n";
    const std::string values[] = {f.name,
                                  std::to_string(f.type),
                                  std::to_string(f.flags),
                                  std::to_string(f.size),
                                  std::to_string(f.query),
                                  std::to_string(f.result),
                                  std::to_string(f.detail),
                                  std::to_string(f.edit),
                                  std::to_string(f.result_width),
                                  std::to_string(f.max)};
    static_assert(std::size(values) == format::kFieldValues.size());
    for (std::size_t v = 0; v < std::size(values); ++v)
      out << format::kFieldValues[v].comment << "\r\n" << values[v] << "\r\n";
  }
  return out.str() + data;
}

// How a test's Windows-1251 input is written: as it stands, or as its UTF-8 twin (with or without
// the byte-order mark). A conversion must give the same bytes and messages for all three.
enum class Rendering { kCp1251, kUtf8, kUtf8WithMark };

class EncodingTwinTest : public ::testing::TestWithParam<Rendering> {
 protected:
  void WriteInput(const std::string& path, const std::string& cp1251) const {
    switch (GetParam()) {
      case Rendering::kCp1251:
        return WriteBytes(path, cp1251);
      case Rendering::kUtf8:
        return WriteBytes(path, codepage::Cp1251ToUtf8(cp1251));
      case Rendering::kUtf8WithMark:
        return WriteBytes(path, "\xEF\xBB\xBF" + codepage::Cp1251ToUtf8(cp1251));
    }
  }
};

inline constexpr Rendering kRenderings[] = {Rendering::kCp1251, Rendering::kUtf8,
                                            Rendering::kUtf8WithMark};

inline std::string RenderingName(const ::testing::TestParamInfo<Rendering>& info) {
  const char* names[] = {"Cp1251", "Utf8", "Utf8WithMark"};
  return names[static_cast<int>(info.param)];
}

}  // namespace builder::testing
