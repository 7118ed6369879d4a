#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// A property every input must keep: a broken one stops the fuzzer with the evidence.
inline void Require(bool holds, const char* property, const std::string& detail = {}) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n%s\n", property, detail.c_str());
  std::abort();
}
