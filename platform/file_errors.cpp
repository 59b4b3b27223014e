// The failures no system has an error number for, and those the C library
// leaves without one.
#include <cerrno>

#include "platform/platform.h"

namespace platform {

namespace {

enum class FileError { kNotARegularFile = 1, kShrank, kBudgetSpent };

class FileErrorCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "file"; }
  std::string message(int code) const override {
    switch (static_cast<FileError>(code)) {
      case FileError::kNotARegularFile:
        break;
      case FileError::kShrank:
        return "the file became shorter while it was read";
      case FileError::kBudgetSpent:
        return "it takes more reading than any real disk needs";
    }
    return "not a regular file";
  }
};

std::error_code Make(FileError error) {
  static const FileErrorCategory category;
  return {static_cast<int>(error), category};
}

}  // namespace

std::error_code NotARegularFile() {
  return Make(FileError::kNotARegularFile);
}

std::error_code FileShrank() {
  return Make(FileError::kShrank);
}

std::error_code ReadingBudgetSpent() {
  return Make(FileError::kBudgetSpent);
}

std::error_code StreamError() {
  const int code = errno;
  return code != 0 ? std::error_code(code, std::generic_category())
                   : std::make_error_code(std::errc::io_error);
}

}  // namespace platform
