#include "designer/window/main_window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "designer/model/numeric_check.h"
#include "designer/window/book_on_screen.h"
#include "designer/window/document_text.h"
#include "designer/window/edit_history.h"
#include "designer/window/fixed_label.h"
#include "designer/window/key_release.h"
#include "designer/window/main_window_layout.h"
#include "designer/window/menu_keys.h"
#include "designer/window/recent_files.h"
#include "designer/window/splitter_panel.h"
#include "designer/window/structure_editor.h"
#include "designer/window/toolbar_images.h"
#include "window_common/cp1251_text.h"
#include "window_common/dropped_file.h"
#include "window_common/window_font.h"

namespace designer {

namespace {

// A long read or save lets the window answer twice as often as a user needs to see it move.
constexpr int kAnswerIntervalMs = 50;

QToolButton* MakeToolButton(QWidget* toolbar, const char* name, const QPixmap& image,
                            QRect geometry) {
  auto* button = new QToolButton(toolbar);
  button->setObjectName(QString::fromLatin1(name));
  button->setIcon(QIcon(image));
  button->setIconSize(kToolIconSize);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setGeometry(geometry);
  return button;
}

}  // namespace

MainWindow::MainWindow(Dialogs* dialogs, QString application_dir, window_common::EventPace* pace)
    : own_dialogs_(dialogs ? nullptr : std::make_unique<QtDialogs>(this)),
      dialogs_(dialogs ? dialogs : own_dialogs_.get()),
      application_dir_(std::move(application_dir)),
      own_pace_(pace ? nullptr : std::make_unique<window_common::ClockPace>(kAnswerIntervalMs)),
      pace_(pace ? pace : own_pace_.get()) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(QStringLiteral("[*]"));
  setWindowIcon(DesignerIcon());
  setFont(window_common::WindowFont());
  window_common::OpenDroppedFiles(this, [this](const QString& path) { OpenFile(path); });
  CreateLayout();
  history_ = new EditHistory(this, {[this] { return CurrentDesign(); },
                                    [this](const DocumentDesign& design) { ShowDesign(design); }});
  connect(&history_->stack(), &QUndoStack::cleanChanged, this,
          [this](bool clean) { setWindowModified(!clean); });
  CreateEditMenu();
  AddMenuKeys(this);
  book_on_screen_ =
      new BookOnScreen(this, application_dir_,
                       {[this](const std::string& path) { return WriteDesignSource(path); },
                        [this] { AnswerWhenDue(); }});
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateLayout() {
  CreateMainMenu();

  auto* client = new QWidget(this);
  client->setFixedSize(kClientWidth, kClientHeight);
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  panel_splitter_ = new QSplitter(Qt::Vertical, client);
  panel_splitter_->setObjectName(QStringLiteral("panelSplitter"));
  panel_splitter_->setHandleWidth(2);
  panel_splitter_->setChildrenCollapsible(false);
  layout->addWidget(panel_splitter_);

  upper_panel_ = new SplitterPanel(panel_splitter_, QSize(kClientWidth, kUpperPanelHeight));
  upper_panel_->setObjectName(QStringLiteral("upperPanel"));
  upper_panel_->setMinimumHeight(kMinPanelHeight);
  lower_panel_ = new SplitterPanel(panel_splitter_, QSize(kClientWidth, kLowerPageHeight));
  lower_panel_->setObjectName(QStringLiteral("lowerPanel"));
  lower_panel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  lower_panel_->setMinimumHeight(kMinPanelHeight);
  panel_splitter_->addWidget(upper_panel_);
  panel_splitter_->addWidget(lower_panel_);
  panel_splitter_->setSizes({kUpperPanelHeight, kClientHeight - kUpperPanelHeight - 2});

  CreateUpperPanel(upper_panel_->page());
  structure_editor_ = new StructureEditor(
      upper_panel_->page(), lower_panel_->page(), doc_, *dialogs_,
      {.fields_edited = [this] { preview_->DrawInputFields(); },
       .field_selected = [this](int field) { preview_->ShowFieldWidths(field); },
       .focus_past_grid = [this](bool forward) { QMainWindow::focusNextPrevChild(forward); },
       .check_numeric = [this](int field) { return CheckNumeric(field); }});
  CreateLowerPanel(lower_panel_->page());
  CreateStatusBar(lower_panel_);
  SetTabOrder();
  setCentralWidget(client);

  // Fixed size: the client area below the menu bar, centred on the screen.
  adjustSize();
  setFixedSize(sizeHint());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void MainWindow::CreateMainMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("menuBar"));
  auto add_item = [this](QMenu* menu, const char* name, const char* caption, const QPixmap* image,
                         void (MainWindow::*handler)(), QList<QKeySequence> keys = {}) {
    QAction* item = menu->addAction(QString::fromUtf8(caption));
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcuts(keys);
    if (image) item->setIcon(QIcon(*image));
    connect(item, &QAction::triggered, this, handler);
  };
  const QPixmap open = OpenFolderImage(), save = FloppyDiskImage(), door = DoorImage();

