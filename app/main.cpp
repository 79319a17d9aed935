#include "ui/qt/frm_sorvane.h"
#include "ui/qt/quit_application.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  sorvane::QuitApplication programEnd;
  sorvane::FrmSorvane window(programEnd);
  window.show();
  return app.exec();
}
