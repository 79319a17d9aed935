#pragma once
// Texts between the program's byte strings and Qt. Paths and messages are UTF-8 inside
// the program on every system; Qt's own file-name encoding would be the ANSI code page
// on Windows. A path whose bytes are not UTF-8 (a name copied from an old share in
// another code page) shows with replacement characters, so its text is for showing
// only: the program keeps the path's bytes and never reads them back from the text.

#include <QString>

#include <string>
#include <string_view>

namespace sorvane {

inline QString Utf8Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string Utf8Bytes(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace sorvane
