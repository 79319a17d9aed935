#pragma once
// FrmAbout: the program's name, version and maker, closed with its OK button or its
// close control. Esc does nothing.

#include <QDialog>

class QLabel;
class QPushButton;

namespace sorvane {

class FrmAbout : public QDialog {
  Q_OBJECT

 public:
  FrmAbout();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Cmd1_Click();

  QLabel* Lbl1;
  QLabel* Lbl2;
  QPushButton* Cmd1;
};

}  // namespace sorvane
