#include "batch/batch_converter.h"
#include "runtime/program_end.h"
#include "tests/support/scratch_directory.h"
#include "tests/ui/window_cases.h"
#include "ui/form_design.h"
#include "ui/qt/dir_list_box.h"
#include "ui/qt/drive_list_box.h"
#include "ui/qt/file_list_box.h"
#include "ui/qt/frm_about.h"
#include "ui/qt/frm_sorvane.h"
#include "ui/qt/message_box.h"
#include "ui/qt/utf8_text.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <sstream>

using namespace sorvane;

namespace {

class RecordingEnd : public ProgramEnd {
 public:
  void EndProgram() override { ++requests; }
  int requests = 0;
};

// Closes every message box that comes up while it lives, and remembers what the boxes
// showed. A box that never appears leaves `count` at 0 instead of hanging the test.
class MessageBoxCloser {
 public:
  MessageBoxCloser() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { CloseOpenBox(); });
    timer_.start(10);
  }
  int count = 0;
  QString title;
  QString text;
  bool noIcon = false;
  bool okOnly = false;
  bool waitCursorShown = false;
  int width = 0;

 private:
  void CloseOpenBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    ++count;
    title = box->windowTitle();
    text = box->text();
    noIcon = box->icon() == QMessageBox::NoIcon;
    okOnly = box->standardButtons() == QMessageBox::Ok;
    waitCursorShown = QApplication::overrideCursor() != nullptr;
    width = box->width();
    box->button(QMessageBox::Ok)->click();
  }
  QTimer timer_;
};

}  // namespace

class tst_FrmSorvane : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void startsEmptyOnTheCurrentFolder();
  void clickingAFileShowsBothPaths_data();
  void clickingAFileShowsBothPaths();
  void convertEndsInOneMessageBox_data();
  void convertEndsInOneMessageBox();
  void convertWritesToTheEditedPathLikeTheBatchConverter();
  void everyClickOnAFileRaisesFil1ClickOnce();
  void namesThatAreNotUtf8ShowAsTheyReadAndKeepTheirBytes();
  void browsingKeepsTheSelection();
  void driveListFollowsTheDirectoryList();
  void unreadableFolderIsReportedAndListsStay();
  void tabWalksTheDesignedOrder();
  void enterInATextBoxPressesNoButton();
  void leavingAsksTheProgramToEnd_data();
  void leavingAsksTheProgramToEnd();
  void aboutWindowBlocksTheMainWindowUntilClosed();
  void controlsStandWhereDesigned_data();
  void controlsStandWhereDesigned();

 private:
  template <class T>
  T* Control(const char* name) const {
    T* control = window_->findChild<T*>(QString::fromLatin1(name));
    if (!control) qFatal("no control %s", name);
    return control;
  }
  void ClickFile(const QString& name);
  void ActivateFolder(const QString& name);
  void PickDrive(int index);
  QString Convert();
  void ClickInWindow(QWidget* control);

  std::unique_ptr<sorvane::testing::ScratchDirectory> scratch_;
  RecordingEnd programEnd_;
  std::unique_ptr<FrmSorvane> window_;
};

void tst_FrmSorvane::init() {
  scratch_ = std::make_unique<sorvane::testing::ScratchDirectory>();
  const std::string examples = SORVANE_EXAMPLES_DIR;
  std::filesystem::copy_file(examples + "/PreData.txt", *scratch_ / "PreData.txt");
  std::filesystem::copy_file(examples + "/survey-points.csv", *scratch_ / "points.csv");
  std::filesystem::copy_file(examples + "/survey-points.csv", *scratch_ / "点群.csv");
  std::filesystem::copy_file(examples + "/survey-points.csv", *scratch_ / "run.2.csv");
  sorvane::testing::WriteFile(*scratch_ / "notes.txt", "not a point file\n");
  std::filesystem::create_directory(*scratch_ / "sub");
  sorvane::testing::WriteFile(*scratch_ / "sub/inner.csv", "1,2,3\n");
  programEnd_.requests = 0;
  window_ = std::make_unique<FrmSorvane>(programEnd_);
  window_->show();
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void tst_FrmSorvane::cleanup() {
  window_.reset();
  scratch_.reset();
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName() + " left open"));
  }
}

void tst_FrmSorvane::ClickFile(const QString& name) {
  auto* list = Control<FileListBox>("Fil1");
  const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
  QCOMPARE(found.size(), 1);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.front()).center());
}

