#pragma once
// The program's one kind of message box: the application's title, the text, an OK
// button and no icon. Returns when the user has pressed OK or closed the box.

#include <QString>

class QWidget;

namespace sorvane {

// The narrowest box, in pixels. A window manager puts an icon and up to three buttons
// beside the title, so a box only as wide as a short text ("変換しました", 109 pixels)
// showed its title as "So…ne" or ".".
inline constexpr int kMessageBoxMinimumWidth = 240;

void ShowMessageBox(QWidget* parent, const QString& text);

}  // namespace sorvane
