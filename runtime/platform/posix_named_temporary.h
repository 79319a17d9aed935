#pragma once
// The one named temporary file of this process, remembered where a signal handler may
// read it: a fixed buffer and an atomic flag, no allocation, no lock.

#include <string>

namespace sorvane {

// Remembers `path` before the file is created or named, so that an interruption right
// after that removes it. A path too long to remember is not remembered.
void RememberNamedTemporary(const std::string& path) noexcept;

// Forgets it once it is renamed into place or removed.
void ForgetNamedTemporary() noexcept;

// Removes the remembered file; safe inside a signal handler.
void RemoveNamedTemporary() noexcept;

}  // namespace sorvane