void tst_FrmSorvane::ActivateFolder(const QString& name) {
  auto* list = Control<DirListBox>("Dir1");
  QTreeWidgetItem* found = nullptr;
  for (QTreeWidgetItemIterator it(list); *it; ++it) {
    if ((*it)->text(0) == name) found = *it;
  }
  QVERIFY(found);
  const QRect shown = list->visualItemRect(found);
  QVERIFY2(list->viewport()->rect().contains(shown), "the folder is not shown in the list");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, shown.center());
  QTest::keyClick(list, Qt::Key_Return);
}

// As the user picks it in the open drop-down, whether or not it is shown already.
void tst_FrmSorvane::PickDrive(int index) {
  auto* drives = Control<DriveListBox>("Drv1");
  drives->showPopup();
  QAbstractItemView* popup = drives->view();
  QTRY_VERIFY(popup->isVisible());
  popup->setCurrentIndex(popup->model()->index(index, 0));
  QTest::keyClick(popup, Qt::Key_Return);
  QTRY_VERIFY(!popup->isVisible());
}

// Presses "変　換" and gives the text of the box that ends the run.
QString tst_FrmSorvane::Convert() {
  MessageBoxCloser boxes;
  QTest::mouseClick(Control<QPushButton>("Cmd1"), Qt::LeftButton);
  if (!QTest::qWaitFor([&] { return boxes.count > 0; }, 1000)) return {};
  return boxes.text;
}

// Through the window system, as a real click, so that a modal window blocks it.
void tst_FrmSorvane::ClickInWindow(QWidget* control) {
  const QPoint inWindow = control->mapTo(window_.get(), control->rect().center());
  QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {}, inWindow);
}

void tst_FrmSorvane::startsEmptyOnTheCurrentFolder() {
  const std::string here = std::filesystem::current_path().string();
  QCOMPARE(Control<DirListBox>("Dir1")->Path(), here);
  QCOMPARE(Control<FileListBox>("Fil1")->Path(), here);
  auto* files = Control<FileListBox>("Fil1");
  QStringList names;
  for (int i = 0; i < files->count(); ++i) names << files->item(i)->text();
  QCOMPARE(names, (QStringList{"points.csv", "run.2.csv", "点群.csv"}));
  QCOMPARE(files->ListIndex(), -1);
  QVERIFY(Control<QLineEdit>("Txt1")->text().isEmpty());
  QVERIFY(Control<QLineEdit>("Txt2")->text().isEmpty());
  QVERIFY(window_->InPath().empty());
  QVERIFY(window_->OutPath().empty());
  QCOMPARE(QApplication::focusWidget(), Control<QWidget>("Drv1"));
  // The drives are the volumes Qt finds mounted, the root first, and the one holding
  // the start folder is shown.
  auto* drives = Control<DriveListBox>("Drv1");
  QCOMPARE(drives->itemText(0), QDir::toNativeSeparators(QDir::rootPath()));
  QCOMPARE(drives->Drive(), Utf8Bytes(QStorageInfo(QString::fromStdString(here)).rootPath()));
}

void tst_FrmSorvane::clickingAFileShowsBothPaths_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QString>("outName");
  for (const auto& click : window_cases::kFileClicks) {
    QTest::newRow(click.name) << QString::fromUtf8(click.file) << QString::fromUtf8(click.proposal);
  }
}

void tst_FrmSorvane::clickingAFileShowsBothPaths() {
  QFETCH(QString, file);
  QFETCH(QString, outName);
  const QString folder = QString::fromStdString(scratch_->Path());
  ClickFile(file);
  QCOMPARE(Control<QLineEdit>("Txt1")->text(), folder + "/" + file);
  QCOMPARE(Control<QLineEdit>("Txt2")->text(), folder + "/" + outName);
  QCOMPARE(QString::fromStdString(window_->InPath()), folder + "/" + file);
  QCOMPARE(QString::fromStdString(window_->OutPath()), folder + "/" + outName);
}

void tst_FrmSorvane::convertEndsInOneMessageBox_data() {
  QTest::addColumn<bool>("chooseFile");
  QTest::addColumn<bool>("templateThere");
  QTest::addColumn<QString>("message");
  QTest::addColumn<bool>("written");
  for (const auto& end : window_cases::kConvertEnds) {
    QTest::newRow(end.name) << end.chooseFile << end.templateThere << QString::fromUtf8(end.message)
                            << end.written;
  }
}

