#include "batch/template_lookup.h"

#include "engine/conversion_run.h"
#include "runtime/file_system.h"
#include "runtime/path_names.h"

#include <string_view>

namespace sorvane {
namespace {

bool IsFile(const std::string& path) {
  return CurrentFileSystem().Status(path).kind == PathKind::RegularFile;
}

}  // namespace

std::string InstalledTemplate(const std::string& programPath) {
  if (programPath.empty()) return {};
  // The build writes in where the templates are installed, relative to the programs'
  // folder, so that a prefix moved as a whole still finds them.
  const std::string programFolder = DirectoryOf(programPath);
  const std::string_view fromProgram = SORVANE_TEMPLATES_FROM_PROGRAM;
  return JoinPath(fromProgram.empty() ? programFolder : JoinPath(programFolder, fromProgram),
                  kTemplateName);
}

std::string DefaultTemplate(const std::string& installed) {
  if (IsFile(kTemplateName) || installed.empty() || !IsFile(installed)) return kTemplateName;
  return installed;
}

}  // namespace sorvane
