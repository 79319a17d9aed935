#pragma once
// The program's one kind of message box: the application's title, the text, an OK
// button and no icon. Returns when the user has pressed OK or closed the box.

#include <QString>

class QWidget;

namespace sorvane {

void ShowMessageBox(QWidget* parent, const QString& text);

}  // namespace sorvane
