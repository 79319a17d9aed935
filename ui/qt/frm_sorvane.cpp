#include "ui/qt/frm_sorvane.h"

#include "runtime/file_system.h"
#include "ui/qt/dir_list_box.h"
#include "ui/qt/drive_list_box.h"
#include "ui/qt/file_list_box.h"
#include "ui/qt/frm_about.h"
#include "ui/qt/message_box.h"
#include "ui/qt/mount_changes.h"
#include "ui/qt/qt_form_design.h"
#include "ui/qt/utf8_text.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include <chrono>
#include <limits>
#include <utility>

namespace sorvane {
namespace {

namespace layout = design::main_window;

// The files and folders of this machine that a drag carries, as the program's paths.
std::vector<std::string> LocalPaths(const QMimeData& dragged) {
  std::vector<std::string> paths;
  for (const QUrl& url : dragged.urls()) {
    if (url.isLocalFile()) paths.push_back(Utf8Bytes(url.toLocalFile()));
  }
  return paths;
}

}  // namespace

FrmSorvane::FrmSorvane(ProgramEnd& programEnd) {
  setObjectName(QStringLiteral("FrmSorvane"));
  setWindowTitle(Utf8Text(design::kApplicationTitle));
  setFont(design::CaptionFont());

  auto* client = new QWidget(this);
  setCentralWidget(client);
  Drv1 = new DriveListBox(client);
  Dir1 = new DirListBox(client);
  Fil1 = new FileListBox(client);
  Lbl1 = new QLabel(Utf8Text(layout::kLbl1.caption), client);
  Txt1 = new QLineEdit(client);
  Line1 = new QFrame(client);
  Lbl2 = new QLabel(Utf8Text(layout::kLbl2.caption), client);
  Txt2 = new QLineEdit(client);
  Cmd1 = new QPushButton(Utf8Text(layout::kCmd1.caption), client);
  Cmd2 = new QPushButton(Utf8Text(layout::kCmd2.caption), client);
  PlaceControls();
  CreateMenus();
  refreshTimer_.setSingleShot(true);
  refreshTimer_.setInterval(kRefreshDelay);
  openDropped_.setSingleShot(true);
  logic_.emplace(static_cast<MainWindowView&>(*this), *Drv1, *Dir1, *Fil1, programEnd,
                 CurrentFileSystem().MountedVolumes());
  ConnectProcedures();
  // A file dropped anywhere on the window opens, over the output box too.
  setAcceptDrops(true);
  Txt2->setAcceptDrops(false);

  resize(layout::kClient.width, layout::kClient.height + menuBar()->sizeHint().height());
  Drv1->setFocus();
}

FrmSorvane::~FrmSorvane() = default;

void FrmSorvane::PlaceControls() {
  for (const auto& [control, design] :
       {std::pair<QWidget*, const design::Control*>{Drv1, &layout::kDrv1}, {Dir1, &layout::kDir1},
        {Fil1, &layout::kFil1}, {Lbl1, &layout::kLbl1}, {Txt1, &layout::kTxt1}, {Lbl2, &layout::kLbl2},
        {Txt2, &layout::kTxt2}, {Cmd1, &layout::kCmd1}, {Cmd2, &layout::kCmd2}}) {
    design::Place(control, *design);
  }
  Line1->setObjectName(Utf8Text(layout::kLine1.name));
  const QLine line = design::ToQLine(layout::kLine1);
  Line1->setGeometry(QRect(line.p1(), line.p2()));

  Line1->setFrameShape(QFrame::HLine);
  Line1->setFrameShadow(QFrame::Plain);
  Line1->setLineWidth(1);
  // The input box only shows the chosen file; the conversion never reads it back.
  Txt1->setReadOnly(true);
  for (QLineEdit* box : {Txt1, Txt2}) box->setMaxLength(std::numeric_limits<int>::max());
  // A screen reader names each box after its label. A drop-down list Qt names after the
  // entry it shows, as Linux desktops do, and after the label it has as well: here one
  // that is not shown.
  Lbl1->setBuddy(Txt1);
  Lbl2->setBuddy(Txt2);
  auto* drivesLabel = new QLabel(Utf8Text(layout::kDrv1.accessibleName), centralWidget());
  drivesLabel->setBuddy(Drv1);
  drivesLabel->hide();
  // Outside a dialog no button is the default, so Enter in a text box presses nothing;
  // auto-default lets Enter press a button that has the focus, as Space does.
  for (QPushButton* button : {Cmd1, Cmd2}) button->setAutoDefault(true);

  QWidget* previous = nullptr;
  for (const design::Control* control : layout::kTabOrder) {
    QWidget* next = findChild<QWidget*>(Utf8Text(control->name));
    if (previous) setTabOrder(previous, next);
    previous = next;
  }
}

void FrmSorvane::CreateMenus() {
  const auto name = [](QObject* object, const design::MenuItem& design) {
    object->setObjectName(Utf8Text(design.name));
  };
  mnuFile = menuBar()->addMenu(Utf8Text(layout::kMnuFile.caption));
  name(mnuFile, layout::kMnuFile);
  mnuEnd = mnuFile->addAction(Utf8Text(layout::kMnuEnd.caption));
  name(mnuEnd, layout::kMnuEnd);
  mnuHelp = menuBar()->addMenu(Utf8Text(layout::kMnuHelp.caption));
  name(mnuHelp, layout::kMnuHelp);
  mnuAbout = mnuHelp->addAction(Utf8Text(layout::kMnuAbout.caption));
  name(mnuAbout, layout::kMnuAbout);
}

void FrmSorvane::ConnectProcedures() {
  connect(Drv1, &QComboBox::activated, this, [this](int index) { logic_->Drv1_Change(index); });
  connect(Dir1, &DirListBox::Open, this, [this](int index) { logic_->Dir1_Change(index); });
  connect(Fil1, &FileListBox::Click, this, [this](int index) { logic_->Fil1_Click(index); });
  connect(Txt2, &QLineEdit::textChanged, this,
          [this](const QString& text) { logic_->Txt2_Change(Utf8Bytes(text)); });
  connect(Cmd1, &QPushButton::clicked, this, [this] { logic_->Cmd1_Click(); });
  connect(Cmd2, &QPushButton::clicked, this, [this] { logic_->Cmd2_Click(); });
  connect(mnuEnd, &QAction::triggered, this, [this] { logic_->mnuEnd_Click(); });
  connect(mnuAbout, &QAction::triggered, this, &FrmSorvane::mnuAbout_Click);
  connect(&folderWatch_, &QFileSystemWatcher::directoryChanged, this, [this] { RefreshSoon(false); });
  connect(new MountChanges(this), &MountChanges::Changed, this, [this] { RefreshSoon(true); });
  connect(&openDropped_, &QTimer::timeout, this, [this] { logic_->OpenFromOutside(std::exchange(dropped_, {})); });
  connect(&refreshTimer_, &QTimer::timeout, this, [this] { logic_->RefreshNoted(); });
}

// Where no notification comes (a network share, a system that does not tell its mounts),
// coming to the front shows what is there now.
void FrmSorvane::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) RefreshSoon(true);
}

