#pragma once
// The windows' design in Qt's terms: its pixel rectangles at 96 dpi, where Qt scales
// them for the screen, and the font every caption fits in.

#include "ui/form_design.h"
#include "ui/qt/utf8_text.h"

#include <QFont>
#include <QLine>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace sorvane::design {

// A Japanese font at the designed caption size.
QFont CaptionFont();

inline QRect ToQRect(const Control& control) {
  const PixelRect pixels = control.twips.ToPixels();
  return {pixels.left, pixels.top, pixels.width, pixels.height};
}

// Names `widget` after its design, the name the tests find it by, gives it the name a
// screen reader calls it by where its caption does not, and puts it in place.
inline void Place(QWidget* widget, const Control& control) {
  widget->setObjectName(Utf8Text(control.name));
  if (!control.accessibleName.empty()) widget->setAccessibleName(Utf8Text(control.accessibleName));
  widget->setGeometry(ToQRect(control));
}

inline QSize ToQSize(PixelSize size) { return {size.width, size.height}; }

inline QLine ToQLine(const Line& line) {
  return {Pixels(line.fromX), Pixels(line.fromY), Pixels(line.toX), Pixels(line.toY)};
}

}  // namespace sorvane::design
