#include "ui/qt/message_box.h"

#include "ui/form_design.h"
#include "ui/qt/utf8_text.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace sorvane {

void ShowMessageBox(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, Utf8Text(design::kApplicationTitle), text,
                  QMessageBox::Ok, parent);
  // The box speaks Japanese like its window, so it takes the window's font.
  box.setAttribute(Qt::WA_WindowPropagation);
  // The box sizes itself to its contents; a strut across its layout's full width
  // makes it no narrower than the title needs.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    grid->addItem(new QSpacerItem(design::kMessageBoxMinimumWidth, 0, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  box.exec();
}

}  // namespace sorvane