void tst_FrmSorvane::convertEndsInOneMessageBox() {
  QFETCH(bool, chooseFile);
  QFETCH(bool, templateThere);
  QFETCH(QString, message);
  QFETCH(bool, written);
  if (!templateThere) std::filesystem::remove(*scratch_ / "PreData.txt");
  if (chooseFile) ClickFile("points.csv");
  {
    MessageBoxCloser boxes;
    QTest::mouseClick(Control<QPushButton>("Cmd1"), Qt::LeftButton);
    QTRY_COMPARE(boxes.count, 1);
    QCOMPARE(boxes.text, message);
    QCOMPARE(boxes.title, QStringLiteral("Sorvane"));
    QVERIFY(boxes.noIcon);
    QVERIFY(boxes.okOnly);
    QVERIFY2(!boxes.waitCursorShown, "the wait cursor should end before the box");
    QVERIFY2(boxes.width >= sorvane::design::kMessageBoxMinimumWidth, "too narrow for a title bar to show the whole title");
  }
  QVERIFY(QApplication::overrideCursor() == nullptr);
  QVERIFY(window_->isVisible());
  QCOMPARE(programEnd_.requests, 0);
  QCOMPARE(std::filesystem::exists(*scratch_ / "points.dxf"), written);
}

void tst_FrmSorvane::convertWritesToTheEditedPathLikeTheBatchConverter() {
  ClickFile("points.csv");
  auto* box = Control<QLineEdit>("Txt2");
  box->setFocus();
  box->selectAll();
  const std::string edited = *scratch_ / "sub/edited.dxf";
  QTest::keyClicks(box, QString::fromStdString(edited));
  QCOMPARE(window_->OutPath(), edited);
  QCOMPARE(Convert(), QStringLiteral("変換しました"));
  QVERIFY(!std::filesystem::exists(*scratch_ / "points.dxf"));

  const std::string batchOut = *scratch_ / "batch.dxf";
  const std::vector<std::string> args{"-o", batchOut, *scratch_ / "points.csv"};
  std::ostringstream out, err;
  QCOMPARE(RunBatchConverter(args, out, err), kExitAllConverted);
  const std::string fromWindow = sorvane::testing::ReadFile(edited);
  QVERIFY(!fromWindow.empty());
  QVERIFY(fromWindow == sorvane::testing::ReadFile(batchOut));
}

void tst_FrmSorvane::everyClickOnAFileRaisesFil1ClickOnce() {
  auto* files = Control<FileListBox>("Fil1");
  auto* outBox = Control<QLineEdit>("Txt2");
  const QSignalSpy clicks(files, &FileListBox::Click);
  const std::string proposal = *scratch_ / "points.dxf";

  ClickFile("points.csv");
  QCOMPARE(clicks.count(), 1);
  outBox->setFocus();
  outBox->selectAll();
  QTest::keyClicks(outBox, "edited.dxf");
  QCOMPARE(window_->OutPath(), std::string("edited.dxf"));
  // The file is still selected; clicking it again brings the proposal back.
  ClickFile("points.csv");
  QCOMPARE(clicks.count(), 2);
  QCOMPARE(window_->OutPath(), proposal);
  QCOMPARE(outBox->text(), QString::fromStdString(proposal));

  files->setFocus();
  QTest::keyClick(files, Qt::Key_Down);
  QCOMPARE(clicks.count(), 3);
  QCOMPARE(window_->InPath(), *scratch_ / "run.2.csv");
}

void tst_FrmSorvane::namesThatAreNotUtf8ShowAsTheyReadAndKeepTheirBytes() {
  // "測点" and "側点" in Shift-JIS, inside the folder "フォルダ" in Shift-JIS: no byte
  // of them is UTF-8, and they differ only there.
  const std::string folder = "\x83\x74\x83\x48\x83\x8b\x83\x5f";
  const std::vector<std::pair<std::string, QString>> names{
      {"\x91\xaa\x93\x5f", QStringLiteral("測点")}, {"\x91\xa4\x93\x5f", QStringLiteral("側点")}};
  const std::string examples = SORVANE_EXAMPLES_DIR;
  std::filesystem::create_directory(*scratch_ / folder);
  for (const auto& [bytes, shown] : names) {
    std::filesystem::copy_file(examples + "/survey-points.csv", *scratch_ / (folder + "/" + bytes + ".csv"));
  }
  QVERIFY(Control<DirListBox>("Dir1")->SetPath(scratch_->Path()));
  ActivateFolder(QStringLiteral("フォルダ"));

  auto* outBox = Control<QLineEdit>("Txt2");
  for (const auto& [bytes, shown] : names) {
    ClickFile(shown + QStringLiteral(".csv"));
    QVERIFY(Control<QLineEdit>("Txt1")->text().endsWith(QStringLiteral("/フォルダ/") + shown + QStringLiteral(".csv")));
    // The user keeps the name and changes its end: only what was typed is new.
    outBox->setFocus();
    outBox->end(false);
    for (int i = 0; i < 4; ++i) QTest::keyClick(outBox, Qt::Key_Backspace);
    QTest::keyClicks(outBox, "_v2.dxf");
    QCOMPARE(window_->OutPath(), *scratch_ / (folder + "/" + bytes + "_v2.dxf"));
    QCOMPARE(Convert(), QStringLiteral("変換しました"));
  }
  for (const auto& [bytes, shown] : names) {
    QVERIFY(sorvane::testing::ReadFile(*scratch_ / (folder + "/" + bytes + "_v2.dxf")).ends_with("EOF\r\n"));
  }
}

