#include "runtime/file_name_pattern.h"

#include "runtime/upper_case_table.h"
#include "runtime/utf8_text.h"

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
  const std::string_view rest = text.substr(at);
  const std::size_t length = Utf8CharacterSize(rest);
  if (length == 0) return {kStrayByte + static_cast<unsigned char>(rest[0]), 1};
  return {Utf8CodePoint(rest.substr(0, length)), length};
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
