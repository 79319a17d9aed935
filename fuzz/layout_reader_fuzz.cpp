// The reader of laid-out rows on arbitrary bytes, in batches as a conversion reads
// them, against the same rows read one at a time the general way: every row's printed
// texts, and where and how the reading ends, must be the same; nothing loops. The first
// byte chooses the layout.

#include "engine/layout_row_reader.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/memory_file.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane::fuzz {
namespace {

PointLayout LayoutNumbered(unsigned char number) {
  struct Choice {
    std::string_view columns;
    Separator separator;
    std::int64_t skipLines;
  };
  constexpr std::array<Choice, 5> kChoices = {{
      {"name,n,e,z", Separator::Comma, 1},
      {"x,y", Separator::Tab, 0},
      {"-,x,-,y,z", Separator::Semicolon, 0},
      {"name,x,y,z", Separator::Space, 2},
      {"e,n,z,name", Separator::Comma, 0},
  }};
  const Choice& choice = kChoices[number % kChoices.size()];
  PointLayout layout;
  layout.separator = choice.separator;
  layout.skipLines = choice.skipLines;
  return WithColumns(layout, choice.columns).value();
}

struct Reading {
  std::vector<std::string> texts;
  RowStatus end = RowStatus::Row;
  std::int64_t line = 0;
};

void TakeTexts(const PrintedRows& rows, Reading& reading) {
  for (const char* text = rows.begin(); text != rows.end();) {
    char printed[kMaxNumberTextLength];
    const char* const end = PrintedRows::CopyText(printed, text);
    reading.texts.emplace_back(printed, static_cast<std::size_t>(end - printed));
  }
}

Reading Read(std::string_view bytes, const PointLayout& layout, bool batches) {
  const MemoryFile file(bytes);
  TextInputFile points;
  SORVANE_FUZZ_CHECK(points.Open(file.Path()));
  Reading reading;
  PrintedRows rows;
  while (reading.end == RowStatus::Row) {
    rows.Clear();
    if (batches) {
      reading.end = ReadLayoutRows(points, layout, rows);
    } else {
      LabelledRow row;
      reading.end = ReadLabelledRow(points, layout, row);
      if (reading.end != RowStatus::Row) break;
      SORVANE_FUZZ_CHECK((layout.name == PointLayout::kNoField) == row.name.empty());
      for (const NumberText* value : {&row.x, &row.y, &row.z}) {
        reading.texts.emplace_back(value->View());
      }
      continue;
    }
    TakeTexts(rows, reading);
  }
  reading.line = points.LineNumber();
  return reading;
}

}  // namespace
}  // namespace sorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const sorvane::PointLayout layout = sorvane::fuzz::LayoutNumbered(data[0]);
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const auto batches = sorvane::fuzz::Read(bytes, layout, true);
  const auto general = sorvane::fuzz::Read(bytes, layout, false);
  SORVANE_FUZZ_CHECK(batches.texts == general.texts);
  SORVANE_FUZZ_CHECK(batches.end == general.end && batches.end != sorvane::RowStatus::ReadFailed);
  SORVANE_FUZZ_CHECK(batches.line == general.line);
  return 0;
}
