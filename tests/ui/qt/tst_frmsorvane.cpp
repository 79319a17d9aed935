#include "runtime/program_end.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/window_doubles.h"
#include "tests/ui/window_cases.h"
#include "ui/form_design.h"
#include "ui/qt/dir_list_box.h"
#include "ui/qt/file_list_box.h"
#include "ui/qt/frm_about.h"
#include "ui/qt/frm_sorvane.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <memory>

using namespace sorvane;

namespace {

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

  void startsOnTheCurrentFolderWithTheFocusOnTheDriveList();
  void everyClickOnAFileRaisesFil1ClickOnceAndAnEditFollowsTheBox();
  void openingAFolderOrPickingADriveMovesTheLists();
  void aPointFileDroppedOnTheWindowIsChosen();
  void aFileCreatedInTheShownFolderAppearsAndNothingElseMoves();
  void convertTellsTheOutcomeInTheProgramsMessageBox();
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
  void ClickInWindow(QWidget* control);

  std::unique_ptr<sorvane::testing::ScratchDirectory> scratch_;
  sorvane::testing::RecordingEnd programEnd_;
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
  auto* drives = Control<QComboBox>("Drv1");
  drives->showPopup();
  QAbstractItemView* popup = drives->view();
  QTRY_VERIFY(popup->isVisible());
  popup->setCurrentIndex(popup->model()->index(index, 0));
  QTest::keyClick(popup, Qt::Key_Return);
  QTRY_VERIFY(!popup->isVisible());
}

// Through the window system, as a real click, so that a modal window blocks it.
void tst_FrmSorvane::ClickInWindow(QWidget* control) {
  const QPoint inWindow = control->mapTo(window_.get(), control->rect().center());
  QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {}, inWindow);
}

void tst_FrmSorvane::startsOnTheCurrentFolderWithTheFocusOnTheDriveList() {
  QCOMPARE(QApplication::focusWidget(), Control<QWidget>("Drv1"));
  auto* files = Control<FileListBox>("Fil1");
  QStringList names;
  for (int i = 0; i < files->count(); ++i) names << files->item(i)->text();
  QCOMPARE(names, (QStringList{"points.csv", "run.2.csv", "点群.csv"}));
  QCOMPARE(files->ListIndex(), -1);
  auto* folders = Control<DirListBox>("Dir1");
  QCOMPARE(folders->currentItem()->text(0), QString::fromStdString(std::filesystem::current_path().filename().string()));
  QVERIFY(folders->viewport()->rect().contains(folders->visualItemRect(folders->currentItem())));
  QVERIFY(Control<QLineEdit>("Txt1")->text().isEmpty());
  QVERIFY(Control<QLineEdit>("Txt2")->text().isEmpty());
  // The drives are the volumes Qt finds mounted, the root first, and the one holding
  // the start folder is shown.
  auto* drives = Control<QComboBox>("Drv1");
  QCOMPARE(drives->itemText(0), QDir::rootPath());
  QCOMPARE(drives->currentText(), QStorageInfo(QDir::currentPath()).rootPath());
}

