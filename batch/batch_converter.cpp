#include "batch/batch_converter.h"

#include "engine/conversion_run.h"
#include "runtime/program_io.h"
#include "selection/path_derivation.h"
#include "version/sorvane_version.h"

#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

namespace sorvane {
namespace {

// The manual page is made from this text (help2man), so options stay in its list form.
constexpr std::string_view kUsage =
    "Usage: sorvane-convert [--3d] [-t TEMPLATE] [-o OUTPUT] INPUT...\n"
    "Converts each point file INPUT (X,Y,Z a line) into a DXF drawing whose head is\n"
    "taken from TEMPLATE. Where the shell leaves wildcards to the program (Windows),\n"
    "it expands * and ? in each INPUT itself.\n"
    "\n"
    "Options:\n"
    "  -t TEMPLATE  the template, copied up to its ENTITIES line (default: PreData.txt\n"
    "               in the current directory)\n"
    "  -o OUTPUT    the drawing to write, for exactly one INPUT (default: INPUT with\n"
    "               its extension replaced by .dxf)\n"
    "  --3d         writes a 3D polyline, whose vertices keep their Z in every reader\n"
    "  --           ends the options, so that an INPUT may begin with -\n"
    "  --help, /?   prints this help and exits\n"
    "  --version    prints the program's version and exits\n";

struct Arguments {
  std::string templatePath = kTemplateName;
  std::optional<std::string> outPath;
  std::vector<std::string> inputs;
  PolylineKind polyline = PolylineKind::Flat;
  bool help = false;
  bool version = false;
};

// Nullopt for a usage error, after telling what is wrong.
std::optional<Arguments> ParseArguments(std::span<const std::string> args, std::ostream& err) {
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
      parsed.polyline = PolylineKind::ThreeD;
    } else if (arg == "--version") {
      parsed.version = true;
    } else if ((arg == "-t" || arg == "-o") && i + 1 < args.size()) {
      (arg == "-t" ? parsed.templatePath : parsed.outPath.emplace()) = args[++i];
    } else {
      err << "sorvane-convert: " << (arg == "-t" || arg == "-o" ? "missing value for " : "unknown option ")
          << arg << '\n';
      return std::nullopt;
    }
  }
  if (parsed.help || parsed.version) return parsed;
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

// Keeps the run's message so that it can be printed after the input's name.
class RememberedMessage : public MessageSink {
 public:
  void ShowMessage(std::string_view message) override { text.assign(message); }
  std::string text;
};

}  // namespace

int RunBatchConverter(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
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
  int status = kExitAllConverted;
  for (const std::string& input : parsed->inputs) {
    RememberedMessage message;
    const std::string outPath = parsed->outPath.value_or(DeriveOutPath(input));
    const ConversionResult result = RunConversion(input, outPath, message, parsed->templatePath,
                                                  parsed->polyline);
    const bool converted = result.outcome == ConvertOutcome::Converted;
    (converted ? out : err) << input << ": " << message.text << '\n';
    if (!converted) status = kExitSomeFailed;
  }
  return status;
}

}  // namespace sorvane
