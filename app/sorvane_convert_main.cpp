#include "batch_converter.h"
#include "interrupt_cleanup.h"
#include "program_io.h"

int main(int argc, char** argv) {
  sorvane::RemoveTemporaryOnInterrupt();
  return sorvane::RunBatchConverter(sorvane::ProgramArguments(argc, argv),
                                    sorvane::StandardOutput(), sorvane::StandardError());
}
