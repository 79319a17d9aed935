// The owner of a temporary file on Windows: the computer's name, the process number and
// the moment the process was created.

#include "runtime/temporary_owner.h"

#include "runtime/windows_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <limits>

namespace sorvane {
namespace {

std::uint64_t ValueOf(const FILETIME& time) {
  return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

// When `process` was created, and whether it still runs; false when it cannot be told.
bool CreatedAndRunning(HANDLE process, std::uint64_t& created, bool& running) {
  FILETIME creation{}, exit{}, kernel{}, user{};
  DWORD exitCode = 0;
  if (!::GetProcessTimes(process, &creation, &exit, &kernel, &user) ||
      !::GetExitCodeProcess(process, &exitCode)) {
    return false;
  }
  created = ValueOf(creation);
  running = exitCode == STILL_ACTIVE;
  return true;
}

}  // namespace

TemporaryOwner ThisProcessAsOwner() {
  // A computer's name is unique on its network, which is as far as a folder is shared.
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
  const std::string machine = ::GetComputerNameW(name, &length) ? Utf8FromWide({name, length}) : "";
  std::uint64_t created = 0;
  bool running = true;
  CreatedAndRunning(::GetCurrentProcess(), created, running);
  return {MachineCode(machine), ::GetCurrentProcessId(), created};
}

bool IsStillRunning(const TemporaryOwner& owner) {
  if (owner.process > std::numeric_limits<DWORD>::max()) return true;
  const HANDLE process =
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(owner.process));
  // No such process; any other refusal (another user's process) tells nothing.
  if (process == nullptr) return ::GetLastError() != ERROR_INVALID_PARAMETER;
  std::uint64_t created = 0;
  bool running = true;
  const bool known = CreatedAndRunning(process, created, running);
  ::CloseHandle(process);
  // A number used again belongs to a process created later than the owner.
  return !known || owner.started == 0 || (created == owner.started && running);
}

}  // namespace sorvane
