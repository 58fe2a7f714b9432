#include "designer/window/form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "designer/window/document_text.h"
#include "designer/window/fixed_label.h"
#include "designer/window/key_release.h"
#include "designer/window/splitter_panel.h"
#include "designer/window/toolbar_images.h"
#include "window_common/dropped_file.h"
#include "window_common/window_font.h"

namespace {

constexpr int kClientWidth = 763;
constexpr int kClientHeight = 535;
constexpr int kPanel1Height = 172;
// What is left of the lower panel above the status bar.
constexpr int kPanel2PageHeight = kClientHeight - kPanel1Height - 2 - 19;
// Either panel keeps room for its scroll bar when the splitter is dragged far.
constexpr int kMinPanelHeight = 60;
constexpr int kStatusPanelWidths[4] = {150, 60, 120, 50};

QToolButton* MakeToolButton(QWidget* toolbar, const char* name, const QPixmap& image, int left) {
  auto* button = new QToolButton(toolbar);
  button->setObjectName(QString::fromLatin1(name));
  button->setIcon(QIcon(image));
  button->setIconSize(QSize(16, 16));
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setGeometry(left, 0, 23, 22);
  return button;
}

}  // namespace

TForm1::TForm1(Dialogs* dialogs, QString application_dir)
    : own_dialogs_(dialogs ? nullptr : std::make_unique<QtDialogs>(this)),
      dialogs_(dialogs ? dialogs : own_dialogs_.get()),
      application_dir_(std::move(application_dir)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString());
  setWindowIcon(DesignerIcon());
  setFont(window_common::WindowFont());
  setAcceptDrops(true);
  FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
  CreateMainMenu();

  auto* client = new QWidget(this);
  client->setFixedSize(kClientWidth, kClientHeight);
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  Splitter1 = new QSplitter(Qt::Vertical, client);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setHandleWidth(2);
  Splitter1->setChildrenCollapsible(false);
  layout->addWidget(Splitter1);

  Panel1 = new SplitterPanel(Splitter1, QSize(kClientWidth, kPanel1Height));
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setMinimumHeight(kMinPanelHeight);
  Panel2 = new SplitterPanel(Splitter1, QSize(kClientWidth, kPanel2PageHeight));
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel2->setMinimumHeight(kMinPanelHeight);
  Splitter1->addWidget(Panel1);
  Splitter1->addWidget(Panel2);
  Splitter1->setSizes({kPanel1Height, kClientHeight - kPanel1Height - 2});

  CreatePanel1(Panel1->page());
  CreatePanel2(Panel2->page());
  CreateStatusBar(Panel2);
  SetTabOrder();
  setCentralWidget(client);

  // Fixed size: the client area below the menu bar, centred on the screen.
  adjustSize();
  setFixedSize(sizeHint());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void TForm1::CreateMainMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu"));
  auto add_item = [this](QMenu* menu, const char* name, const char* caption, const QPixmap* image,
                         void (TForm1::*handler)()) {
    QAction* item = menu->addAction(QString::fromUtf8(caption));
    item->setObjectName(QString::fromLatin1(name));
    if (image) item->setIcon(QIcon(*image));
    connect(item, &QAction::triggered, this, handler);
  };
  const QPixmap open = OpenFolderImage(), save = FloppyDiskImage(), door = DoorImage();

  QMenu* file_menu = bar->addMenu(QString::fromUtf8("&Файл"));
  file_menu->setObjectName(QStringLiteral("FileMenu"));
  add_item(file_menu, "FileNewItem", "&Открыть", &open, &TForm1::tbOpenClick);
  add_item(file_menu, "FileOpenItem", "&Сохранить", &save, &TForm1::tbSaveClick);
  file_menu->addSeparator()->setObjectName(QStringLiteral("N1"));
  add_item(file_menu, "FileSaveItem", "В&ыход", &door, &TForm1::tbCloseClick);

  QMenu* help_menu = bar->addMenu(QString::fromUtf8("&Справка"));
  help_menu->setObjectName(QStringLiteral("HelpMenu"));
  add_item(help_menu, "nHelp", "&Что делать?", nullptr, &TForm1::nHelpClick);
  help_menu->addSeparator()->setObjectName(QStringLiteral("N2"));
  add_item(help_menu, "HelpAboutItem", "&О программе", nullptr, &TForm1::HelpAboutItemClick);
}