  QMenu* file_menu = bar->addMenu(QString::fromUtf8("&Файл"));
  file_menu->setObjectName(QStringLiteral("fileMenu"));
  add_item(file_menu, "openItem", "&Открыть", &open, &MainWindow::OpenCommand,
           {QKeySequence::Open});
  // The save always asks where, so it is "save as" too.
  add_item(file_menu, "saveItem", "&Сохранить", &save, &MainWindow::SaveCommand,
           {QKeySequence::Save, Qt::CTRL | Qt::SHIFT | Qt::Key_S});
  add_item(file_menu, "refreshDataItem", "Обновить &данные…", nullptr,
           &MainWindow::RefreshDataCommand);
  add_item(file_menu, "viewBookItem", "&Просмотр справочника…", nullptr,
           &MainWindow::ViewBookCommand);
  QMenu* recent_menu = file_menu->addMenu(QString::fromUtf8("Последние &файлы"));
  recent_menu->setObjectName(QStringLiteral("recentMenu"));
  recent_ = new RecentFiles(recent_menu, [this](const QString& path) { OpenFile(path); });
  last_open_path_ = recent_->LastChosen();
  file_menu->addSeparator();
  add_item(file_menu, "exitItem", "В&ыход", &door, &MainWindow::ExitCommand,
           {Qt::CTRL | Qt::Key_Q});

  QMenu* help_menu = bar->addMenu(QString::fromUtf8("&Справка"));
  help_menu->setObjectName(QStringLiteral("helpMenu"));
  add_item(help_menu, "helpItem", "&Что делать?", nullptr, &MainWindow::HelpCommand, {Qt::Key_F1});
  help_menu->addSeparator();
  add_item(help_menu, "aboutItem", "&О программе", nullptr, &MainWindow::AboutCommand);
}

// Between the file menu and the help menu; made once the history is there.
void MainWindow::CreateEditMenu() {
  auto* edit_menu = new QMenu(QString::fromUtf8("&Правка"), this);
  edit_menu->setObjectName(QStringLiteral("editMenu"));
  const QList<QAction*> menus = menuBar()->actions();
  menuBar()->insertMenu(menus.value(1), edit_menu);
  const auto add_item = [&](const char* name, const char* caption, QList<QKeySequence> keys,
                            void (EditHistory::*step)(), void (QUndoStack::*possible)(bool)) {
    QAction* item = edit_menu->addAction(QString::fromUtf8(caption));
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcuts(keys);
    item->setEnabled(false);
    connect(item, &QAction::triggered, history_, step);
    connect(&history_->stack(), possible, item, &QAction::setEnabled);
  };
  add_item("undoItem", "&Отменить", {QKeySequence::Undo}, &EditHistory::Undo,
           &QUndoStack::canUndoChanged);
  add_item("redoItem", "&Повторить", {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
           &EditHistory::Redo, &QUndoStack::canRedoChanged);
}

void MainWindow::CreateToolBar(QWidget* upper_page) {
  auto* toolbar = new QFrame(upper_page);
  toolbar->setObjectName(QStringLiteral("toolBar"));
  toolbar->setGeometry(kToolBar);
  auto* line = new QFrame(toolbar);  // the line along the toolbar's bottom edge
  line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  line->setGeometry(kToolBarLine);

  connect(MakeToolButton(toolbar, "openButton", OpenFolderImage(), kOpenButton),
          &QToolButton::clicked, this, &MainWindow::OpenCommand);
  connect(MakeToolButton(toolbar, "saveButton", FloppyDiskImage(), kSaveButton),
          &QToolButton::clicked, this, &MainWindow::SaveCommand);
  connect(MakeToolButton(toolbar, "exitButton", DoorImage(), kExitButton), &QToolButton::clicked,
          this, &MainWindow::ExitCommand);
  auto* separator = new QFrame(toolbar);
  separator->setFrameStyle(QFrame::VLine | QFrame::Sunken);
  separator->setGeometry(kToolSeparator);
  connect(MakeToolButton(toolbar, "helpButton", HelpBookImage(), kHelpButton),
          &QToolButton::clicked, this, &MainWindow::HelpCommand);
}

void MainWindow::CreateUpperPanel(QWidget* upper_page) {
  CreateToolBar(upper_page);

  AddLabel(upper_page, "Название", kDatabaseNameLabel);
  database_name_ = new QLineEdit(upper_page);
  database_name_->setObjectName(QStringLiteral("databaseName"));
  database_name_->setGeometry(kDatabaseName);
  database_name_->setValidator(new window_common::Cp1251Validator(database_name_));
  OnKeyTypedIn(database_name_, [this] { DatabaseNameTyped(); });

  AddLabel(upper_page, "Разделитель:", kSplitterLabel)
      ->setObjectName(QStringLiteral("splitterLabel"));
  splitter_ = new QLineEdit(QStringLiteral(";"), upper_page);
  splitter_->setObjectName(QStringLiteral("splitter"));
  splitter_->setGeometry(kSplitterBox);
  splitter_->setMaxLength(1);
  splitter_->setValidator(new window_common::Cp1251Validator(splitter_));
  // A CSV document follows a new splitter at once; an emptied box waits for the editing's end.
  connect(splitter_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (!text.isEmpty()) SettleSplitter();
  });
  connect(splitter_, &QLineEdit::editingFinished, this, &MainWindow::SettleSplitter);

  cut_long_lines_ = new QCheckBox(QString::fromUtf8("Обрезать длинные строки"), upper_page);
  cut_long_lines_->setObjectName(QStringLiteral("cutLongLines"));
  cut_long_lines_->setGeometry(kCutLongLines);
  cut_long_lines_->setChecked(true);

  AddLabel(upper_page, "Описание полей", kFieldsLabel);
}

