#pragma once
// The batch converter: many point files converted in one command, for people who have
// more than a window's worth of them.
//
//   sorvane-convert [--3d] [-t TEMPLATE] [-o OUTPUT] [--columns LIST] [--skip-lines N]
//                   [--separator SEP] [--closed] [--labels [--text-height H]] INPUT...
//   sorvane-convert --help | --version
//
// Each INPUT is one run with one outcome, reported as "INPUT: MESSAGE" on `out` when it
// was converted and on `err` otherwise. TEMPLATE defaults to "PreData.txt" in the
// current directory, else the template installed with the program; OUTPUT defaults to
// the path the window would propose, and may be given only with a single INPUT. --3d
// writes a 3D polyline instead of a 2D one. The other options lay the rows out, close
// the polyline and label the points; with any of them the rows are read strictly
// (engine/conversion_options.h).

#include <iosfwd>
#include <span>
#include <string>

namespace sorvane {

inline constexpr int kExitAllConverted = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitUsage = 2;

// `args` are the command-line arguments after the program's name; `installedTemplate`
// is the template installed with the program (InstalledTemplate), empty for none.
// Returns the exit status: 0 when every run was converted, 1 when any was not, 2 for a
// usage error.
[[nodiscard]] int RunBatchConverter(std::span<const std::string> args, std::ostream& out,
                                    std::ostream& err, const std::string& installedTemplate = {});

}  // namespace sorvane
