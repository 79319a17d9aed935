#include "tests/support/open_handles.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace sorvane::testing {

int OpenHandleCount() {
  DWORD count = 0;
  ::GetProcessHandleCount(::GetCurrentProcess(), &count);
  return static_cast<int>(count);
}

}  // namespace sorvane::testing
