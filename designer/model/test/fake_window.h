// The designer's window as the model's tests see it: the controls the readers and the writer
// take their options from are plain members, and the results are applied to them as the window
// applies them. The overloads below call the model the way the window does.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "designer/model/csv_import.h"
#include "designer/model/database_source.h"
#include "designer/model/document_io.h"
#include "designer/model/source_file.h"

namespace designer {

struct FakeWindow {
  std::string database_name;
  std::string splitter = ";";
  bool cut_long_lines = true;
  bool answer_yes = true;  // the answer to every question

  std::string status[4];
  std::vector<std::string> repainted_status;  // running counts put on the screen at once
  std::vector<std::string> questions;
  std::int64_t progress_maximum = -1;
  std::int64_t progress_position = -1;
  int loaded_count = 0;  // successful reads

  ReadOptions Reading(std::optional<TextEncoding> encoding = std::nullopt) {
    return {splitter, encoding,
            [this](const std::string& text) {
              questions.push_back(text);
              return answer_yes;
            },
            [this](int records) { repainted_status.push_back(std::to_string(records)); }};
  }

  SaveOptions Saving() {
    return {database_name, splitter, cut_long_lines,
            [this](std::int64_t written, std::int64_t expected) {
              progress_maximum = expected;
              progress_position = written;
            }};
  }

  Status Show(const Status& status, const ReadResult& result) {
    if (result.status) {
      for (int panel = 0; panel < 3; ++panel) this->status[panel] = (*result.status)[panel];
    }
    if (result.encoding_label) this->status[3] = *result.encoding_label;
    if (result.splitter) splitter = *result.splitter;
    if (result.database_name) database_name = *result.database_name;
    if (result.cut_long_lines) cut_long_lines = *result.cut_long_lines;
    if (status.ok()) ++loaded_count;
    return status;
  }
};

inline Status LoadCSV(Document& doc, const std::string& path, FakeWindow& window,
                      std::optional<TextEncoding> encoding = std::nullopt) {
  ReadResult result;
  const Status status = LoadCSV(doc, path, window.Reading(encoding), result);
  return window.Show(status, result);
}

inline Status LoadFSR(Document& doc, const std::string& path, FakeWindow& window) {
  ReadResult result;
  const Status status = LoadFSR(doc, path, window.Reading(), result);
  return window.Show(status, result);
}

inline Status LoadDB(Document& doc, const std::string& path, FakeWindow& window) {
  ReadResult result;
  const Status status = LoadDB(doc, path, window.Reading(), result);
  return window.Show(status, result);
}

inline Status SaveFSR(Document& doc, const std::string& target_path, FakeWindow& window) {
  return SaveFSR(doc, target_path, window.Saving());
}

}  // namespace designer
