#include "designer/window/edit_history.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QUndoCommand>
#include <utility>

namespace designer {

// One recorded edit: the design before and after it.
class DesignEdit : public QUndoCommand {
 public:
  DesignEdit(EditHistory& history, DocumentDesign before, DocumentDesign after)
      : history_(history),
        lone_text_(LoneTextEdited(before, after)),
        before_(std::move(before)),
        after_(std::move(after)) {}

  int id() const override { return lone_text_ < 0 ? -1 : kTypingId; }
  bool mergeWith(const QUndoCommand* other) override {
    const auto* next = static_cast<const DesignEdit*>(other);
    if (next->lone_text_ != lone_text_ || LoneTextEdited(before_, next->after_) != lone_text_)
      return false;
    after_ = next->after_;
    return true;
  }
  void undo() override { history_.Apply(before_); }
  // The first redo is the push of an edit already made.
  void redo() override {
    if (pushed_) history_.Apply(after_);
    pushed_ = true;
  }

 private:
  static constexpr int kTypingId = 1;
  EditHistory& history_;
  int lone_text_;
  DocumentDesign before_;
  DocumentDesign after_;
  bool pushed_ = false;
};

// A change the window made beyond the design, with the calls that make and take it back.
class Replacement : public QUndoCommand {
 public:
  Replacement(EditHistory& history, std::function<void()> undo, std::function<void()> redo)
      : history_(history), undo_(std::move(undo)), redo_(std::move(redo)) {}

  void undo() override {
    undo_();
    history_.Resync();
  }
  // Also the push, which makes the change.
  void redo() override {
    redo_();
    history_.Resync();
  }

 private:
  EditHistory& history_;
  std::function<void()> undo_;
  std::function<void()> redo_;
};

EditHistory::EditHistory(QObject* parent, Access access)
    : QObject(parent), access_(std::move(access)), recorded_(access_.take()) {
  QCoreApplication::instance()->installEventFilter(this);
}

void EditHistory::Record() {
  DocumentDesign now = access_.take();
  if (now == recorded_) return;
  DocumentDesign before = std::exchange(recorded_, now);
  stack_.push(new DesignEdit(*this, std::move(before), std::move(now)));
}

void EditHistory::Replace(std::function<void()> undo, std::function<void()> redo) {
  Record();
  stack_.push(new Replacement(*this, std::move(undo), std::move(redo)));
}

void EditHistory::Reset() {
  stack_.clear();
  recorded_ = access_.take();
}

void EditHistory::MarkModified() {
  Reset();
  stack_.resetClean();
}

void EditHistory::MarkClean() {
  Record();
  stack_.setClean();
}

void EditHistory::Undo() {
  Record();
  stack_.undo();
}

void EditHistory::Redo() {
  Record();
  stack_.redo();
}

void EditHistory::Apply(const DocumentDesign& design) {
  access_.restore(design);
  recorded_ = access_.take();
}

// The edit an input causes is made while the input is handled, so the design is compared once
// that is over.
bool EditHistory::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
    case QEvent::FocusOut:
    case QEvent::Drop:
      if (!record_queued_) {
        record_queued_ = true;
        QTimer::singleShot(0, this, [this] {
          record_queued_ = false;
          Record();
        });
      }
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace designer
