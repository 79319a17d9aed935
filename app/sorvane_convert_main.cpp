#include "batch/batch_converter.h"
#include "batch/template_lookup.h"
#include "runtime/interrupt_cleanup.h"
#include "runtime/program_io.h"

int main(int argc, char** argv) {
  sorvane::RemoveTemporaryOnInterrupt();
  return sorvane::RunBatchConverter(sorvane::ProgramArguments(argc, argv),
                                    sorvane::StandardOutput(), sorvane::StandardError(),
                                    sorvane::InstalledTemplate(sorvane::ProgramPath()));
}
