// What the windows take from a drag and drop: one local file.
#pragma once

#include <QString>
#include <functional>

class QMimeData;
class QWidget;

namespace window_common {

// The path of the one local file that `data` carries; empty for several files or anything else.
QString DroppedFilePath(const QMimeData& data);

// Makes `widget` (a window, or an edit box that would take the file's address as text) take one
// local file dropped on it: a drag that carries one is accepted, and the drop hands its path to
// `open`. Other drags reach the widget as before.
void OpenDroppedFiles(QWidget* widget, std::function<void(const QString& path)> open);

}  // namespace window_common