void TForm1::CreateToolBar(QWidget* panel1) {
  auto* toolbar = new QFrame(panel1);
  toolbar->setObjectName(QStringLiteral("StandardToolBar"));
  toolbar->setGeometry(0, 0, kClientWidth, 24);
  auto* line = new QFrame(toolbar);  // the line along the toolbar's bottom edge
  line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  line->setGeometry(0, 22, kClientWidth, 2);

  connect(MakeToolButton(toolbar, "tbOpen", OpenFolderImage(), 4), &QToolButton::clicked, this,
          &TForm1::tbOpenClick);
  connect(MakeToolButton(toolbar, "tbSave", FloppyDiskImage(), 27), &QToolButton::clicked, this,
          &TForm1::tbSaveClick);
  connect(MakeToolButton(toolbar, "tbClose", DoorImage(), 50), &QToolButton::clicked, this,
          &TForm1::tbCloseClick);
  auto* separator = new QFrame(toolbar);
  separator->setFrameStyle(QFrame::VLine | QFrame::Sunken);
  separator->setGeometry(73 + 3, 2, 2, 18);
  connect(MakeToolButton(toolbar, "tbHelp", HelpBookImage(), 81), &QToolButton::clicked, this,
          &TForm1::nHelpClick);
}

void TForm1::CreatePanel1(QWidget* panel1) {
  CreateToolBar(panel1);

  AddLabel(panel1, "Название", 8, 28);
  edtDBName = new QLineEdit(panel1);
  edtDBName->setObjectName(QStringLiteral("edtDBName"));
  edtDBName->setGeometry(120, 27, 265, 19);
  edtDBName->setValidator(new Cp1251Validator(edtDBName));
  OnKeyTypedIn(edtDBName, [this] { edtDBNameKeyUp(); });

  AddLabel(panel1, "Разделитель:", 448, 28)->setObjectName(QStringLiteral("lbSplitter"));
  edtSplitter = new QLineEdit(QStringLiteral(";"), panel1);
  edtSplitter->setObjectName(QStringLiteral("edtSplitter"));
  edtSplitter->setGeometry(528, 27, 17, 19);
  edtSplitter->setMaxLength(1);
  edtSplitter->setValidator(new Cp1251Validator(edtSplitter));

  cbCutLongLines = new QCheckBox(QString::fromUtf8("Обрезать длинные строки"), panel1);
  cbCutLongLines->setObjectName(QStringLiteral("cbCutLongLines"));
  cbCutLongLines->setGeometry(560, 27, 201, 17);
  cbCutLongLines->setChecked(true);

  AddLabel(panel1, "Описание полей", 8, 51);
  CreateFieldGrid(panel1);
}

void TForm1::CreatePanel2(QWidget* panel2) {
  CreatePropertyPanel(panel2);
  AddLabel(panel2, "Предварительный просмотр/редактирование ширины полей", 233, 3, true);
  preview_ = new HandheldPreview(panel2, doc_, *this);
}

void TForm1::CreateStatusBar(SplitterPanel* panel2) {
  auto* bar = new QWidget(panel2);
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->resize(761, 18);
  panel2->SetBottomBar(bar);
  int left = 0;
  for (int i = 0; i < 4; ++i) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(left, 0, kStatusPanelWidths[i], 18);
    panel->setIndent(2);
    status_panels_[i] = panel;
    left += kStatusPanelWidths[i];
  }
  // Over the third status panel, moving with the status bar.
  ProgressBar1 = new QProgressBar(bar);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setGeometry(214, 4, 113, 12);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->hide();
}

