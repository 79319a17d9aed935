#pragma once
// A path as the window shows it, and the path that an edit of the shown text stands for.
// Paths are bytes; a box shows UTF-8 text. A name that is not UTF-8 (written on a
// system that keeps Japanese in the legacy code page CP932, as old shares do) shows as
// its CP932 text, and a byte that is no character there as "\x83", so that two
// different names never show alike. An edit of the text changes only what was edited:
// the rest of the path keeps its own bytes, so a name that cannot be shown exactly
// still converts to a file beside it, never to a lookalike.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

class ShownPath {
 public:
  ShownPath() = default;
  explicit ShownPath(std::string_view path);

  const std::string& Text() const noexcept { return text_; }
  const std::string& Path() const noexcept { return path_; }

  // The shown text became `edited` (UTF-8, as a box hands it over): by typing, deleting
  // or pasting, anywhere. The path becomes the bytes of the unchanged start and end of
  // the text with the new text between them.
  void Edit(std::string_view edited);

 private:
  // One character of the shown text and the bytes it stands for.
  struct Piece {
    std::size_t textSize;
    std::size_t pathSize;
  };
  void AppendVerbatim(std::string_view utf8);
  void AppendLegacyName(std::string_view name);

  std::string text_;
  std::string path_;
  std::vector<Piece> pieces_;
};

// How a file or folder name shows in a list.
inline std::string ShownName(std::string_view name) { return ShownPath(name).Text(); }

}  // namespace sorvane
