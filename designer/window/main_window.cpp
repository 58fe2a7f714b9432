#include "designer/window/main_window.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "designer/window/document_text.h"
#include "designer/window/fixed_label.h"
#include "designer/window/key_release.h"
#include "designer/window/splitter_panel.h"
#include "designer/window/structure_editor.h"
#include "designer/window/toolbar_images.h"
#include "window_common/dropped_file.h"
#include "window_common/window_font.h"

namespace designer {

namespace {

constexpr int kClientWidth = 763;
constexpr int kClientHeight = 535;
constexpr int kUpperPanelHeight = 172;
// What is left of the lower panel above the status bar.
constexpr int kLowerPageHeight = kClientHeight - kUpperPanelHeight - 2 - 19;
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

MainWindow::MainWindow(Dialogs* dialogs, QString application_dir)
    : own_dialogs_(dialogs ? nullptr : std::make_unique<QtDialogs>(this)),
      dialogs_(dialogs ? dialogs : own_dialogs_.get()),
      application_dir_(std::move(application_dir)) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(QString());
  setWindowIcon(DesignerIcon());
  setFont(window_common::WindowFont());
  window_common::OpenDroppedFiles(this, [this](const QString& path) { OpenFile(path); });
  CreateLayout();
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
       .focus_past_grid = [this](bool forward) { QMainWindow::focusNextPrevChild(forward); }});
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
                         void (MainWindow::*handler)()) {
    QAction* item = menu->addAction(QString::fromUtf8(caption));
    item->setObjectName(QString::fromLatin1(name));
    if (image) item->setIcon(QIcon(*image));
    connect(item, &QAction::triggered, this, handler);
  };
  const QPixmap open = OpenFolderImage(), save = FloppyDiskImage(), door = DoorImage();

  QMenu* file_menu = bar->addMenu(QString::fromUtf8("&Файл"));
  file_menu->setObjectName(QStringLiteral("fileMenu"));
  add_item(file_menu, "openItem", "&Открыть", &open, &MainWindow::OpenCommand);
  add_item(file_menu, "saveItem", "&Сохранить", &save, &MainWindow::SaveCommand);
  add_item(file_menu, "viewBookItem", "&Просмотр справочника…", nullptr,
           &MainWindow::ViewBookCommand);
  file_menu->addSeparator();
  add_item(file_menu, "exitItem", "В&ыход", &door, &MainWindow::ExitCommand);

  QMenu* help_menu = bar->addMenu(QString::fromUtf8("&Справка"));
  help_menu->setObjectName(QStringLiteral("helpMenu"));
  add_item(help_menu, "helpItem", "&Что делать?", nullptr, &MainWindow::HelpCommand);
  help_menu->addSeparator();
  add_item(help_menu, "aboutItem", "&О программе", nullptr, &MainWindow::AboutCommand);
}

void MainWindow::CreateToolBar(QWidget* upper_page) {
  auto* toolbar = new QFrame(upper_page);
  toolbar->setObjectName(QStringLiteral("toolBar"));
  toolbar->setGeometry(0, 0, kClientWidth, 24);
  auto* line = new QFrame(toolbar);  // the line along the toolbar's bottom edge
  line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  line->setGeometry(0, 22, kClientWidth, 2);

  connect(MakeToolButton(toolbar, "openButton", OpenFolderImage(), 4), &QToolButton::clicked, this,
          &MainWindow::OpenCommand);
  connect(MakeToolButton(toolbar, "saveButton", FloppyDiskImage(), 27), &QToolButton::clicked, this,
          &MainWindow::SaveCommand);
  connect(MakeToolButton(toolbar, "exitButton", DoorImage(), 50), &QToolButton::clicked, this,
          &MainWindow::ExitCommand);
  auto* separator = new QFrame(toolbar);
  separator->setFrameStyle(QFrame::VLine | QFrame::Sunken);
  separator->setGeometry(73 + 3, 2, 2, 18);
  connect(MakeToolButton(toolbar, "helpButton", HelpBookImage(), 81), &QToolButton::clicked, this,
          &MainWindow::HelpCommand);
}

