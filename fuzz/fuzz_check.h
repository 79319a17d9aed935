#pragma once
// A property that does not hold is a finding: the fuzzer stops and keeps the input.

#include <cstdio>
#include <cstdlib>

#define SORVANE_FUZZ_CHECK(condition)                                                   \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)
