// The dialog a refresh of the data shows before it changes the document: which column of the new
// table each field will read, and what the refresh leaves out or changes, with ОК and Отмена.
#pragma once

#include <QDialog>
#include <QStringList>

namespace designer {

class DesignMatchDialog : public QDialog {
  Q_OBJECT
 public:
  // `match`: one line "field ← column" per field; `warnings`: none, or one line each.
  DesignMatchDialog(QWidget* owner, const QStringList& match, const QStringList& warnings);
};

}  // namespace designer
