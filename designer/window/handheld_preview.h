// The preview of the handheld's two screens, which is also an editor of input order and widths.
//
// HandheldPreview builds, as children of the window's lower panel, the query screen
// (PreviewQueryScreen), the result screen (PreviewResultScreen) and the list and width
// boxes of the panel's left part (PreviewSideControls). It keeps no copy of the document: every
// redraw reads the model, and every edit (order, widths) changes the model first. The main window
// reaches it only through this header and answers it through PreviewHost.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTime>
#include <array>
#include <functional>

#include "designer/model/document.h"
#include "designer/window/preview_side_controls.h"

class QTimer;
class QWidget;

namespace designer {

class PreviewQueryScreen;
class PreviewResultScreen;

// A modal message of the preview, with an OK button.
struct PreviewMessage {
  enum class Kind {
    kPlain,    // no icon, the given caption
    kFailure,  // stop icon, the application title as caption: a width box it cannot take
  };
  Kind kind = Kind::kPlain;
  QString caption;
  QString text;
};

// What the preview needs from the main window.
class PreviewHost {
 public:
  virtual ~PreviewHost() = default;
  // The field of the field grid's current row (1..FieldCount), 0 when none.
  virtual int SelectedField() const = 0;
  // The user typed in the query screen's database name box: the window's name box shows it too.
  virtual void PreviewDatabaseNameEdited(const QString& name) = 0;
  // Shows a modal message of the preview and returns when it is closed.
  virtual void ShowPreviewMessage(const PreviewMessage& message) = 0;
};

// The handheld's two screens (query screen, result screen) and the preview's controls in the
// left part of the lower panel (the input order list with its up and down buttons, the two width
// boxes with their labels). Creates them as children of `lower_page`.
class HandheldPreview : public QObject {
  Q_OBJECT
 public:
  HandheldPreview(QWidget* lower_page, Document& doc, PreviewHost& host);
  ~HandheldPreview() override;

  // Everything from the model: query rows, input order list, result list headings, widths and
  // sample rows. The window calls it after a load and after every change of a field's name,
  // ticks or length.
  void DrawInputFields();
  // The width boxes show field `field`'s widths (called when the grid's row changes).
  void ShowFieldWidths(int field);
  // The query screen's database name box shows `name`, the text of the window's name box.
  void SetDatabaseName(const QString& name);
  // The preview's controls that Tab visits, in order: the width boxes and the input order list,
  // then the query screen's boxes.
  QList<QWidget*> TabOrder() const;
  // For tests: the clock's time source (default QTime::currentTime).
  void SetClock(std::function<QTime()> now);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class UpDown { kUp, kDown };
  enum class WidthBox { kQuery, kResult };

  // The result list's headings, widths and sample rows, all from the model.
  void DrawResultGrid();
  void MoveOrderEntry(UpDown direction);
  void InputBoxDragged(int row, int width);
  void ResultColumnMoved(int from, int to);
  void TakeResultColumnWidths();
  // A key released in, or the focus gone from, one of the width boxes.
  void TakeWidthFromBox(WidthBox which);
  void ShowFindNotReady();
  void ShowTime();
  bool IsDocumentField(int field) const;
  // The first field of the preview (1..5) in result column `position`, 0 when none.
  int ResultFieldAt(int position) const;

  Document& doc_;
  PreviewHost& host_;
  std::function<QTime()> now_;
  PreviewQueryScreen* query_screen_;
  PreviewResultScreen* result_screen_;
  PreviewSideControls side_;
  QTimer* timer_;
  // The field each input row shows, as the last redraw placed it; 0 for a hidden row.
  std::array<int, kMaxDocumentFields + 1> row_field_{};
};

}  // namespace designer
