#include "ui/qt/frm_about.h"

#include "tests/ui/window_cases.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace sorvane;

class tst_FrmAbout : public QObject {
  Q_OBJECT

 private slots:
  void controlsStandWhereDesigned_data();
  void controlsStandWhereDesigned();
  void escapeLeavesItOpen();
  void okAndTheCloseControlBothUnloadIt_data();
  void okAndTheCloseControlBothUnloadIt();
};

void tst_FrmAbout::controlsStandWhereDesigned_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("geometry");
  QTest::addColumn<QString>("caption");
  for (const auto& control : sorvane::window_cases::kAboutWindow) {
    QTest::newRow(control.name) << control.name
                                << QRect(control.left, control.top, control.width, control.height)
                                << QString::fromUtf8(control.caption);
  }
}

void tst_FrmAbout::controlsStandWhereDesigned() {
  QFETCH(QString, name);
  QFETCH(QRect, geometry);
  QFETCH(QString, caption);
  FrmAbout about;
  about.show();
  QVERIFY(QTest::qWaitForWindowExposed(&about));
  QCOMPARE(about.windowTitle(), QStringLiteral("バージョン表示"));
  QCOMPARE(about.size(), QSize(sorvane::window_cases::kAboutClientWidth,
                                sorvane::window_cases::kAboutClientHeight));
  auto* control = about.findChild<QWidget*>(name);
  QVERIFY(control);
  QCOMPARE(control->geometry(), geometry);
  const auto* label = qobject_cast<QLabel*>(control);
  QCOMPARE(label ? label->text() : qobject_cast<QPushButton*>(control)->text(), caption);
  QVERIFY(control->fontMetrics().boundingRect(caption).width() <= geometry.width());
  QVERIFY(control->fontMetrics().height() <= geometry.height());
}

void tst_FrmAbout::escapeLeavesItOpen() {
  FrmAbout about;
  about.open();
  QVERIFY(QTest::qWaitForWindowExposed(&about));
  QCOMPARE(about.findChild<QLabel*>("Lbl1")->text(), QStringLiteral("Sorvane  Ver 1.00 00"));
  QCOMPARE(about.findChild<QPushButton*>("Cmd1")->text(), QStringLiteral("O  K"));
  QTest::keyClick(&about, Qt::Key_Escape);
  QVERIFY(about.isVisible());
}

void tst_FrmAbout::okAndTheCloseControlBothUnloadIt_data() {
  QTest::addColumn<QString>("way");
  QTest::newRow("O  K clicked") << "click";
  QTest::newRow("Enter on the focused O  K") << "enter";
  QTest::newRow("close control") << "close";
}

void tst_FrmAbout::okAndTheCloseControlBothUnloadIt() {
  QFETCH(QString, way);
  FrmAbout about;
  for (int opening = 0; opening < 2; ++opening) {
    about.open();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto* ok = about.findChild<QPushButton*>("Cmd1");
    QCOMPARE(QApplication::focusWidget(), ok);
    if (way == "click") QTest::mouseClick(ok, Qt::LeftButton);
    if (way == "enter") QTest::keyClick(ok, Qt::Key_Return);
    if (way == "close") about.close();
    QVERIFY(!about.isVisible());
  }
}

QTEST_MAIN(tst_FrmAbout)
#include "tst_frmabout.moc"