void tst_FrmSorvane::browsingKeepsTheSelection() {
  ClickFile("points.csv");
  const std::string inPath = window_->InPath();
  const std::string outPath = window_->OutPath();
  const QString shownIn = Control<QLineEdit>("Txt1")->text();
  const QString shownOut = Control<QLineEdit>("Txt2")->text();
  const auto selectionStays = [&] {
    QCOMPARE(window_->InPath(), inPath);
    QCOMPARE(window_->OutPath(), outPath);
    QCOMPARE(Control<QLineEdit>("Txt1")->text(), shownIn);
    QCOMPARE(Control<QLineEdit>("Txt2")->text(), shownOut);
  };
  auto* dirs = Control<DirListBox>("Dir1");
  auto* files = Control<FileListBox>("Fil1");

  ActivateFolder("sub");
  QCOMPARE(dirs->Path(), *scratch_ / "sub");
  QCOMPARE(files->Path(), *scratch_ / "sub");
  QCOMPARE(files->count(), 1);
  QCOMPARE(files->item(0)->text(), QStringLiteral("inner.csv"));
  selectionStays();

  auto* drives = Control<DriveListBox>("Drv1");
  drives->SetDrives({"/", scratch_->Path()}, dirs->Path());
  QCOMPARE(drives->Drive(), scratch_->Path());
  PickDrive(0);
  QCOMPARE(dirs->Path(), std::string("/"));
  QCOMPARE(files->Path(), std::string("/"));
  selectionStays();
  QCOMPARE(std::filesystem::current_path().string(), scratch_->Path());
}

void tst_FrmSorvane::driveListFollowsTheDirectoryList() {
  auto* drives = Control<DriveListBox>("Drv1");
  auto* dirs = Control<DirListBox>("Dir1");
  auto* files = Control<FileListBox>("Fil1");
  const auto listsAt = [&](const std::string& folder) {
    QCOMPARE(dirs->Path(), folder);
    QCOMPARE(files->Path(), folder);
  };
  // The scratch folder stands for a second volume.
  drives->SetDrives({"/", scratch_->Path()}, dirs->Path());

  PickDrive(0);
  listsAt("/");
  PickDrive(1);
  listsAt(scratch_->Path());
  ActivateFolder("/");
  listsAt("/");
  QCOMPARE(drives->Drive(), std::string("/"));
  PickDrive(1);
  listsAt(scratch_->Path());

  ActivateFolder("sub");
  QCOMPARE(drives->Drive(), scratch_->Path());
  // The drive already shown takes the lists back to its root.
  PickDrive(1);
  listsAt(scratch_->Path());
}

void tst_FrmSorvane::unreadableFolderIsReportedAndListsStay() {
  auto* dirs = Control<DirListBox>("Dir1");
  auto* files = Control<FileListBox>("Fil1");
  auto* drives = Control<DriveListBox>("Drv1");
  const int fileCount = files->count();
  std::filesystem::remove_all(*scratch_ / "sub");
  drives->SetDrives({scratch_->Path(), *scratch_ / "gone"}, scratch_->Path());

  MessageBoxCloser boxes;
  ActivateFolder("sub");
  QTRY_COMPARE(boxes.count, 1);
  QCOMPARE(boxes.text, QStringLiteral("フォルダを開けません"));
  QCOMPARE(boxes.title, QStringLiteral("Sorvane"));
  QCOMPARE(dirs->Path(), scratch_->Path());
  QCOMPARE(files->Path(), scratch_->Path());

  PickDrive(1);
  QTRY_COMPARE(boxes.count, 2);
  QCOMPARE(boxes.text, QStringLiteral("フォルダを開けません"));
  QCOMPARE(drives->Drive(), scratch_->Path());
  QCOMPARE(dirs->Path(), scratch_->Path());
  QCOMPARE(files->Path(), scratch_->Path());
  QCOMPARE(files->count(), fileCount);
}

