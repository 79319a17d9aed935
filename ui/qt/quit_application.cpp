#include "ui/qt/quit_application.h"

#include <QCoreApplication>

namespace sorvane {

void QuitApplication::EndProgram() { QCoreApplication::exit(0); }

}  // namespace sorvane
