#include "builder/convert/database_output.h"

#include "builder/convert/messages.h"

namespace builder {

int DatabaseOutput::Fail(const std::string& message) {
  sink_.Flush();
  reporter_.ErrorMessage(kCaptionError, message);
  return kConvertFailed;
}

int DatabaseOutput::Close() {
  if (!sink_.Close()) return Fail(messages::WriteFailed(path_));
  return kConvertDone;
}

}  // namespace builder
