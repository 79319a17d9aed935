#include "runtime/interrupt_cleanup.h"

namespace sorvane {

// The temporary is marked for deletion until it is complete, so the system removes it
// however the process ends.
void RemoveTemporaryOnInterrupt() noexcept {}

}  // namespace sorvane
