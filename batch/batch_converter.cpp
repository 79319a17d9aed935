#include "batch/batch_converter.h"

#include "batch/template_lookup.h"

#include "engine/conversion_run.h"
#include "runtime/file_system.h"
#include "runtime/number_text.h"
#include "runtime/program_io.h"
#include "selection/path_derivation.h"
#include "version/sorvane_version.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

namespace sorvane {
namespace {

// The manual page is made from this text (help2man), so options stay in its list form.
constexpr std::string_view kUsage =
    "Usage: sorvane-convert [OPTION]... INPUT...\n"
    "Converts each point file INPUT (X,Y,Z a line) into a DXF drawing whose head is\n"
    "taken from TEMPLATE. Where the shell leaves wildcards to the program (Windows),\n"
    "it expands * and ? in each INPUT itself, to files only.\n"
    "An INPUT whose drawing would replace the one written for an earlier INPUT (a.csv\n"
    "and a.old.csv both give a.dxf) is not converted, and the earlier drawing is kept.\n"
    "\n"
    "Options:\n"
    "  -t TEMPLATE  the template (default: PreData.txt in the current directory, else\n"
    "               the PreData.txt installed with the program); one of DXF R12 is\n"
    "               copied up to the line that opens its ENTITIES section, one of R13\n"
    "               or newer gives a drawing of its version with its sections after\n"
    "               ENTITIES\n"
    "  -o OUTPUT    the drawing to write, for exactly one INPUT (default: INPUT cut\n"
    "               before the first dot of its file name, plus .dxf: a.old.csv gives\n"
    "               a.dxf)\n"
    "  --3d         writes a 3D polyline, whose vertices keep their Z in every reader\n"
    "  --           ends the options, so that an INPUT may begin with -\n"
    "  --help, /?   prints this help and exits\n"
    "  --version    prints the program's version and exits\n"
    "\n"
    "Point files as surveyors write them:\n"
    "  --columns LIST   the fields of a row in order, separated by commas: x, y, z\n"
    "                   (the drawing's axes), n and e (the northing, which becomes\n"
    "                   the drawing's Y, and the easting, its X), name (the point's\n"
    "                   name), - (a field not read); one of x and e and one of y and\n"
    "                   n are needed, Z is 0 without z, fields after the last are not\n"
    "                   read (default: x,y,z)\n"
    "  --skip-lines N   the first N lines are no rows (headers, titles)\n"
    "  --separator SEP  comma (the default), tab, semicolon, or space (any run of\n"
    "                   blanks and tabs)\n"
    "  --closed         closes the polyline\n"
    "  --labels         writes each point's name at it, a TEXT and a POINT after the\n"
    "                   polyline on the template's current layer; needs name in\n"
    "                   --columns; reads INPUT twice, so it cannot be a pipe\n"
    "  --text-height H  the labels' height (default: the template's $TEXTSIZE, or\n"
    "                   0.2)\n"
    "With any of these, each row is read strictly: every value a number as a whole\n"
    "(blanks around it allowed), every name not blank; a row that does not fit ends\n"
    "the conversion with its line number, and blank lines are skipped. A Japanese\n"
    "survey file headed 点名,X,Y,Z, whose X is the northing:\n"
    "  sorvane-convert --columns name,n,e,z --skip-lines 1 --labels survey.csv\n";

struct Arguments {
  std::optional<std::string> templatePath;
  std::optional<std::string> outPath;
  std::vector<std::string> inputs;
  ConversionOptions options;
  bool help = false;
  bool version = false;
};

[[nodiscard]] bool TakesValue(std::string_view option) {
  return option == "-t" || option == "-o" || option == "--columns" || option == "--separator" ||
         option == "--skip-lines" || option == "--text-height";
}

// Takes the value of an option that has one; false when the value is not one it takes.
[[nodiscard]] bool TakeValue(Arguments& parsed, std::string_view option,
                             const std::string& value) {
  if (option == "-t") {
    parsed.templatePath = value;
    return true;
  }
  if (option == "-o") {
    parsed.outPath = value;
    return true;
  }
  if (option == "--text-height") {
    parsed.options.textHeight = StrictConvert(value);
    return parsed.options.textHeight && *parsed.options.textHeight > 0;
  }
  // The others lay the rows out.
  PointLayout& layout = parsed.options.layout ? *parsed.options.layout
                                              : parsed.options.layout.emplace();
  if (option == "--columns") {
    const std::optional<PointLayout> columns = WithColumns(layout, value);
    if (columns) layout = *columns;
    return columns.has_value();
  }
  if (option == "--separator") {
    const std::optional<Separator> separator = SeparatorNamed(value);
    if (separator) layout.separator = *separator;
    return separator.has_value();
  }
  const char* const end = value.data() + value.size();
  const auto [stop, error] = std::from_chars(value.data(), end, layout.skipLines);
  return error == std::errc() && stop == end && layout.skipLines >= 0;
}

// Nullopt for a usage error, after telling what is wrong.
[[nodiscard]] std::optional<Arguments> ParseArguments(std::span<const std::string> args,
                                                     std::ostream& err) {
  Arguments parsed;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // "/?" is how Windows programs are asked for help.
    if (!optionsEnded && (arg == "--help" || arg == "/?")) {
      parsed.help = true;
    } else if (optionsEnded || arg == "-" || !arg.starts_with('-')) {
      const std::vector<std::string> inputs = ExpandWildcards(arg);
      parsed.inputs.insert(parsed.inputs.end(), inputs.begin(), inputs.end());
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--3d") {
      parsed.options.polyline = PolylineKind::ThreeD;
    } else if (arg == "--closed") {
      parsed.options.closed = true;
    } else if (arg == "--labels") {
      parsed.options.labels = true;
    } else if (arg == "--version") {
      parsed.version = true;
    } else if (TakesValue(arg) && i + 1 < args.size()) {
      if (!TakeValue(parsed, arg, args[++i])) {
        err << "sorvane-convert: invalid value for " << arg << ": " << args[i] << '\n';
        return std::nullopt;
      }
    } else {
      err << "sorvane-convert: " << (TakesValue(arg) ? "missing value for " : "unknown option ")
          << arg << '\n';
      return std::nullopt;
    }
  }
  if (parsed.help || parsed.version) return parsed;
  if (parsed.options.textHeight && !parsed.options.labels) {
    err << "sorvane-convert: --text-height needs --labels\n";
    return std::nullopt;
  }
  if (parsed.options.labels &&
      (!parsed.options.layout || parsed.options.layout->name == PointLayout::kNoField)) {
    err << "sorvane-convert: --labels needs a name in --columns\n";
    return std::nullopt;
  }
  if (parsed.inputs.empty()) {
    err << "sorvane-convert: no INPUT given\n";
    return std::nullopt;
  }
  if (parsed.outPath && parsed.inputs.size() != 1) {
    err << "sorvane-convert: -o needs exactly one INPUT\n";
    return std::nullopt;
  }
  return parsed;
}

// Told once, after the template's own path, when the template given with -t cannot be
// opened: every further INPUT would fail the same way.
constexpr std::string_view kGivenTemplateMissing = "テンプレートファイルが存在しません";

// Told for an INPUT whose output is a drawing this command wrote for an earlier one.
constexpr std::string_view kOutputWrittenBefore = "出力ファイルが前の入力ファイルの出力と同じです";

// Whether `outPath` reaches, however spelled, one of the drawings `written`.
bool WrittenBefore(const std::string& outPath, const std::vector<FileIdentity>& written) {
  const PathStatus existing = CurrentFileSystem().Status(outPath);
  return existing.kind == PathKind::RegularFile &&
         std::any_of(written.begin(), written.end(), [&](const FileIdentity& drawing) {
           return SameFile(drawing, existing.identity);
         });
}

// Keeps the run's message so that it can be printed after the input's name.
class RememberedMessage : public MessageSink {
 public:
  void ShowMessage(std::string_view message) override { text.assign(message); }
  std::string text;
};

}  // namespace