void MainWindow::CreateLowerPanel(QWidget* lower_page) {
  AddLabel(lower_page, "Предварительный просмотр/редактирование ширины полей", kPreviewLabel, true);
  preview_ = new HandheldPreview(lower_page, doc_, *this);
}

void MainWindow::CreateStatusBar(SplitterPanel* lower_panel) {
  auto* bar = new QWidget(lower_panel);
  bar->setObjectName(QStringLiteral("statusBar"));
  bar->resize(kStatusBarSize);
  lower_panel->SetBottomBar(bar);
  int left = 0;
  for (int i = 0; i < 4; ++i) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(QStringLiteral("statusPanel%1").arg(i));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(left, 0, kStatusPanelWidths[i], kStatusBarSize.height());
    panel->setIndent(2);
    status_panels_[i] = panel;
    left += kStatusPanelWidths[i];
  }
  // Over the third status panel, moving with the status bar.
  progress_bar_ = new QProgressBar(bar);
  progress_bar_->setObjectName(QStringLiteral("progressBar"));
  progress_bar_->setGeometry(kProgressBar);
  progress_bar_->setTextVisible(false);
  progress_bar_->hide();
  cancel_button_ = new QPushButton(QString::fromUtf8("Отмена"), bar);
  cancel_button_->setObjectName(QStringLiteral("cancelButton"));
  cancel_button_->setGeometry(kCancelButton);
  cancel_button_->setFocusPolicy(Qt::NoFocus);
  cancel_button_->hide();
  connect(cancel_button_, &QPushButton::clicked, this, [this] { cancel_requested_ = true; });
  // What a box refuses (a character Windows-1251 lacks) is said in the rest of the bar.
  auto* tip = new QLabel(bar);
  tip->setObjectName(QStringLiteral("statusTip"));
  tip->setGeometry(kStatusTip);
  tip->setIndent(2);
  window_common::ShowStatusTips(this, tip);
}

