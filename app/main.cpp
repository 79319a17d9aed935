#include "runtime/program_io.h"
#include "ui/qt/frm_sorvane.h"
#include "ui/qt/quit_application.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  sorvane::QuitApplication programEnd;
  sorvane::FrmSorvane window(programEnd);
  window.show();
  // A point file named on the command line: "Open with", or the desktop entry's file.
  window.OpenFromOutside(sorvane::ProgramArguments(argc, argv));
  return app.exec();
}
