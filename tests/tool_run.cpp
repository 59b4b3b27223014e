// What starting a tool is the same for on every system.
#include "tests/tool_run.h"

#include "tests/test_support.h"

namespace d88test {

std::filesystem::path NextCapture() {
  static const ScratchDir captures;
  static int count = 0;
  return captures / std::to_string(count++);
}

std::string ReadText(const std::filesystem::path& path) {
  const Bytes bytes = ReadFile(path);
  return {bytes.begin(), bytes.end()};
}

void PrintTo(const ToolRun& run, std::ostream* os) {
  *os << "{status " << run.status << ", out " << ::testing::PrintToString(run.out) << ", err "
      << ::testing::PrintToString(run.err) << "}";
}

}  // namespace d88test
