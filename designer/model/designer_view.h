// What the document's readers and writer need from the designer's window.
//
// The main window implements it; the command-line tool and the tests implement it without one.
// Document values (database name, splitter, names) pass as Windows-1251 bytes; texts meant for
// the user (status panels, questions, messages) pass as UTF-8.
#pragma once

#include <string>

namespace designer {

struct Document;

class DesignerView {
 public:
  virtual ~DesignerView() = default;

  // The three document values that live as control texts.
  virtual std::string DatabaseName() const = 0;  // edtDBName
  // Sets edtDBName and its mirror edtDBNameRes.
  virtual void SetDatabaseName(const std::string& name) = 0;
  virtual std::string Splitter() const = 0;  // edtSplitter: empty or one byte
  virtual void SetSplitter(const std::string& splitter) = 0;
  virtual bool CutLongLines() const = 0;  // cbCutLongLines
  virtual void SetCutLongLines(bool cut) = 0;

  // Status bar panels 0 to 3. `repaint_now` puts the text on the screen at once, during a loop
  // that processes no window events.
  virtual void SetStatusText(int panel, const std::string& text, bool repaint_now = false) = 0;

  // The progress bar over the third status panel, shown while the writer copies data lines.
  virtual void ShowProgress(int maximum) = 0;
  virtual void SetProgress(int position) = 0;
  virtual void HideProgress() = 0;

  // A modal question with Yes and No; true for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  // A modal plain message box with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;

  // A reader replaced the document: the window brings the field grid, the check boxes (from the
  // document's tick state), the result-list samples, the property panel and the preview up to
  // date, and selects field 1.
  virtual void DocumentLoaded() = 0;
};

// Status panels 0 to 2 as `doc` shows them: its file's name, its field and record counts; empty
// without a document. A reader that did not finish puts them back this way.
void ShowDocumentStatus(const Document& doc, DesignerView& view);

}  // namespace designer
