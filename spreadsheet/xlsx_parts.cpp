#include "spreadsheet/xlsx_parts.h"

#include <charconv>
#include <map>
#include <memory>

#include "spreadsheet/failure.h"
#include "spreadsheet/number_format.h"
#include "spreadsheet/row_assembler.h"
#include "spreadsheet/xml_stream.h"

namespace spreadsheet {
namespace {

Status ParseMember(const ZipArchive& archive, const std::string& member, XmlHandler& handler) {
  StatusOr<std::unique_ptr<ZipMember>> stream = archive.Open(member, member);
  if (!stream.ok()) return stream.status();
  return ParseXml(*stream.value(), handler);
}

int Number(const char* text) {
  int value = -1;
  if (text != nullptr) std::from_chars(text, text + std::char_traits<char>::length(text), value);
  return value;
}

// A target relative to `folder`, or from the package's root when it starts with "/"; "." and
// ".." steps are followed.
std::string Resolve(const std::string& folder, std::string_view target) {
  std::vector<std::string> steps;
  std::string path =
      target.starts_with('/') ? std::string(target.substr(1)) : folder + std::string(target);
  for (std::size_t at = 0; at <= path.size();) {
    std::size_t slash = path.find('/', at);
    if (slash == std::string::npos) slash = path.size();
    const std::string step = path.substr(at, slash - at);
    if (step == "..") {
      if (!steps.empty()) steps.pop_back();
    } else if (!step.empty() && step != ".") {
      steps.push_back(step);
    }
    at = slash + 1;
  }
  std::string resolved;
  for (const std::string& step : steps) resolved += (resolved.empty() ? "" : "/") + step;
  return resolved;
}

class RelationshipsHandler : public XmlHandler {
 public:
  RelationshipsHandler(std::string folder, std::vector<Relationship>& out)
      : folder_(std::move(folder)), out_(out) {}
  void Start(std::string_view name, const char** attributes) override {
    if (LocalName(name) != "Relationship") return;
    const char* id = Attribute(attributes, "Id");
    const char* type = Attribute(attributes, "Type");
    const char* target = Attribute(attributes, "Target");
    const char* mode = Attribute(attributes, "TargetMode");
    if (id == nullptr || type == nullptr || target == nullptr) return;
    if (mode != nullptr && std::string_view(mode) == "External") return;
    const std::string_view kind(type);
    out_.push_back({id, std::string(kind.substr(kind.rfind('/') + 1)), Resolve(folder_, target)});
  }
  void End(std::string_view) override {}
  void Text(std::string_view) override {}

 private:
  std::string folder_;
  std::vector<Relationship>& out_;
};

class BookHandler : public XmlHandler {
 public:
  explicit BookHandler(XlsxBookPart& book) : book_(book) {}
  void Start(std::string_view name, const char** attributes) override {
    const std::string_view local = LocalName(name);
    if (local == "workbookPr") {
      const char* epoch = Attribute(attributes, "date1904");
      book_.epoch1904 =
          epoch != nullptr && (std::string_view(epoch) == "1" || std::string_view(epoch) == "true");
    } else if (local == "sheet") {
      const char* sheet_name = Attribute(attributes, "name");
      const char* state = Attribute(attributes, "state");
      const char* id = Attribute(attributes, "id");
      book_.sheets.push_back({sheet_name ? sheet_name : "",
                              state && std::string_view(state) != "visible", id ? id : ""});
    }
  }
  void End(std::string_view) override {}
  void Text(std::string_view) override {}

 private:
  XlsxBookPart& book_;
};

// Each <si> is one string: the texts of its runs joined, its phonetic hints (<rPh>) left out.
class SharedStringsHandler : public XmlHandler {
 public:
  SharedStringsHandler(SharedStrings& strings, const std::string& file, const std::string& part)
      : strings_(strings), file_(file), part_(part) {}
  void Start(std::string_view name, const char**) override {
    const std::string_view local = LocalName(name);
    if (local == "si") current_.clear();
    if (local == "rPh") ++in_hint_;
    if (local == "t") in_text_ = in_hint_ == 0;
  }
  void End(std::string_view name) override {
    const std::string_view local = LocalName(name);
    if (local == "si") strings_.Append(current_);
    if (local == "rPh") --in_hint_;
    if (local == "t") in_text_ = false;
  }
  void Text(std::string_view text) override {
    if (!in_text_) return;
    current_ += text;
    if (current_.size() > kMaxCellBytes)
      Stop(Damaged(file_, part_, "в общей строке больше 32 767 знаков"));
  }

 private:
  SharedStrings& strings_;
  const std::string& file_;
  const std::string& part_;
  std::string current_;
  int in_hint_ = 0;
  bool in_text_ = false;
};

// The number formats of <numFmts>, then one style for each <xf> of <cellXfs>.
class StylesHandler : public XmlHandler {
 public:
  explicit StylesHandler(CellStyles& styles) : styles_(styles) {}
  void Start(std::string_view name, const char** attributes) override {
    const std::string_view local = LocalName(name);
    if (local == "numFmt") {
      const char* code = Attribute(attributes, "formatCode");
      codes_[Number(Attribute(attributes, "numFmtId"))] = code ? code : "";
    } else if (local == "cellXfs") {
      in_cell_formats_ = true;
    } else if (local == "xf" && in_cell_formats_) {
      const int id = Number(Attribute(attributes, "numFmtId"));
      const auto code = codes_.find(id);
      styles_.push_back(DateStyleOfFormat(id, code == codes_.end() ? "" : code->second));
    }
  }
  void End(std::string_view name) override {
    if (LocalName(name) == "cellXfs") in_cell_formats_ = false;
  }
  void Text(std::string_view) override {}

 private:
  CellStyles& styles_;
  std::map<int, std::string> codes_;
  bool in_cell_formats_ = false;
};

}  // namespace

StatusOr<std::vector<Relationship>> ReadRelationships(const ZipArchive& archive,
                                                      const std::string& part) {
  std::vector<Relationship> relationships;
  const std::size_t slash = part.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : part.substr(0, slash + 1);
  const std::string member = folder + "_rels/" + part.substr(folder.size()) + ".rels";
  if (!archive.Has(member)) return relationships;
  RelationshipsHandler handler(folder, relationships);
  if (Status parsed = ParseMember(archive, member, handler); !parsed.ok()) return parsed;
  return relationships;
}

StatusOr<XlsxBookPart> ReadBookPart(const ZipArchive& archive, const std::string& member) {
  XlsxBookPart book;
  BookHandler handler(book);
  if (Status parsed = ParseMember(archive, member, handler); !parsed.ok()) return parsed;
  return book;
}

StatusOr<SharedStrings> ReadSharedStrings(const ZipArchive& archive, const std::string& member) {
  SharedStrings strings;
  SharedStringsHandler handler(strings, archive.file(), member);
  if (Status parsed = ParseMember(archive, member, handler); !parsed.ok()) return parsed;
  return strings;
}

StatusOr<CellStyles> ReadCellStyles(const ZipArchive& archive, const std::string& member) {
  CellStyles styles;
  StylesHandler handler(styles);
  if (Status parsed = ParseMember(archive, member, handler); !parsed.ok()) return parsed;
  return styles;
}

}  // namespace spreadsheet
