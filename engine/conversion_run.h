#pragma once
// One conversion: a point file and the template's head become one DXF file.

#include "engine/convert_outcome.h"
#include "engine/conversion_options.h"
#include "runtime/message_sink.h"

#include <string>

namespace sorvane {

// The template is looked up by this name in the process's current directory.
inline constexpr const char* kTemplateName = "PreData.txt";

// Converts the point file `inPath` into the DXF file `outPath`, with the head of the
// template at `templatePath`, shows the outcome's message through `messages`, and
// returns the outcome; `options` choose the polyline's kind and the rows' layout, and
// whether the polyline is closed and the points labelled. The files are opened
// in the order point file, template, output, so nothing is written unless both inputs
// could be opened; the output appears only complete, and on any failure an existing
// file at `outPath` is left as it was.
// Every file the run opened is closed before the message is shown. A step that throws
// (memory runs out) ends the run with that step's failure, "cannot read the template"
// and the like; only the message display's own exceptions pass.
ConversionResult RunConversion(const std::string& inPath, const std::string& outPath,
                               MessageSink& messages,
                               const std::string& templatePath = kTemplateName,
                               const ConversionOptions& options = {});

}  // namespace sorvane