void FrmSorvane::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalPaths(*event->mimeData()).empty()) event->acceptProposedAction();
}

// Opened once the drop is over, so that a message box does not keep the program the
// files came from waiting for the drop to end. Drops that come faster than that open
// only the last, with at most one message.
void FrmSorvane::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths = LocalPaths(*event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  dropped_ = std::move(paths);
  openDropped_.start();
}

void FrmSorvane::RefreshSoon(bool drives) {
  logic_->NoteDiskChange(drives);
  if (!refreshTimer_.isActive()) refreshTimer_.start();
}

void FrmSorvane::mnuAbout_Click() {
  if (!about_) about_ = std::make_unique<FrmAbout>();
  about_->exec();
}

void FrmSorvane::SelectDrive(int index) { Drv1->setCurrentIndex(index); }

void FrmSorvane::ShowPaths(std::string_view inPath, std::string_view outPath) {
  Txt1->setText(Utf8Text(inPath));
  Txt2->setText(Utf8Text(outPath));
}

void FrmSorvane::ShowWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void FrmSorvane::EndWaitCursor() noexcept { QApplication::restoreOverrideCursor(); }

void FrmSorvane::Tell(std::string_view message) { ShowMessageBox(this, Utf8Text(message)); }

// A name whose bytes are not UTF-8 cannot be handed to Qt's watcher; such a folder is
// read anew when the window comes to the front.
void FrmSorvane::WatchFolder(const std::string& folder) {
  if (const QStringList watched = folderWatch_.directories(); !watched.isEmpty()) folderWatch_.removePaths(watched);
  folderWatch_.addPath(Utf8Text(folder));
}

}  // namespace sorvane
