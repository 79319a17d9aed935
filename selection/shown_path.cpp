#include "selection/shown_path.h"

#include "runtime/legacy_japanese_text.h"
#include "runtime/utf8_text.h"

#include <algorithm>
#include <array>
#include <optional>

namespace sorvane {
namespace {

// A control or a private-use character shows nothing a person can read; the bytes do.
bool IsShowable(std::string_view utf8) {
  const auto lead = static_cast<unsigned char>(utf8[0]);
  if (lead < 0x20 || lead == 0x7F) return false;
  const char32_t code = Utf8CodePoint(utf8.substr(0, Utf8CharacterSize(utf8)));
  return !(code >= 0x80 && code <= 0x9F) && !(code >= 0xE000 && code <= 0xF8FF);
}

std::string Escaped(unsigned char byte) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  return {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

}  // namespace

ShownPath::ShownPath(std::string_view path) {
  // A "/" is never part of a UTF-8 or CP932 character, so each name between them is
  // read on its own: a UTF-8 folder may hold a CP932 file.
  while (!path.empty()) {
    const std::size_t end = std::min(path.find('/'), path.size());
    const std::string_view name = path.substr(0, end);
    if (IsUtf8(name)) {
      AppendVerbatim(name);
    } else {
      AppendLegacyName(name);
    }
    if (end < path.size()) AppendVerbatim("/");
    path.remove_prefix(std::min(end + 1, path.size()));
  }
}

void ShownPath::AppendVerbatim(std::string_view utf8) {
  while (!utf8.empty()) {
    // Text from a box is UTF-8; a stray byte is carried as it is.
    const std::size_t size = std::max<std::size_t>(Utf8CharacterSize(utf8), 1);
    text_.append(utf8.substr(0, size));
    path_.append(utf8.substr(0, size));
    pieces_.push_back({size, size});
    utf8.remove_prefix(size);
  }
}

void ShownPath::AppendLegacyName(std::string_view name) {
  while (!name.empty()) {
    const auto byte = static_cast<unsigned char>(name[0]);
    const std::size_t size = IsCp932LeadByte(byte) && name.size() > 1 ? 2 : 1;
    std::optional<std::string> character = Cp932CharacterAsUtf8(name.substr(0, size));
    std::size_t used = size;
    // A backslash shows escaped too, so an escape never reads like a name's own text.
    if (!character || !IsShowable(*character) || *character == "\\") {
      character = Escaped(byte);
      used = 1;
    }
    text_.append(*character);
    path_.append(name.substr(0, used));
    pieces_.push_back({character->size(), used});
    name.remove_prefix(used);
  }
}

void ShownPath::Edit(std::string_view edited) {
  if (edited == text_) return;
  const std::size_t common = std::min(text_.size(), edited.size());
  std::size_t prefix = 0;
  while (prefix < common && text_[prefix] == edited[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < common - prefix &&
         text_[text_.size() - 1 - suffix] == edited[edited.size() - 1 - suffix]) {
    ++suffix;
  }

  // Whole characters only: those wholly inside the unchanged start and end keep their
  // bytes; one that the edit touched is replaced by the text the box now shows for it.
  std::size_t first = 0, keptStartText = 0, keptStartPath = 0;
  while (first < pieces_.size() && keptStartText + pieces_[first].textSize <= prefix) {
    keptStartText += pieces_[first].textSize;
    keptStartPath += pieces_[first].pathSize;
    ++first;
  }
  std::size_t last = pieces_.size(), keptEndText = 0, keptEndPath = 0;
  while (last > first && keptEndText + pieces_[last - 1].textSize <= suffix) {
    keptEndText += pieces_[last - 1].textSize;
    keptEndPath += pieces_[last - 1].pathSize;
    --last;
  }

  ShownPath result;
  result.text_.assign(text_, 0, keptStartText);
  result.path_.assign(path_, 0, keptStartPath);
  result.pieces_.assign(pieces_.begin(), pieces_.begin() + static_cast<std::ptrdiff_t>(first));
  result.AppendVerbatim(edited.substr(keptStartText, edited.size() - keptStartText - keptEndText));
  result.text_.append(text_, text_.size() - keptEndText);
  result.path_.append(path_, path_.size() - keptEndPath);
  result.pieces_.insert(result.pieces_.end(), pieces_.begin() + static_cast<std::ptrdiff_t>(last),
                        pieces_.end());
  *this = std::move(result);
}

}  // namespace sorvane
