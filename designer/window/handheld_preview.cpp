#include "designer/window/handheld_preview.h"

#include <QFrame>
#include <QWidget>
#include <utility>

namespace {

QFrame* MakeScreenPanel(QWidget* panel2, const char* name, int left) {
  auto* panel = new QFrame(panel2);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setFrameShape(QFrame::Box);
  panel->setGeometry(left, 18, 242, 322);
  return panel;
}

}  // namespace

HandheldPreview::HandheldPreview(QWidget* panel2, designer::Document& doc, PreviewHost& host)
    : QObject(panel2),
      panel3_(MakeScreenPanel(panel2, "Panel3", 245)),
      panel4_(MakeScreenPanel(panel2, "Panel4", 510)),
      doc_(doc),
      host_(host),
      now_(&QTime::currentTime) {}

HandheldPreview::~HandheldPreview() = default;

void HandheldPreview::DrawInputFields() {}

void HandheldPreview::ShowFieldWidths(int) {}

void HandheldPreview::SetDatabaseName(const QString&) {}

void HandheldPreview::SetClock(std::function<QTime()> now) { now_ = std::move(now); }
