#pragma once
// How a conversion run ends, and the message that tells the user.

#include <cstdint>
#include <string>

namespace sorvane {

enum class ConvertOutcome {
  Converted,
  NoFileSelected,
  InputMissing,
  TemplateMissing,
  BadRow,             // a row of the point file cannot be read; the line is given
  InputReadFailed,    // reading the point file failed part way
  TemplateReadFailed, // reading the template failed part way, a line was too long, or
                      // an R13-or-newer template is too large to hold
  TemplateInvalid,    // an R13-or-newer template from which no conforming drawing can
                      // be made
  OutputNameEmpty,
  OutputSameAsInput,
  OutputCannotCreate,
  OutputWriteFailed,  // writing, syncing or renaming the output failed
};

struct ConversionResult {
  ConvertOutcome outcome = ConvertOutcome::Converted;
  std::int64_t line = 0;  // 1-based line of the point file, for BadRow
  friend bool operator==(const ConversionResult&, const ConversionResult&) = default;
};

// The Japanese message shown for a result, in UTF-8.
std::string OutcomeMessage(const ConversionResult& result);

}  // namespace sorvane