void tst_FrmSorvane::everyClickOnAFileRaisesFil1ClickOnceAndAnEditFollowsTheBox() {
  auto* files = Control<FileListBox>("Fil1");
  auto* outBox = Control<QLineEdit>("Txt2");
  const QSignalSpy clicks(files, &FileListBox::Click);
  const std::string proposal = *scratch_ / "points.dxf";

  ClickFile("points.csv");
  QCOMPARE(clicks.count(), 1);
  QCOMPARE(Control<QLineEdit>("Txt1")->text(), QString::fromStdString(*scratch_ / "points.csv"));
  QCOMPARE(outBox->text(), QString::fromStdString(proposal));
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

void tst_FrmSorvane::openingAFolderOrPickingADriveMovesTheLists() {
  auto* files = Control<FileListBox>("Fil1");
  ActivateFolder("sub");
  QCOMPARE(files->count(), 1);
  QCOMPARE(files->item(0)->text(), QStringLiteral("inner.csv"));
  QCOMPARE(Control<DirListBox>("Dir1")->currentItem()->text(0), QStringLiteral("sub"));

  PickDrive(0);
  QCOMPARE(Control<DirListBox>("Dir1")->currentItem()->text(0), QDir::rootPath());
  QCOMPARE(Control<QComboBox>("Drv1")->currentIndex(), 0);
}

// As a file manager drags it: its address and its path as text, dropped over the output
// box, which would take the text if the window let it.
void tst_FrmSorvane::aPointFileDroppedOnTheWindowIsChosen() {
  const QString path = QString::fromStdString(*scratch_ / "sub/inner.csv");
  QMimeData dragged;
  dragged.setUrls({QUrl::fromLocalFile(path)});
  dragged.setText(path);
  auto* outBox = Control<QLineEdit>("Txt2");
  const QPoint over = outBox->rect().center();
  QDragEnterEvent enter(over, Qt::CopyAction, &dragged, Qt::LeftButton, {});
  QApplication::sendEvent(outBox, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(over, Qt::CopyAction, &dragged, Qt::LeftButton, {});
  QApplication::sendEvent(outBox, &drop);
  QVERIFY(drop.isAccepted());

  QTRY_COMPARE(Control<QLineEdit>("Txt1")->text(), path);
  QCOMPARE(outBox->text(), QString::fromStdString(*scratch_ / "sub/inner.dxf"));
  QCOMPARE(Control<FileListBox>("Fil1")->currentItem()->text(), QStringLiteral("inner.csv"));
  QCOMPARE(Control<DirListBox>("Dir1")->currentItem()->text(0), QStringLiteral("sub"));
}

// Within a second, through the system's notification; the list stays scrolled as it
// was, the selection and the focus stay, and so does the edited output path.
void tst_FrmSorvane::aFileCreatedInTheShownFolderAppearsAndNothingElseMoves() {
  auto* files = Control<FileListBox>("Fil1");
  ClickFile("points.csv");
  auto* outBox = Control<QLineEdit>("Txt2");
  outBox->setFocus();
  QTest::keyClicks(outBox, "_2");
  const QString edited = outBox->text();
  for (int i = 10; i < 50; ++i) sorvane::testing::WriteFile(*scratch_ / ("z" + std::to_string(i) + ".csv"), "1,2,3\n");
  QTRY_COMPARE_WITH_TIMEOUT(files->count(), 43, 1000);
  QScrollBar* scroll = files->verticalScrollBar();
  scroll->setValue(scroll->maximum() / 2);
  const int top = scroll->value();
  QVERIFY(top > 0);

  sorvane::testing::WriteFile(*scratch_ / "new.csv", "1,2,3\n");
  QTRY_VERIFY_WITH_TIMEOUT(!files->findItems(QStringLiteral("new.csv"), Qt::MatchExactly).isEmpty(), 1000);
  QCOMPARE(scroll->value(), top);
  QCOMPARE(files->currentItem()->text(), QStringLiteral("points.csv"));
  QCOMPARE(QApplication::focusWidget(), outBox);
  QCOMPARE(outBox->text(), edited);
  QCOMPARE(window_->OutPath(), edited.toStdString());
}

void tst_FrmSorvane::convertTellsTheOutcomeInTheProgramsMessageBox() {
  ClickFile("points.csv");
  {
    MessageBoxCloser boxes;
    QTest::mouseClick(Control<QPushButton>("Cmd1"), Qt::LeftButton);
    QTRY_COMPARE(boxes.count, 1);
    QCOMPARE(boxes.text, QStringLiteral("変換しました"));
    QCOMPARE(boxes.title, QStringLiteral("Sorvane"));
    QVERIFY(boxes.noIcon);
    QVERIFY(boxes.okOnly);
    QVERIFY2(!boxes.waitCursorShown, "the wait cursor should end before the box");
    QVERIFY2(boxes.width >= sorvane::design::kMessageBoxMinimumWidth, "too narrow for a title bar to show the whole title");
  }
  QVERIFY(QApplication::overrideCursor() == nullptr);
  QVERIFY(window_->isVisible());
  QCOMPARE(programEnd_.requests, 0);
  QVERIFY(std::filesystem::exists(*scratch_ / "points.dxf"));
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
