// XML members of an archive parsed as a stream of events (expat), so a sheet of any length is
// read in constant memory. Names arrive as "namespace|local" ("local" outside any namespace).
// Documents that declare a DTD are refused: none of the formats has one, and entity tricks live
// there.
#pragma once

#include <string_view>

#include "common/status.h"
#include "spreadsheet/zip_archive.h"

namespace spreadsheet {

class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  // `attributes` alternate name and value and end with a null.
  virtual void Start(std::string_view name, const char** attributes) = 0;
  virtual void End(std::string_view name) = 0;
  // Character data, possibly in several pieces.
  virtual void Text(std::string_view text) = 0;

  // Ends the parse from inside an event: a failed `status` fails it, Ok ends it with success.
  void Stop(Status status) {
    stopped_ = true;
    status_ = std::move(status);
  }
  bool stopped() const { return stopped_; }
  const Status& stop_status() const { return status_; }

 private:
  bool stopped_ = false;
  Status status_ = Status::Ok();
};

// Parses the whole member (or up to a Stop) into `handler`.
Status ParseXml(ZipMember& member, XmlHandler& handler);

// The part of a name after its namespace.
std::string_view LocalName(std::string_view name);

// The value of the attribute whose local name is `local`, whatever its namespace; null if none.
const char* Attribute(const char** attributes, std::string_view local);

// The value of the attribute named `name` in full ("namespace|local"); null if none.
const char* QualifiedAttribute(const char** attributes, std::string_view name);

}  // namespace spreadsheet
