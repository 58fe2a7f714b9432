#include "designer/window/design_match_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace designer {

DesignMatchDialog::DesignMatchDialog(QWidget* owner, const QStringList& match,
                                     const QStringList& warnings)
    : QDialog(owner) {
  setObjectName(QStringLiteral("designMatchDialog"));
  setWindowTitle(QString::fromUtf8("Обновить данные"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString::fromUtf8("Поля справочника получат данные столбцов:")));
  auto* list = new QListWidget;
  list->setObjectName(QStringLiteral("matchList"));
  list->addItems(match);
  layout->addWidget(list);
  if (!warnings.isEmpty()) {
    auto* notes = new QLabel(warnings.join(QLatin1Char('\n')));
    notes->setObjectName(QStringLiteral("matchWarnings"));
    notes->setWordWrap(true);
    layout->addWidget(notes);
  }
  auto* buttons = new QDialogButtonBox;
  buttons->addButton(QString::fromUtf8("ОК"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QString::fromUtf8("Отмена"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

}  // namespace designer
