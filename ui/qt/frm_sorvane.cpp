#include "ui/qt/frm_sorvane.h"

#include "engine/conversion_run.h"
#include "runtime/program_end.h"
#include "runtime/utf8_path.h"
#include "ui/qt/dir_list_box.h"
#include "ui/qt/drive_list_box.h"
#include "ui/qt/file_list_box.h"
#include "ui/qt/frm_about.h"
#include "ui/qt/qt_form_design.h"
#include "ui/qt/message_box.h"
#include "ui/qt/utf8_text.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <exception>
#include <filesystem>
#include <limits>
#include <system_error>

namespace sorvane {
namespace {

namespace layout = design::main_window;

std::string StartFolder() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? Utf8Bytes(QDir::rootPath()) : Utf8FromPath(folder);
}

// The outcome of one conversion. The wait cursor of the run ends before the box
// appears, and at the latest when the run is over.
class OutcomeBox final : public MessageSink {
 public:
  explicit OutcomeBox(QWidget* window) : window_(window) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~OutcomeBox() override { EndWait(); }
  OutcomeBox(const OutcomeBox&) = delete;
  OutcomeBox& operator=(const OutcomeBox&) = delete;

  void ShowMessage(std::string_view message) override {
    EndWait();
    ShowMessageBox(window_, Utf8Text(message));
  }

 private:
  void EndWait() {
    if (!waiting_) return;
    waiting_ = false;
    QApplication::restoreOverrideCursor();
  }

  QWidget* window_;
  bool waiting_ = true;
};

}  // namespace

FrmSorvane::FrmSorvane(ProgramEnd& programEnd)
    : programEnd_(programEnd), selection_(*this) {
  setObjectName(QStringLiteral("FrmSorvane"));
  setWindowTitle(Utf8Text(design::kApplicationTitle));
  setFont(design::CaptionFont());

  auto* client = new QWidget(this);
  setCentralWidget(client);
  const std::string start = StartFolder();
  Drv1 = new DriveListBox(start, client);
  Dir1 = new DirListBox(start, client);
  Fil1 = new FileListBox(std::string(layout::kFilePattern), Dir1->Path(), client);
  Lbl1 = new QLabel(Utf8Text(layout::kLbl1.caption), client);
  Txt1 = new QLineEdit(client);
  Line1 = new QFrame(client);
  Lbl2 = new QLabel(Utf8Text(layout::kLbl2.caption), client);
  Txt2 = new QLineEdit(client);
  Cmd1 = new QPushButton(Utf8Text(layout::kCmd1.caption), client);
  Cmd2 = new QPushButton(Utf8Text(layout::kCmd2.caption), client);
  PlaceControls();
  CreateMenus();
  ConnectProcedures();

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
  connect(Drv1, &DriveListBox::Change, this, &FrmSorvane::Drv1_Change);
  connect(Dir1, &DirListBox::Change, this, &FrmSorvane::Dir1_Change);
  connect(Dir1, &DirListBox::CannotOpen, this, &FrmSorvane::TellCannotOpenFolder);
  connect(Fil1, &FileListBox::Click, this, &FrmSorvane::Fil1_Click);
  connect(Txt2, &QLineEdit::textChanged, this, &FrmSorvane::Txt2_Change);
  connect(Cmd1, &QPushButton::clicked, this, &FrmSorvane::Cmd1_Click);
  connect(Cmd2, &QPushButton::clicked, this, &FrmSorvane::Cmd2_Click);
  connect(mnuEnd, &QAction::triggered, this, &FrmSorvane::mnuEnd_Click);
  connect(mnuAbout, &QAction::triggered, this, &FrmSorvane::mnuAbout_Click);
}

void FrmSorvane::Cmd1_Click() {
  OutcomeBox outcome(this);
  // The run tells every failure of its own in its box; only showing that box can throw
  // (memory gone), and then the window simply stays as it is.
  try {
    RunConversion(InPath(), OutPath(), outcome);
  } catch (const std::exception&) {
  }
}

void FrmSorvane::Cmd2_Click() { programEnd_.EndProgram(); }

void FrmSorvane::mnuEnd_Click() { programEnd_.EndProgram(); }

void FrmSorvane::mnuAbout_Click() {
  if (!about_) about_ = std::make_unique<FrmAbout>();
  about_->exec();
}

std::string FrmSorvane::Drive() const { return Drv1->Drive(); }

std::string FrmSorvane::DirPath() const { return Dir1->Path(); }

std::string FrmSorvane::FileListPath() const { return Fil1->Path(); }

bool FrmSorvane::MoveDirList(const std::string& path) { return Dir1->SetPath(path); }

bool FrmSorvane::MoveFileList(const std::string& path) { return Fil1->SetPath(path); }

void FrmSorvane::ShowDriveOf(const std::string& path) { Drv1->ShowDriveOf(path); }

std::optional<std::string> FrmSorvane::SelectedFileName() const {
  const int index = Fil1->ListIndex();
  if (index < 0) return std::nullopt;
  return Fil1->List(index);
}

void FrmSorvane::SetInputText(const std::string& text) { Txt1->setText(Utf8Text(text)); }

void FrmSorvane::SetOutputText(const std::string& text) { Txt2->setText(Utf8Text(text)); }

std::string FrmSorvane::OutputText() const { return Utf8Bytes(Txt2->text()); }

void FrmSorvane::TellCannotOpenFolder() {
  ShowMessageBox(this, Utf8Text(layout::kCannotOpenFolder));
}

}  // namespace sorvane