void MainWindow::CreateUpperPanel(QWidget* upper_page) {
  CreateToolBar(upper_page);

  AddLabel(upper_page, "Название", 8, 28);
  database_name_ = new QLineEdit(upper_page);
  database_name_->setObjectName(QStringLiteral("databaseName"));
  database_name_->setGeometry(120, 27, 265, 19);
  database_name_->setValidator(new Cp1251Validator(database_name_));
  OnKeyTypedIn(database_name_, [this] { DatabaseNameTyped(); });

  AddLabel(upper_page, "Разделитель:", 448, 28)->setObjectName(QStringLiteral("splitterLabel"));
  splitter_ = new QLineEdit(QStringLiteral(";"), upper_page);
  splitter_->setObjectName(QStringLiteral("splitter"));
  splitter_->setGeometry(528, 27, 17, 19);
  splitter_->setMaxLength(1);
  splitter_->setValidator(new Cp1251Validator(splitter_));
  // A CSV document follows a new splitter at once; an emptied box waits for the editing's end.
  connect(splitter_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (!text.isEmpty()) SettleSplitter();
  });
  connect(splitter_, &QLineEdit::editingFinished, this, &MainWindow::SettleSplitter);

  cut_long_lines_ = new QCheckBox(QString::fromUtf8("Обрезать длинные строки"), upper_page);
  cut_long_lines_->setObjectName(QStringLiteral("cutLongLines"));
  cut_long_lines_->setGeometry(560, 27, 201, 17);
  cut_long_lines_->setChecked(true);

  AddLabel(upper_page, "Описание полей", 8, 51);
}

void MainWindow::CreateLowerPanel(QWidget* lower_page) {
  AddLabel(lower_page, "Предварительный просмотр/редактирование ширины полей", 233, 3, true);
  preview_ = new HandheldPreview(lower_page, doc_, *this);
}

void MainWindow::CreateStatusBar(SplitterPanel* lower_panel) {
  auto* bar = new QWidget(lower_panel);
  bar->setObjectName(QStringLiteral("statusBar"));
  bar->resize(761, 18);
  lower_panel->SetBottomBar(bar);
  int left = 0;
  for (int i = 0; i < 4; ++i) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(QStringLiteral("statusPanel%1").arg(i));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(left, 0, kStatusPanelWidths[i], 18);
    panel->setIndent(2);
    status_panels_[i] = panel;
    left += kStatusPanelWidths[i];
  }
  // Over the third status panel, moving with the status bar.
  progress_bar_ = new QProgressBar(bar);
  progress_bar_->setObjectName(QStringLiteral("progressBar"));
  progress_bar_->setGeometry(214, 4, 113, 12);
  progress_bar_->setTextVisible(false);
  progress_bar_->hide();
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

std::string MainWindow::DatabaseName() const { return ToDocument(database_name_->text()); }

std::string MainWindow::Splitter() const { return ToDocument(splitter_->text()); }

bool MainWindow::CutLongLines() const { return cut_long_lines_->isChecked(); }

ReadOptions MainWindow::ReadingOptions() {
  return {Splitter(), std::nullopt,
          [this](const std::string& text) { return dialogs_->AskYesNo(MessageText(text)); },
          [this](int records) { ShowRunningCount(records); }};
}

SaveOptions MainWindow::SavingOptions() {
  return {
      DatabaseName(), Splitter(), CutLongLines(),
      [this](std::int64_t written, std::int64_t expected) { ShowSaveProgress(written, expected); }};
}

void MainWindow::ShowRunningCount(int records) {
  status_panels_[2]->setText(QString::number(records));
  status_panels_[2]->repaint();
}

void MainWindow::ShowSaveProgress(std::int64_t written, std::int64_t expected) {
  if (progress_bar_->isHidden()) {
    // A range of 0 would show a busy bar.
    progress_bar_->setRange(0, static_cast<int>(std::clamp<std::int64_t>(expected, 1, INT_MAX)));
    progress_bar_->show();
  }
  progress_bar_->setValue(static_cast<int>(written));
  progress_bar_->repaint();
}

void MainWindow::ShowReadResult(const Status& status, const ReadResult& result) {
  if (result.cut_long_lines) cut_long_lines_->setChecked(*result.cut_long_lines);
  if (result.splitter) splitter_->setText(FromDocument(*result.splitter));
  if (result.database_name) {
    database_name_->setText(FromDocument(*result.database_name));
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
  saved_state_ = CurrentState();
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
