#pragma once
// Paths and messages between the engine's byte strings and Qt's texts: paths in the
// file system's encoding, messages in UTF-8.

#include <QFile>
#include <QString>

#include <string>
#include <string_view>

namespace sorvane {

inline QString PathText(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

inline std::string PathBytes(const QString& text) { return QFile::encodeName(text).toStdString(); }

inline QString MessageText(std::string_view message) {
  return QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
}

}  // namespace sorvane
