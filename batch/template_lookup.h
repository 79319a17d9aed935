#pragma once
// The template a batch conversion takes when -t names none: PreData.txt in the current
// folder, as the window takes it, else the one installed with the program, so that the
// converter started from anywhere (on Windows, found on PATH) has a template.

#include <string>

namespace sorvane {

// The template installed with the program whose file is `programPath`: beside it on
// Windows, in the prefix's share/sorvane folder elsewhere. Empty when `programPath` is.
std::string InstalledTemplate(const std::string& programPath);

// The template to use when -t names none: PreData.txt in the current folder when it
// is a file there, else `installed` (empty for none) when that is a file, else
// PreData.txt, so that its absence is told as the window tells it.
std::string DefaultTemplate(const std::string& installed);

}  // namespace sorvane