void MainWindow::SetTabOrder() {
  QList<QWidget*> order = {database_name_, splitter_, cut_long_lines_};
  order += structure_editor_->TabOrder();
  order += preview_->TabOrder();
  for (qsizetype i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

bool MainWindow::focusNextPrevChild(bool next) {
  if (structure_editor_->TabInGrid(next)) return true;
  if (!QMainWindow::focusNextPrevChild(next)) return false;
  structure_editor_->TabbedIn(next);
  return true;
}

std::string MainWindow::DatabaseName() const {
  return window_common::ToCp1251(database_name_->text());
}

std::string MainWindow::Splitter() const { return window_common::ToCp1251(splitter_->text()); }

bool MainWindow::CutLongLines() const { return cut_long_lines_->isChecked(); }

ReadOptions MainWindow::ReadingOptions() {
  return {Splitter(), std::nullopt,
          [this](const std::string& text) { return dialogs_->AskYesNo(MessageText(text)); },
          [this](int records) { ShowRunningCount(records); }};
}

SaveOptions MainWindow::SavingOptions() {
  return {
      DatabaseName(), Splitter(), CutLongLines(),
      [this](std::int64_t written, std::int64_t expected) { ShowSaveProgress(written, expected); },
      [this] { return cancel_requested_; }};
}

void MainWindow::BeginLongRun(bool cancellable) {
  cancel_requested_ = false;
  cancel_button_->setVisible(cancellable);
  long_run_ = std::make_unique<window_common::InputBlock>(cancel_button_);
}

void MainWindow::EndLongRun() {
  long_run_.reset();
  cancel_button_->hide();
  progress_bar_->hide();
}

void MainWindow::AnswerWhenDue() {
  if (pace_->Due()) QCoreApplication::processEvents();
}

Status MainWindow::CheckNumeric(int field) {
  BeginLongRun(false);
  const Status checked =
      CheckNumericField(doc_, field, Splitter(), [this](std::int64_t) { AnswerWhenDue(); });
  EndLongRun();
  return checked;
}

void MainWindow::ShowRunningCount(int records) {
  status_panels_[2]->setText(QString::number(records));
  AnswerWhenDue();
}

void MainWindow::ShowSaveProgress(std::int64_t written, std::int64_t expected) {
  if (progress_bar_->isHidden()) {
    // A range of 0 would show a busy bar.
    progress_bar_->setRange(0, static_cast<int>(std::clamp<std::int64_t>(expected, 1, INT_MAX)));
    progress_bar_->show();
  }
  if (!pace_->Due()) return;
  progress_bar_->setValue(static_cast<int>(std::min<std::int64_t>(written, INT_MAX)));
  QCoreApplication::processEvents();
}

void MainWindow::ShowReadResult(const Status& status, const ReadResult& result) {
  if (result.cut_long_lines) cut_long_lines_->setChecked(*result.cut_long_lines);
  if (result.splitter) splitter_->setText(window_common::FromCp1251(*result.splitter));
  if (result.database_name) {
    database_name_->setText(window_common::FromCp1251(*result.database_name));
    preview_->SetDatabaseName(database_name_->text());
  }
  if (result.status) {
    for (int panel = 0; panel < 3; ++panel)
      status_panels_[panel]->setText(QString::fromStdString((*result.status)[panel]));
  }
  if (result.encoding_label)
    status_panels_[3]->setText(QString::fromStdString(*result.encoding_label));
  if (status.ok()) DocumentLoaded();
}

void MainWindow::DocumentLoaded() {
  structure_editor_->ShowDocument();
  history_->Reset();
}

void MainWindow::ShowFileInTitle(const QString& path) {
  setWindowTitle(QFileInfo(path).fileName() + QStringLiteral("[*]"));
}

DocumentDesign MainWindow::CurrentDesign() const {
  return TakeDesign(doc_, DatabaseName(), Splitter(), CutLongLines());
}

void MainWindow::ShowDesign(const DocumentDesign& design) {
  RestoreDesign(doc_, design);
  database_name_->setText(window_common::FromCp1251(design.database_name));
  preview_->SetDatabaseName(database_name_->text());
  splitter_->setText(window_common::FromCp1251(design.splitter));
  cut_long_lines_->setChecked(design.cut_long_lines);
  structure_editor_->ShowDocument(std::max(structure_editor_->SelectedField(), 1));
}

int MainWindow::SelectedField() const { return structure_editor_->SelectedField(); }

void MainWindow::PreviewDatabaseNameEdited(const QString& name) { database_name_->setText(name); }

void MainWindow::ShowPreviewMessage(const PreviewMessage& message) {
  if (message.kind == PreviewMessage::Kind::kFailure) {
    dialogs_->ShowMessage(MessageKind::kFailure, message.text);
  } else {
    dialogs_->ShowCaptionedMessage(message.caption, message.text);
  }
}

void MainWindow::DatabaseNameTyped() { preview_->SetDatabaseName(database_name_->text()); }

}  // namespace designer
