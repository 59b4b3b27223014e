// The words the tools give a failure: one fixed phrase for each condition,
// the same bytes on every system, whatever its C++ library says.
#include "d88/read_errors.h"
#include "platform/platform.h"
#include "tests/test_support.h"

namespace d88test {

TEST(Words, OnePhraseForEachCondition) {
  const ScratchDir work;
  std::error_code missing, folder;
  platform::OpenRegularFile(Utf8(work / "missing").c_str(), missing);
  platform::OpenRegularFile(Utf8(work.path).c_str(), folder);
  const std::pair<std::error_code, std::string> cases[] = {
      {missing, "No such file or directory"},  // as the system gave them
      {folder, "Is a directory"},
      {std::make_error_code(std::errc::permission_denied), "Permission denied"},
      {std::make_error_code(std::errc::no_space_on_device), "No space left on device"},
      {std::make_error_code(std::errc::file_too_large), "File too large"},
      {std::make_error_code(std::errc::io_error), "Input/output error"},
      {std::make_error_code(std::errc::device_or_resource_busy), "In use by another program"},
      {std::make_error_code(std::errc::read_only_file_system), "Read-only file system"},
      {platform::NotARegularFile(), "not a regular file"},
      {d88::ReadingBudgetSpent(), "it takes more reading than any real disk needs"},
  };
  for (const auto& [error, words] : cases) EXPECT_EQ(platform::Words(error), words);
}

}  // namespace d88test