int RunBatchConverter(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                      const std::string& installedTemplate) {
  const std::optional<Arguments> parsed = ParseArguments(args, err);
  if (!parsed) {
    err << kUsage;
    return kExitUsage;
  }
  if (parsed->help) {
    out << kUsage;
    return kExitAllConverted;
  }
  if (parsed->version) {
    out << "sorvane-convert " << kVersionText << '\n';
    return kExitAllConverted;
  }
  const std::string templatePath =
      parsed->templatePath ? *parsed->templatePath : DefaultTemplate(installedTemplate);
  int status = kExitAllConverted;
  std::vector<FileIdentity> written;
  for (const std::string& input : parsed->inputs) {
    const std::string outPath = parsed->outPath.value_or(DeriveOutPath(input));
    if (WrittenBefore(outPath, written)) {
      err << input << ": " << kOutputWrittenBefore << '\n';
      status = kExitSomeFailed;
      continue;
    }
    RememberedMessage message;
    const ConversionResult result =
        RunConversion(input, outPath, message, templatePath, parsed->options);
    if (result.outcome == ConvertOutcome::TemplateMissing && parsed->templatePath) {
      err << templatePath << ": " << kGivenTemplateMissing << '\n';
      return kExitSomeFailed;
    }
    const bool converted = result.outcome == ConvertOutcome::Converted;
    (converted ? out : err) << input << ": " << message.text << '\n';
    if (converted) {
      written.push_back(CurrentFileSystem().Status(outPath).identity);
    } else {
      status = kExitSomeFailed;
    }
  }
  return status;
}

}  // namespace sorvane
