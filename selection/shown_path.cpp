#include "selection/shown_path.h"

#include "runtime/legacy_japanese_text.h"

#include <algorithm>
#include <array>
#include <optional>

namespace sorvane {
namespace {

// The length of the UTF-8 character that starts `text`; 0 when none does.
std::size_t Utf8CharacterSize(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t size = 0;
  char32_t lowest = 0;
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) {
    size = 2;
    lowest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    size = 3;
    lowest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    size = 4;
    lowest = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < size) return 0;
  char32_t code = lead & (0x7F >> size);
  for (std::size_t i = 1; i < size; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code < lowest || code > 0x10FFFF || surrogate ? 0 : size;
}

bool IsUtf8(std::string_view text) {
  while (!text.empty()) {
    const std::size_t size = Utf8CharacterSize(text);
    if (size == 0) return false;
    text.remove_prefix(size);
  }
  return true;
}

// A control or a private-use character shows nothing a person can read; the bytes do.
bool IsShowable(std::string_view utf8) {
  const auto lead = static_cast<unsigned char>(utf8[0]);
  if (lead < 0x20 || lead == 0x7F) return false;
  char32_t code = lead;
  if (lead >= 0xC0) {
    const std::size_t size = Utf8CharacterSize(utf8);
    code = lead & (0x7F >> size);
    for (std::size_t i = 1; i < size; ++i) code = (code << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
  }
  return !(code >= 0x80 && code <= 0x9F) && !(code >= 0xE000 && code <= 0xF8FF);
}

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
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
  const std::size_t prefix =
      static_cast<std::size_t>(std::mismatch(text_.begin(), text_.begin() + common, edited.begin()).first -
                               text_.begin());
  const std::size_t suffix = static_cast<std::size_t>(
      std::mismatch(text_.rbegin(), text_.rbegin() + (common - prefix), edited.rbegin()).first -
      text_.rbegin());

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
