// The owner of a temporary file on Windows: the computer's name and the process number.

#include "runtime/temporary_owner.h"

#include "runtime/platform/windows_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace sorvane {

TemporaryOwner ThisProcessAsOwner() {
  // A computer's name is unique on its network, which is as far as a folder is shared.
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
  const std::string machine = ::GetComputerNameW(name, &length) ? Utf8FromWide({name, length}) : "";
  return {MachineCode(machine), ::GetCurrentProcessId()};
}

}  // namespace sorvane