void tst_FrmSorvane::tabWalksTheDesignedOrder() {
  QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Drv1"));
  for (const char* next : window_cases::kTabOrder) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
  }
}

void tst_FrmSorvane::enterInATextBoxPressesNoButton() {
  ClickFile("points.csv");
  MessageBoxCloser boxes;
  for (const char* name : {"Txt1", "Txt2"}) {
    auto* box = Control<QLineEdit>(name);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Enter);
  }
  QCoreApplication::processEvents();
  QCOMPARE(boxes.count, 0);
  QCOMPARE(programEnd_.requests, 0);
  QVERIFY(!std::filesystem::exists(*scratch_ / "points.dxf"));
}

void tst_FrmSorvane::leavingAsksTheProgramToEnd_data() {
  QTest::addColumn<QString>("way");
  QTest::newRow("cancel button") << "Cmd2";
  QTest::newRow("enter on the focused cancel button") << "Cmd2 key";
  QTest::newRow("file exit item") << "mnuEnd";
  QTest::newRow("alt+f then x") << "keys";
}

void tst_FrmSorvane::leavingAsksTheProgramToEnd() {
  QFETCH(QString, way);
  ClickFile("points.csv");
  MessageBoxCloser boxes;
  if (way == "Cmd2") {
    QTest::mouseClick(Control<QPushButton>("Cmd2"), Qt::LeftButton);
  } else if (way == "Cmd2 key") {
    Control<QPushButton>("Cmd2")->setFocus();
    QTest::keyClick(Control<QPushButton>("Cmd2"), Qt::Key_Return);
  } else if (way == "mnuEnd") {
    Control<QAction>("mnuEnd")->trigger();
  } else {
    QTest::keyClick(window_.get(), Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_X);
  }
  QCoreApplication::processEvents();
  QCOMPARE(programEnd_.requests, 1);
  QCOMPARE(boxes.count, 0);
  QVERIFY(!std::filesystem::exists(*scratch_ / "points.dxf"));
}

void tst_FrmSorvane::aboutWindowBlocksTheMainWindowUntilClosed() {
  for (const bool closeWithOk : {true, false}) {
    bool opened = false;
    int endRequestsWhileOpen = -1;
    QTimer::singleShot(50, [&] {
      auto* about = qobject_cast<FrmAbout*>(QApplication::activeModalWidget());
      if (!about) return;
      opened = true;
      ClickInWindow(Control<QPushButton>("Cmd2"));
      endRequestsWhileOpen = programEnd_.requests;
      if (closeWithOk) {
        QTest::mouseClick(about->findChild<QPushButton*>("Cmd1"), Qt::LeftButton);
      } else {
        about->close();
      }
    });
    Control<QAction>("mnuAbout")->trigger();
    QVERIFY(opened);
    QCOMPARE(endRequestsWhileOpen, 0);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }
  // The same click reaches the window once the About window is gone.
  ClickInWindow(Control<QPushButton>("Cmd2"));
  QCOMPARE(programEnd_.requests, 1);
}

void tst_FrmSorvane::controlsStandWhereDesigned_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("geometry");
  QTest::addColumn<QString>("caption");
  for (const auto& control : window_cases::kMainWindow) {
    QTest::newRow(control.name) << control.name
                                << QRect(control.left, control.top, control.width, control.height)
                                << QString::fromUtf8(control.caption);
  }
}

void tst_FrmSorvane::controlsStandWhereDesigned() {
  QFETCH(QString, name);
  QFETCH(QRect, geometry);
  QFETCH(QString, caption);
  QCOMPARE(window_->windowTitle(), QStringLiteral("Sorvane"));
  QCOMPARE(window_->centralWidget()->size(),
           QSize(window_cases::kMainClientWidth, window_cases::kMainClientHeight));
  auto* control = Control<QWidget>(name.toLatin1().constData());
  QCOMPARE(control->geometry(), geometry);

  window_->resize(700, 600);
  QCOMPARE(control->geometry(), geometry);

  if (caption.isEmpty()) return;
  const auto* label = qobject_cast<QLabel*>(control);
  const auto* button = qobject_cast<QAbstractButton*>(control);
  QCOMPARE(label ? label->text() : button->text(), caption);
  // The whole caption fits inside the control, so none of it is cut off.
  const QRect needed = control->fontMetrics().boundingRect(caption);
  QVERIFY2(needed.width() <= geometry.width() && control->fontMetrics().height() <= geometry.height(),
           qPrintable(QString("%1 needs %2 x %3").arg(caption).arg(needed.width()).arg(control->fontMetrics().height())));
}

QTEST_MAIN(tst_FrmSorvane)
#include "tst_frmsorvane.moc"
