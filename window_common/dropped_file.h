// What the windows take from a drag and drop: one local file.
#pragma once

#include <QString>

class QMimeData;

namespace window_common {

// The path of the one local file that `data` carries; empty for several files or anything else.
QString DroppedFilePath(const QMimeData& data);

}  // namespace window_common
