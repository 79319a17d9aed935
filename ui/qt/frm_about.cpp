#include "ui/qt/frm_about.h"

#include "ui/qt/form_design.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace sorvane {

namespace layout = design::about_window;

FrmAbout::FrmAbout()
    : Lbl1(new QLabel(QStringLiteral("Sorvane  Ver 1.00 00"), this)),
      Lbl2(new QLabel(QStringLiteral("(C) The Sorvane developers"), this)),
      Cmd1(new QPushButton(QStringLiteral("O  K"), this)) {
  setObjectName(QStringLiteral("FrmAbout"));
  setWindowTitle(QStringLiteral("バージョン表示"));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  setFont(design::CaptionFont());
  resize(layout::kClient);

  Lbl1->setObjectName(QStringLiteral("Lbl1"));
  Lbl1->setGeometry(layout::kLbl1.ToPixels());
  Lbl2->setObjectName(QStringLiteral("Lbl2"));
  Lbl2->setGeometry(layout::kLbl2.ToPixels());
  Cmd1->setObjectName(QStringLiteral("Cmd1"));
  Cmd1->setGeometry(layout::kCmd1.ToPixels());
  // Enter and Space press the button because it has the focus, not as a default.
  Cmd1->setAutoDefault(true);
  Cmd1->setDefault(false);
  Cmd1->setFocus();
  connect(Cmd1, &QPushButton::clicked, this, &FrmAbout::Cmd1_Click);
}

void FrmAbout::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void FrmAbout::Cmd1_Click() { accept(); }

}  // namespace sorvane
