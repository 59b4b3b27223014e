#include "cli/messages.h"

#include <cstdio>

namespace cli {

void PrintUsage(const char* program, const char* tool_name) {
  const bool named = program != nullptr && program[0] != '\0';
  std::fprintf(stderr, "Usage: %s [d88file]\n", named ? program : tool_name);
}

}  // namespace cli
