#include "message_box.h"

#include <QMessageBox>

namespace sorvane {

void ShowMessageBox(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle), text,
                  QMessageBox::Ok, parent);
  // The box speaks Japanese like its window, so it takes the window's font.
  box.setAttribute(Qt::WA_WindowPropagation);
  box.exec();
}

}  // namespace sorvane
