#include "builder/convert/database_output.h"

#include <cerrno>
#include <limits>

#include "builder/convert/messages.h"
#include "common/system_reason.h"

namespace builder {

Status DatabaseOutput::Fail(const std::string& message) {
  sink_.Flush();
  return Status::Error(message);
}

Status DatabaseOutput::WriteFailure(Status failure) {
  sink_.Flush();
  return failure;
}

Status DatabaseOutput::Close() { return sink_.Close(); }

Status RecordWriter::Begin() {
  if (Status written = output_.sink().Write(header_); !written.ok())
    return output_.WriteFailure(std::move(written));
  return Status::Ok();
}

void RecordWriter::Building(std::int64_t record) {
  if (record % kProgressEvery == 0) reporter_.StatusText(messages::Converting(record));
}

Status RecordWriter::Take(std::int64_t record, std::int64_t file_line, const Status& line,
                          std::string_view encoded) {
  if (record > std::numeric_limits<std::uint32_t>::max())
    return output_.Fail(messages::TooManyRecords(record));
  if (!line.ok()) {
    output_.sink().Flush();
    fault_line_ = file_line;
    return Status::Error(line.message());
  }
  if (Status written = output_.sink().Write(encoded); !written.ok())
    return output_.WriteFailure(std::move(written));
  return Status::Ok();
}

}  // namespace builder
