#include "dxf_writer.h"

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

void PrintCoordinate(OutputFile& out, const Coordinate& coordinate) {
  if (coordinate.printed.length > 0) {
    out.PrintLine(coordinate.printed.View());
  } else {
    out.PrintNumber(coordinate.value);
  }
}

}  // namespace

void WriteVertex(OutputFile& out, const PointRow& row) {
  out.Put("  0\r\nVERTEX\r\n  8\r\n0\r\n 10\r\n");
  PrintCoordinate(out, row.X);
  out.Put(" 20\r\n");
  PrintCoordinate(out, row.Y);
  out.Put(" 30\r\n");
  PrintCoordinate(out, row.Z);
}

void WriteTrailer(OutputFile& out) {
  static constexpr std::string_view kTrailer[] = {
      "  0", "SEQEND", "  8", "0", "  0", "ENDSEC", "  0", "EOF",
  };
  for (const std::string_view line : kTrailer) out.PrintLine(line);
}

}  // namespace sorvane
