// zlib's reasons in the words of the rest of our messages: zlib composes English texts, and a
// message box or a console line of ours is Russian.
#pragma once

#include <string>

namespace format {

// The reason for zlib's result `code` and its message `message` (stream.msg or gzerror's text;
// may be null): the Russian text of a message zlib is known to give, else the code's meaning.
std::string ZlibReason(int code, const char* message);

}  // namespace format
