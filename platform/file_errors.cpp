// The failure no system has an error number for, those the C library leaves
// without one, and the words the tools give every failure.
#include <cerrno>
#include <string_view>

#include "platform/platform.h"
#include "words/catalogue.h"

namespace platform {

namespace {

class FileErrorCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "file"; }
  std::string message(int) const override { return words::Say(words::kNotARegularFile); }
};

// The conditions these tools meet, each in one fixed phrase of the
// catalogue, the same on every system and with every C++ library (whose own
// words differ: "no such file or directory" in one, a Windows message in the
// user's language and code page in another).
struct Phrase {
  std::errc condition;
  words::Id words;
};
constexpr Phrase kPhrases[] = {
    {std::errc::no_such_file_or_directory, words::kNoSuchFile},
    {std::errc::permission_denied, words::kPermissionDenied},
    {std::errc::operation_not_permitted, words::kNotPermitted},
    {std::errc::is_a_directory, words::kIsAFolder},
    {std::errc::not_a_directory, words::kNotAFolder},
    {std::errc::no_space_on_device, words::kNoSpace},
    {std::errc::file_too_large, words::kFileTooLarge},
    {std::errc::io_error, words::kIoError},
    {std::errc::too_many_symbolic_link_levels, words::kTooManyLinks},
    {std::errc::read_only_file_system, words::kReadOnly},
    {std::errc::device_or_resource_busy, words::kInUse},
    {std::errc::text_file_busy, words::kInUse},
    {std::errc::file_exists, words::kFileExists},
    {std::errc::filename_too_long, words::kNameTooLong},
    {std::errc::no_such_device_or_address, words::kNoSuchAddress},
    {std::errc::no_such_device, words::kNoSuchDevice},
    {std::errc::too_many_files_open, words::kTooManyOpen},
    {std::errc::invalid_argument, words::kInvalidArgument},
    {std::errc::not_supported, words::kNotSupported},
    {std::errc::cross_device_link, words::kCrossDevice},
    {std::errc::broken_pipe, words::kBrokenPipe},
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
      if (phrase.condition == *condition) return words::Say(phrase.words);
    }
  }
  return SystemWords(error);
}

}  // namespace platform
