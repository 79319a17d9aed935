#pragma once
// How names are matched against a wildcard pattern and put in order: one rule for the
// window's file list on every system and for the batch converter's wildcards on
// Windows. Names are UTF-8; a byte that is not part of a UTF-8 character (a name on
// Linux may hold any bytes) counts as a character of its own, after every other.
//
// Letters compare as their capitals, as Windows' file systems compare names, so that
// "*.csv" finds "POINTS.CSV" and "é*" finds "École.csv": every letter of the Basic
// Multilingual Plane that has a capital of one letter (Latin, Greek, Cyrillic,
// full-width Latin ...). Neither function throws or allocates.

#include <string_view>

namespace sorvane {

// Whether `name` matches `pattern`: "*" stands for any run of characters, "?" for
// exactly one, any other character for itself in either case.
[[nodiscard]] bool MatchesPattern(std::string_view name, std::string_view pattern) noexcept;

// Whether `a` comes before `b` in a list: character by character, letters as their
// capitals, so "b.csv" stands beside "B.csv"; names that differ only in case in the
// order of their bytes ("AB", "Ab", "aB", "ab"), so that the order never depends on how
// a folder happens to be read. A strict weak order, for std::sort.
[[nodiscard]] bool NameComesBefore(std::string_view a, std::string_view b) noexcept;

}  // namespace sorvane
