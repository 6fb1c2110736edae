// A broken property stops the fuzz target with a message; libFuzzer then keeps
// the input that broke it as a crash artifact.
#pragma once

#include <cstdio>
#include <cstdlib>

// FUZZ_CHECK(condition, printf-format, arguments...): the arguments say which values failed.
#define FUZZ_CHECK(condition, ...)                                                       \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: property broken: %s\n  ", __FILE__, __LINE__, #condition); \
      std::fprintf(stderr, __VA_ARGS__);                                                 \
      std::fprintf(stderr, "\n");                                                        \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)
