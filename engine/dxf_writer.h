#pragma once
// The DXF text of a conversion: the head copied from the template, one POINT at the
// origin, one POLYLINE with a VERTEX per point row, and the closing records. Every line
// ends with CR LF; every entity is on layer "0".

#include "output_file.h"
#include "point_row_reader.h"
#include "text_input_file.h"

namespace sorvane {

enum class HeaderCopyStatus { Copied, ReadFailed };

// Copies the template's lines unchanged up to and including the first line that is
// exactly "ENTITIES", or the whole template when it has none; closes the template.
// ReadFailed when reading failed part way or a line was too long.
HeaderCopyStatus CopyTemplateHeader(TextInputFile& templateFile, OutputFile& out);

// The POINT at the origin and the head of the POLYLINE: 22 lines.
void WritePrologue(OutputFile& out);

// One VERTEX: 10 lines.
void WriteVertex(OutputFile& out, const PointRow& row);

// SEQEND, ENDSEC and EOF: 8 lines.
void WriteTrailer(OutputFile& out);

}  // namespace sorvane
