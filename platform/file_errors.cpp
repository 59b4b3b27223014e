// The failure no system has an error number for, those the C library leaves
// without one, and the words the tools give every failure.
#include <cerrno>
#include <string_view>

#include "platform/platform.h"

namespace platform {

namespace {

class FileErrorCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "file"; }
  std::string message(int) const override { return "not a regular file"; }
};

// The conditions these tools meet, each in one fixed English phrase, the
// same on every system and with every C++ library (whose own words differ:
// "no such file or directory" in one, a Windows message in the user's
// language and code page in another).
struct Phrase {
  std::errc condition;
  std::string_view words;
};
constexpr Phrase kPhrases[] = {
    {std::errc::no_such_file_or_directory, "No such file or directory"},
    {std::errc::permission_denied, "Permission denied"},
    {std::errc::operation_not_permitted, "Operation not permitted"},
    {std::errc::is_a_directory, "Is a directory"},
    {std::errc::not_a_directory, "Not a directory"},
    {std::errc::no_space_on_device, "No space left on device"},
    {std::errc::file_too_large, "File too large"},
    {std::errc::io_error, "Input/output error"},
    {std::errc::too_many_symbolic_link_levels, "Too many levels of symbolic links"},
    {std::errc::read_only_file_system, "Read-only file system"},
    {std::errc::device_or_resource_busy, "In use by another program"},
    {std::errc::text_file_busy, "In use by another program"},
    {std::errc::file_exists, "File exists"},
    {std::errc::filename_too_long, "File name too long"},
    {std::errc::no_such_device_or_address, "No such device or address"},
    {std::errc::no_such_device, "No such device"},
    {std::errc::too_many_files_open, "Too many open files"},
    {std::errc::invalid_argument, "Invalid argument"},
    {std::errc::not_supported, "Operation not supported"},
    {std::errc::cross_device_link, "Invalid cross-device link"},
    {std::errc::broken_pipe, "Broken pipe"},
};

}  // namespace

std::error_code NotARegularFile() {
  static const FileErrorCategory category;
  return {1, category};
}

std::error_code StreamError() {
  const int code = errno;
  return code != 0 ? std::error_code(code, std::generic_category())
                   : std::make_error_code(std::errc::io_error);
}

std::string Words(const std::error_code& error) {
  if (const std::optional<std::errc> condition = Condition(error)) {
    for (const Phrase& phrase : kPhrases) {
      if (phrase.condition == *condition) return std::string(phrase.words);
    }
  }
  return SystemWords(error);
}

}  // namespace platform
