// The builder's one window.
//
// BuilderWindow lays out the fourteen controls and turns clicks into calls of the converter
// library (builder/convert/run_conversion.h), which decides what to convert and how. Everything
// the window shows the user outside itself (message boxes, the open dialog, the browser) goes
// through a Desktop; a conversion's status texts reach the status bar through a WindowReporter,
// and the failure it returns is shown once it has ended. TabCycle moves the focus, FieldValidator
// guards what is typed, and HyperlinkLabel is the maker's link.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QWidget>
#include <string>

#include "builder/convert/conversion_result.h"
#include "builder/window/desktop.h"
#include "builder/window/hyperlink_label.h"
#include "builder/window/window_reporter.h"
#include "common/maker.h"

namespace builder {

class BuilderWindow : public QWidget {
  Q_OBJECT

 public:
  // `pace` says when a run lets the window repaint; both must outlive the window.
  BuilderWindow(Desktop& desktop, window_common::EventPace& pace);

  // The command-line run: shows `path` (native bytes) in the path field and the header of a
  // source file, converts it, then closes the window.
  void ConvertAndClose(const std::string& path);

  // Shows the database name and splitter of the source file `path` (native bytes) in the name
  // and splitter fields; does nothing for other extensions.
  void LoadSourceHeader(const std::string& path);

  // One conversion with the fields as they stand.
  void RunConversion();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ChooseInputFile();
  // The failure's own message, then the general one when it follows, each in a message box.
  void ShowFailure(const ConversionResult& result);
  // Puts `path` into the path field and shows its header, as a choice in the open dialog does.
  void TakeInputFile(const QString& path);
  // The path field as native bytes: the bytes it was given on the command line while the
  // field still shows them, so a name that is not valid in the locale's encoding survives.
  std::string PathBytes() const;

  Desktop& desktop_;
  QLabel* banner_;
  HyperlinkLabel* link_;
  QLabel* file_label_;
  QLabel* name_label_;
  QLabel* splitter_label_;
  QLabel* digits_label_;
  QStatusBar* status_bar_;
  QLabel* status_;
  QPushButton* choose_;
  QLineEdit* path_;
  QLineEdit* name_;
  QLineEdit* splitter_;
  QLineEdit* digits_;
  QPushButton* start_;
  QPushButton* close_;
  WindowReporter reporter_;
  std::string given_path_;
  bool running_ = false;
  bool close_asked_ = false;  // while running
};

}  // namespace builder
