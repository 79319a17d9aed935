#include "dxf_writer.h"

#include <cstring>
#include <string_view>

namespace sorvane {

HeaderCopyStatus CopyTemplateHeader(TextInputFile& templateFile, OutputFile& out) {
  HeaderCopyStatus status = HeaderCopyStatus::Copied;
  while (!templateFile.AtEnd()) {
    std::string_view line;
    if (templateFile.ReadLine(line) != TextInputFile::LineStatus::Read) {
      status = HeaderCopyStatus::ReadFailed;
      break;
    }
    out.PrintLine(line);
    if (line == "ENTITIES") break;  // whole line, same case, nothing around it
  }
  templateFile.Close();
  return status;
}

void WritePrologue(OutputFile& out) {
  // The POINT's X and Y carry ten decimals, its Z one; the POLYLINE has no group 70.
  static constexpr std::string_view kPrologue[] = {
      "  0", "POINT",    "  8", "0",      " 10", "0.0000000000", " 20", "0.0000000000",
      " 30", "0.0",      "  0", "POLYLINE", "  8", "0",          " 66", "     1",
      " 10", "0.0",      " 20", "0.0",    " 30", "0.0",
  };
  for (const std::string_view line : kPrologue) out.PrintLine(line);
}

namespace {

// The longest VERTEX record: its fixed lines and three numbers with their line ends.
constexpr std::size_t kMaxVertexLength = 64 + 3 * (kMaxNumberTextLength + 2);

char* Append(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

char* AppendCoordinate(char* out, const Coordinate& coordinate) {
  if (coordinate.printed.length > 0) {
    // The whole fixed-size text is copied, which the compiler does in two moves; only
    // its length counts.
    std::memcpy(out, coordinate.printed.text, sizeof coordinate.printed.text);
    out += coordinate.printed.length;
  } else {
    out = PrintNumberText(coordinate.value, out);
  }
  return Append(out, "\r\n");
}

}  // namespace

void WriteVertex(OutputFile& out, const PointRow& row) {
  // The vertex is written straight into the output buffer: this runs once per point.
  char* text = out.Reserve(kMaxVertexLength);
  text = Append(text, "  0\r\nVERTEX\r\n  8\r\n0\r\n 10\r\n");
  text = AppendCoordinate(text, row.X);
  text = Append(text, " 20\r\n");
  text = AppendCoordinate(text, row.Y);
  text = Append(text, " 30\r\n");
  text = AppendCoordinate(text, row.Z);
  out.Commit(text);
}

void WriteTrailer(OutputFile& out) {
  static constexpr std::string_view kTrailer[] = {
      "  0", "SEQEND", "  8", "0", "  0", "ENDSEC", "  0", "EOF",
  };
  for (const std::string_view line : kTrailer) out.PrintLine(line);
}

}  // namespace sorvane
