#include "extract/progress.h"

#include <cstdio>

namespace extract {

void PrintCutting(const char* name) {
  std::printf("cutting ... %s\n", name);
}

void PrintWriteError(const char* name) {
  std::fflush(stdout);
  std::fprintf(stderr, "cannot write %s\n", name);
}

}  // namespace extract
