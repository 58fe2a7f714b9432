#include "spreadsheet/xml_stream.h"

#include <expat.h>

#include <memory>

#include "spreadsheet/failure.h"

namespace spreadsheet {
namespace {

constexpr int kChunkBytes = 64 * 1024;

struct Context {
  XML_Parser parser;
  XmlHandler& handler;
  const ZipMember& member;
};

// Runs one event unless the handler has stopped, and passes a new stop on to the parser.
template <typename Event>
void Dispatch(void* data, Event event) {
  auto& context = *static_cast<Context*>(data);
  if (context.handler.stopped()) return;
  event(context.handler);
  if (context.handler.stopped()) XML_StopParser(context.parser, XML_FALSE);
}

void OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  Dispatch(data, [&](XmlHandler& handler) { handler.Start(name, attributes); });
}

void OnEnd(void* data, const XML_Char* name) {
  Dispatch(data, [&](XmlHandler& handler) { handler.End(name); });
}

void OnText(void* data, const XML_Char* text, int length) {
  Dispatch(data, [&](XmlHandler& handler) {
    handler.Text(std::string_view(text, static_cast<std::size_t>(length)));
  });
}

void OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  auto& context = *static_cast<Context*>(data);
  Dispatch(data, [&](XmlHandler& handler) {
    handler.Stop(Damaged(context.member.file(), context.member.part(),
                         "объявления DTD в этой разметке не бывает"));
  });
}

}  // namespace

Status ParseXml(ZipMember& member, XmlHandler& handler) {
  const std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(
      XML_ParserCreateNS(nullptr, '|'), XML_ParserFree);
  if (!parser) return Damaged(member.file(), member.part(), "не хватает памяти");
  Context context{parser.get(), handler, member};
  XML_SetUserData(parser.get(), &context);
  XML_SetElementHandler(parser.get(), OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser.get(), OnText);
  XML_SetStartDoctypeDeclHandler(parser.get(), OnDoctype);
  for (;;) {
    void* buffer = XML_GetBuffer(parser.get(), kChunkBytes);
    if (buffer == nullptr) return Damaged(member.file(), member.part(), "не хватает памяти");
    const StatusOr<std::size_t> read = member.Read(static_cast<char*>(buffer), kChunkBytes);
    if (!read.ok()) return read.status();
    const std::size_t got = read.value();
    const bool last = got == 0;
    if (XML_ParseBuffer(parser.get(), static_cast<int>(got), last) == XML_STATUS_ERROR) {
      if (handler.stopped()) return handler.stop_status();
      return Damaged(member.file(), member.part(),
                     "разметка XML повреждена (строка " +
                         std::to_string(XML_GetCurrentLineNumber(parser.get())) + ")");
    }
    if (last) return Status::Ok();
  }
}

std::string_view LocalName(std::string_view name) {
  const std::size_t bar = name.rfind('|');
  return bar == std::string_view::npos ? name : name.substr(bar + 1);
}

const char* Attribute(const char** attributes, std::string_view local) {
  for (; *attributes != nullptr; attributes += 2)
    if (LocalName(attributes[0]) == local) return attributes[1];
  return nullptr;
}

const char* QualifiedAttribute(const char** attributes, std::string_view name) {
  for (; *attributes != nullptr; attributes += 2)
    if (attributes[0] == name) return attributes[1];
  return nullptr;
}

}  // namespace spreadsheet
