#include "ui/qt/qt_form_design.h"

#include <QStringList>

namespace sorvane::design {

QFont CaptionFont() {
  QFont font;
  font.setFamilies({QStringLiteral("VL PGothic"), QStringLiteral("VL Gothic"),
                    QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic")});
  font.setPixelSize(kCaptionPixels);
  return font;
}

}  // namespace sorvane::design
