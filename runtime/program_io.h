#pragma once
// A command-line program's arguments and standard streams, in UTF-8 on every system, so
// that file names in any script (Japanese ones among them) pass through unharmed.

#include <ostream>
#include <string>
#include <vector>

namespace sorvane {

// The program's arguments after its name, in UTF-8. On Windows they are read through
// the wide-character API, whatever the console's code page; `argc` and `argv` are the
// ones main was given.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// The full path of the running program's own file in UTF-8, links resolved, so that it
// can find what was installed with it; empty where the system cannot tell.
std::string ProgramPath();

// The files a command-line argument names. A Windows shell hands "*.csv" to the
// program as typed, so there "*" (any run of characters) and "?" (one character) in
// the argument's folders and name are expanded here as a shell expands them elsewhere:
// to every matching path of a file (folders are left out, as cmd.exe's `for` leaves
// them), in any letter case, hidden and system files left out, sorted without regard
// to case. An argument without wildcards, one that matches no file and, on other
// systems, every argument is given back as it is.
std::vector<std::string> ExpandWildcards(const std::string& argument);

// Standard output and standard error for UTF-8 text: the bytes as they are when the
// stream goes to a pipe or a file; on a Windows console, the characters they stand for.
std::ostream& StandardOutput();
std::ostream& StandardError();

}  // namespace sorvane
