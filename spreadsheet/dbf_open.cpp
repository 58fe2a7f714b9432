#include "spreadsheet/dbf_open.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace spreadsheet {
namespace {

struct MemoryFile {
  const std::string* bytes;
  SAOffset position = 0;
};

// The hooks carry no data of their own, so the open call finds its bytes here; it is set only
// for the length of one DBFOpenLL call on this thread.
thread_local const std::string* opening = nullptr;

MemoryFile* Of(SAFile file) { return reinterpret_cast<MemoryFile*>(file); }

SAFile Open(const char* name, const char*) {
  const std::string_view path(name);
  // The table alone: no code-page side file.
  if (opening == nullptr || path.ends_with(".cpg") || path.ends_with(".CPG")) return nullptr;
  return reinterpret_cast<SAFile>(new MemoryFile{opening});
}

SAOffset Read(void* buffer, SAOffset size, SAOffset count, SAFile file) {
  MemoryFile& memory = *Of(file);
  if (size == 0) return 0;
  const SAOffset left =
      memory.bytes->size() - std::min<SAOffset>(memory.position, memory.bytes->size());
  const SAOffset items = std::min(count, left / size);
  std::memcpy(buffer, memory.bytes->data() + memory.position, items * size);
  memory.position += items * size;
  return items;
}

SAOffset Write(void*, SAOffset, SAOffset, SAFile) { return 0; }

SAOffset Seek(SAFile file, SAOffset offset, int whence) {
  MemoryFile& memory = *Of(file);
  const SAOffset base = whence == SEEK_CUR   ? memory.position
                        : whence == SEEK_END ? memory.bytes->size()
                                             : 0;
  memory.position = base + offset;
  return 0;
}

SAOffset Tell(SAFile file) { return Of(file)->position; }
int Flush(SAFile) { return 0; }
int Close(SAFile file) {
  delete Of(file);
  return 0;
}
int Remove(const char*) { return -1; }
void Error(const char*) {}

}  // namespace

DBFHandle OpenDbfQuietly(const std::string& path) {
  SAHooks hooks;
  SASetupDefaultHooks(&hooks);
  hooks.Error = Error;
  return DBFOpenLL(path.c_str(), "rb", &hooks);
}

DBFHandle OpenDbfInMemory(const std::string& bytes) {
  SAHooks hooks;
  SASetupDefaultHooks(&hooks);
  hooks.FOpen = Open;
  hooks.FRead = Read;
  hooks.FWrite = Write;
  hooks.FSeek = Seek;
  hooks.FTell = Tell;
  hooks.FFlush = Flush;
  hooks.FClose = Close;
  hooks.Remove = Remove;
  hooks.Error = Error;
  opening = &bytes;
  DBFHandle handle = DBFOpenLL("memory.dbf", "rb", &hooks);
  opening = nullptr;
  return handle;
}

}  // namespace spreadsheet
