#pragma once
// A plain, slow reading of a point file, written apart from the engine's block reader,
// comma scanner and fast number paths, so that the fuzzers can hold one against the
// other. Numbers are read by Val and the strict conversion alone.

#include "runtime/number_text.h"
#include "runtime/text_input_file.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

namespace sorvane::fuzz {

// The lines of a text: each ends at CR, LF or CR LF, the last may have no end; a UTF-8
// byte order mark at the very start is not data.
inline std::vector<std::string_view> Lines(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<std::string_view> lines;
  std::size_t begin = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(begin, i - begin));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    begin = i + 1;
  }
  if (begin < text.size()) lines.push_back(text.substr(begin));
  return lines;
}

struct ModelRow {
  double x = 0;
  double y = 0;
  double z = 0;
};

enum class ModelLine { Row, NoComma, Bad };

inline ModelLine ReadModelLine(std::string_view line, ModelRow& row) {
  if (line.size() > TextInputFile::kMaxLineLength) return ModelLine::Bad;
  if (line.find('\0') != std::string_view::npos) return ModelLine::Bad;
  std::vector<std::size_t> commas;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == ',') commas.push_back(i);
  }
  if (commas.empty()) return ModelLine::NoComma;
  if (commas.size() == 1) return ModelLine::Bad;
  const std::optional<double> x = Val(line.substr(0, commas[0]));
  const std::optional<double> y = Val(line.substr(commas[0] + 1, commas[1] - commas[0] - 1));
  const std::optional<double> z =
      commas.size() == 2 ? StrictConvert(line.substr(commas[1] + 1))
                         : Val(line.substr(commas[1] + 1, commas.back() - commas[1] - 1));
  if (!x || !y || !z) return ModelLine::Bad;
  row = {*x, *y, *z};
  return ModelLine::Row;
}

// The lines a drawing takes from a template copied as it stands, the lines read in
// pairs, a code line and a value line: up to and including the value line of a group
// 2 ENTITIES that comes right after a group 0 SECTION (comments aside). Nothing when
// no such group comes before a code line that is no whole, non-negative integer
// between blanks and tabs, or at all.
inline std::optional<std::size_t> TemplateHeadLines(std::string_view text) {
  const auto trimmed = [](std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    return line;
  };
  const std::vector<std::string_view> lines = Lines(text);
  bool afterSection = false;
  for (std::size_t i = 0; i < lines.size(); i += 2) {
    const std::string_view codeText = trimmed(lines[i]);
    int code = 0;
    const auto [end, error] = std::from_chars(codeText.data(), codeText.data() + codeText.size(), code);
    const bool digitsOnly = std::all_of(codeText.begin(), codeText.end(),
                                        [](char c) { return c >= '0' && c <= '9'; });
    if (codeText.empty() || !digitsOnly || error != std::errc() ||
        end != codeText.data() + codeText.size()) {
      return std::nullopt;
    }
    if (i + 1 == lines.size()) break;
    const std::string_view value = trimmed(lines[i + 1]);
    if (code == 999) continue;
    if (afterSection && code == 2 && value == "ENTITIES") return i + 2;
    afterSection = code == 0 && value == "SECTION";
  }
  return std::nullopt;
}

}  // namespace sorvane::fuzz
