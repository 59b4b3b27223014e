// Runs the built d88cut as a user does, in a folder of the test's choosing.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace d88test {

struct ToolRun {
  int status = -1;
  std::string out;  // standard output, byte for byte
  std::string err;  // standard error, byte for byte
};

// The tool under test: D88CUT_EXE in the environment, or the one built here.
std::string ToolPath();

// Runs the tool with `args` in `folder`; its output is captured in files
// outside that folder, so the folder holds only what the tool left there.
ToolRun RunTool(const std::filesystem::path& folder, const std::vector<std::string>& args);

}  // namespace d88test
