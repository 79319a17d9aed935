#pragma once
// Ending the desktop program: the application's event loop stops, and with it every
// window, as soon as the running event procedure returns.

#include "runtime/program_end.h"

namespace sorvane {

class QuitApplication final : public ProgramEnd {
 public:
  void EndProgram() override;
};

}  // namespace sorvane
