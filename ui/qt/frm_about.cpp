#include "ui/qt/frm_about.h"

#include "ui/qt/qt_form_design.h"
#include "ui/qt/utf8_text.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace sorvane {

namespace layout = design::about_window;

FrmAbout::FrmAbout()
    : Lbl1(new QLabel(Utf8Text(layout::kLbl1.caption), this)),
      Lbl2(new QLabel(Utf8Text(layout::kLbl2.caption), this)),
      Cmd1(new QPushButton(Utf8Text(layout::kCmd1.caption), this)) {
  setObjectName(QStringLiteral("FrmAbout"));
  setWindowTitle(Utf8Text(layout::kCaption));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  setFont(design::CaptionFont());
  resize(design::ToQSize(layout::kClient));
  design::Place(Lbl1, layout::kLbl1);
  design::Place(Lbl2, layout::kLbl2);
  design::Place(Cmd1, layout::kCmd1);
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
