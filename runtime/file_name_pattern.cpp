#include "runtime/file_name_pattern.h"

#include "runtime/upper_case_table.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace sorvane {
namespace {

// A byte that begins no UTF-8 character stands for itself past the last code point.
constexpr char32_t kStrayByte = 0x110000;

struct Character {
  char32_t value;
  std::size_t length;  // in bytes
};

// The character that begins at byte `at` of `text`, which has one there.
Character CharacterAt(std::string_view text, std::size_t at) noexcept {
  const auto lead = static_cast<unsigned char>(text[at]);
  const Character stray{kStrayByte + lead, 1};
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t value = 0;
  char32_t smallest = 0;  // a longer form than needed is no character
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    value = lead & 0x1FU;
    smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    value = lead & 0x0FU;
    smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    value = lead & 0x07U;
    smallest = 0x10000;
  } else {
    return stray;
  }
  if (text.size() - at < length) return stray;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return stray;
    value = (value << 6) | (next & 0x3FU);
  }
  if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value < 0xE000)) return stray;
  return {value, length};
}

char32_t Capital(char32_t c) noexcept {
  if (c < 0x80) return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c;
  const auto after = std::upper_bound(kUpperCaseRuns.begin(), kUpperCaseRuns.end(), c,
                                      [](char32_t value, const UpperCaseRun& run) { return value < run.first; });
  if (after == kUpperCaseRuns.begin()) return c;
  const UpperCaseRun& run = *std::prev(after);
  if (c > run.last || (c - run.first) % run.step != 0) return c;
  return static_cast<char32_t>(static_cast<std::int32_t>(c) + run.distance);
}

}  // namespace

bool MatchesPattern(std::string_view name, std::string_view pattern) noexcept {
  // Greedy, going back only to the last "*": should it take one more character, the
  // rest of the pattern is tried again from there. The time stays within the product
  // of the two lengths, however many stars the pattern holds.
  constexpr std::size_t kNoStar = std::string_view::npos;
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t afterStar = kNoStar;
  std::size_t resume = 0;  // where the name goes on should the last star take one more
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      afterStar = ++p;
      resume = n;
      continue;
    }
    const Character here = CharacterAt(name, n);
    if (p < pattern.size()) {
      const Character wanted = CharacterAt(pattern, p);
      if (wanted.value == '?' || Capital(wanted.value) == Capital(here.value)) {
        n += here.length;
        p += wanted.length;
        continue;
      }
    }
    if (afterStar == kNoStar) return false;
    p = afterStar;
    resume += CharacterAt(name, resume).length;
    n = resume;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool NameComesBefore(std::string_view a, std::string_view b) noexcept {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const Character x = CharacterAt(a, i);
    const Character y = CharacterAt(b, j);
    if (Capital(x.value) != Capital(y.value)) return Capital(x.value) < Capital(y.value);
    i += x.length;
    j += y.length;
  }
  if (i < a.size() || j < b.size()) return j < b.size();  // the one that ended first
  return a < b;
}

}  // namespace sorvane
