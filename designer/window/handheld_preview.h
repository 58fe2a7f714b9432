// The preview of the handheld's two screens, which is also an editor of input order and widths.
//
// HandheldPreview builds, as children of the window's lower panel, the query screen Panel3, the
// result screen Panel4 and the list and width boxes of the panel's left part. It keeps no copy of
// the document: every redraw reads the model, and every edit (order, widths) changes the model
// first. The main window reaches it only through this header and answers it through PreviewHost.
#pragma once

#include <QObject>
#include <QString>
#include <QTime>
#include <functional>

#include "designer/model/document.h"

class QWidget;

// What the preview needs from the main window.
class PreviewHost {
 public:
  virtual ~PreviewHost() = default;
  // The field of the field grid's current row (1..FieldCount), 0 when none.
  virtual int SelectedField() const = 0;
  // The user typed in the preview's name box edtDBNameRes: mirror it into edtDBName.
  virtual void PreviewDatabaseNameEdited(const QString& name) = 0;
};

// The handheld's two screens (Panel3 query screen, Panel4 result screen) and the preview's
// controls in the left part of Panel2 (input order list lbEdtFld with udEdtFld, width boxes
// edtWidth and edtResWidth with their labels). Creates them as children of `panel2`.
class HandheldPreview : public QObject {
  Q_OBJECT
 public:
  HandheldPreview(QWidget* panel2, designer::Document& doc, PreviewHost& host);
  ~HandheldPreview() override;

  // Everything from the model: query rows, input order list, result list headings, widths and
  // sample rows. The window calls it after a load and after every tick change of cbEdt/cbRst.
  void DrawInputFields();
  // edtWidth / edtResWidth show field `field`'s widths (called when the grid's row changes).
  void ShowFieldWidths(int field);
  // The database name mirrored into edtDBName's twin edtDBNameRes (text from edtDBName).
  void SetDatabaseName(const QString& name);
  // For tests: the clock's time source (default QTime::currentTime).
  void SetClock(std::function<QTime()> now);

 private:
  QWidget* panel3_;
  QWidget* panel4_;
  designer::Document& doc_;
  PreviewHost& host_;
  std::function<QTime()> now_;
};
