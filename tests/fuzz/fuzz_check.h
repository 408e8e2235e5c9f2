#pragma once
/// What a fuzz harness asserts: a broken promise ends the run at once, so
/// libFuzzer keeps the input (and a corpus replay fails).

#include <cstdio>
#include <cstdlib>

#define KORVANE_FUZZ_CHECK(condition)                                                      \
  do {                                                                                     \
    if (!(condition)) {                                                                    \
      std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                        \
    }                                                                                      \
  } while (false)
