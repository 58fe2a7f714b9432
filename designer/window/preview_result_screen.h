// The handheld's result screen: the picture, the result list and the
// invisible area over the tab bar. The list shows the columns it is given; a column dragged to
// another place or a released mouse button is reported, and HandheldPreview rebuilds the list
// from the model.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "handheld/screen_parts.h"

class QTableWidget;

namespace designer {

// Sample rows the list shows under its heading row.
inline constexpr int kVisibleSampleRows = 9;

class PreviewResultScreen : public handheld::ScreenFrame {
 public:
  struct Column {
    QString heading;
    int width = 0;
    QStringList samples;  // rows 1 and below, at most kVisibleSampleRows used
  };
  struct Handlers {
    std::function<void(int from, int to)> column_moved;  // columns counted from 0
    std::function<void()> mouse_released;                // may end a column resize
    std::function<void()> find_pressed;                  // the tab bar
  };

  PreviewResultScreen(QWidget* lower_page, Handlers handlers);

  // The list shows exactly `columns`, left to right; no columns hide it.
  void ShowColumns(const std::vector<Column>& columns);
  int ColumnCount() const;
  int ColumnWidth(int column) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SectionMoved(int from, int to);

  Handlers handlers_;
  QTableWidget* grid_;
};

}  // namespace designer
