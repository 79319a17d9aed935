#include "batch_converter.h"
#include "program_io.h"

int main(int argc, char** argv) {
  return sorvane::RunBatchConverter(sorvane::ProgramArguments(argc, argv),
                                    sorvane::StandardOutput(), sorvane::StandardError());
}
