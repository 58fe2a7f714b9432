// Undo and redo of a document's edits.
//
// EditHistory finds the edits itself: after every key, click, wheel turn or focus change it
// compares the document's design (document_design.h) with the design last recorded, and a
// difference becomes one step of its QUndoStack. So no handler of the editor or the preview can
// forget to record what it changed. Consecutive typing in one text (the database name, one
// field's name) merges into one step. The stack's clean state is the document as last loaded or
// saved, which the window shows with the "*" of its title.
#pragma once

#include <QObject>
#include <QUndoStack>
#include <functional>

#include "designer/model/document_design.h"

namespace designer {

class EditHistory : public QObject {
  Q_OBJECT
 public:
  struct Access {
    std::function<DocumentDesign()> take;                // the design as it stands
    std::function<void(const DocumentDesign&)> restore;  // puts a design back and shows it
  };
  EditHistory(QObject* parent, Access access);

  // The edits since the last record, if any, become one step.
  void Record();
  // A change of more than the design (the data the document reads, say), as one step after the
  // edits recorded first: `redo` makes it now and again after an undo, `undo` takes it back; each
  // shows what it put back.
  void Replace(std::function<void()> undo, std::function<void()> redo);
  // A new document: no steps, clean.
  void Reset();
  // The document read again another way: no steps, and not as saved.
  void MarkModified();
  // The design as it stands (recorded first) is the saved one.
  void MarkClean();
  bool IsClean() const { return stack_.isClean(); }
  // One step back or forward, after recording what was edited last.
  void Undo();
  void Redo();
  // Its signals tell when undo and redo are possible and when the clean state changes.
  QUndoStack& stack() { return stack_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class DesignEdit;
  friend class Replacement;
  void Apply(const DocumentDesign& design);
  // The design as it stands becomes the one last recorded.
  void Resync() { recorded_ = access_.take(); }

  Access access_;
  QUndoStack stack_;
  DocumentDesign recorded_;
  bool record_queued_ = false;
};

}  // namespace designer
