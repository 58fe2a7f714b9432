// Moves the keyboard focus around a fixed ring of controls: Tab to the next one, Shift+Tab to
// the previous one, the last followed by the first. The keys never leave the ring.
#pragma once

#include <QObject>
#include <QWidget>
#include <vector>

namespace builder {

class TabCycle : public QObject {
 public:
  // Installs itself on each of `ring`, which must outlive it (parent it to their window).
  TabCycle(std::vector<QWidget*> ring, QObject* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::vector<QWidget*> ring_;
};

}  // namespace builder