// Property controls commit when the focus leaves them for another control of the window. A
// message box or a dropped-down list takes the focus without leaving the control, as it does on
// the platform the designer was made for.
void TForm1::WatchFocusLoss(QWidget* control) { control->installEventFilter(this); }

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    for (QComboBox* selector : {cbNumbers, cbLetterCase, cbCaseSence, cbSeach}) {
      if (selector && watched == selector->lineEdit()) SelectorDblClick(selector);
    }
  } else if (event->type() == QEvent::KeyPress &&
             FieldGridTabKey(watched, static_cast<QKeyEvent*>(event))) {
    return true;
  } else if (event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    auto* control = qobject_cast<QWidget*>(watched);
    const bool left_control = reason != Qt::ActiveWindowFocusReason &&
                              reason != Qt::PopupFocusReason && control &&
                              !IsWithin(control, QApplication::focusWidget());
    if (left_control) {
      if (control == StringGrid1) {
        StringGrid1Exit();
      } else if (control == ComboBox1) {
        ComboBox1Exit();
      } else if (control == edtMaxSize) {
        edtMaxSizeExit();
      } else if (control == edtFieldSize) {
        ReportStatus(SaveField());
      } else if (auto* selector = qobject_cast<QComboBox*>(control)) {
        SelectorExit(selector);
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

bool TForm1::IsWithin(const QWidget* outer, const QWidget* widget) {
  // A drop-down list is a window of its own, so the search goes on past windows.
  for (; widget; widget = widget->parentWidget()) {
    if (widget == outer) return true;
  }
  return false;
}

void TForm1::SetTabOrder() {
  QList<QWidget*> order = {edtDBName,  edtSplitter, cbCutLongLines, StringGrid1, edtFieldSize,
                           edtMaxSize, cbNumbers,   cbLetterCase,   cbCaseSence, cbSeach};
  order += preview_->TabOrder();
  for (qsizetype i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!window_common::DroppedFilePath(*event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const QString path = window_common::DroppedFilePath(*event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  OpenFile(path);
}

std::string TForm1::DatabaseName() const { return ToDocument(edtDBName->text()); }

void TForm1::SetDatabaseName(const std::string& name) {
  edtDBName->setText(FromDocument(name));
  preview_->SetDatabaseName(edtDBName->text());
}

std::string TForm1::Splitter() const { return ToDocument(edtSplitter->text()); }

void TForm1::SetSplitter(const std::string& splitter) {
  edtSplitter->setText(FromDocument(splitter));
}

bool TForm1::CutLongLines() const { return cbCutLongLines->isChecked(); }

void TForm1::SetStatusText(int panel, const std::string& text, bool repaint_now) {
  if (panel < 0 || panel >= static_cast<int>(status_panels_.size())) return;
  status_panels_[panel]->setText(QString::fromStdString(text));
  if (repaint_now) status_panels_[panel]->repaint();
}

void TForm1::ShowProgress(int maximum) {
  ProgressBar1->setRange(0, std::max(maximum, 1));  // a range of 0 would show a busy bar
  ProgressBar1->setValue(0);
  ProgressBar1->show();
  ProgressBar1->repaint();
}

void TForm1::SetProgress(int position) {
  ProgressBar1->setValue(position);
  ProgressBar1->repaint();
}

void TForm1::HideProgress() { ProgressBar1->hide(); }

bool TForm1::AskYesNo(const std::string& text) { return dialogs_->AskYesNo(MessageText(text)); }

void TForm1::ShowMessage(const std::string& text) {
  dialogs_->ShowMessage(MessageKind::kPlain, MessageText(text));
}

void TForm1::PreviewDatabaseNameEdited(const QString& name) { edtDBName->setText(name); }

void TForm1::ShowPreviewMessage(const PreviewMessage& message) {
  if (message.kind == PreviewMessage::Kind::kFailure) {
    dialogs_->ShowMessage(MessageKind::kFailure, message.text);
  } else {
    dialogs_->ShowCaptionedMessage(message.caption, message.text);
  }
}

void TForm1::edtDBNameKeyUp() { preview_->SetDatabaseName(edtDBName->text()); }
