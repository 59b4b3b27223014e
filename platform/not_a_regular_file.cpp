// The one failure no system has an error number for.
#include "platform/platform.h"

namespace platform {

namespace {

class OpenCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "open"; }
  std::string message(int) const override { return "not a regular file"; }
};

}  // namespace

std::error_code NotARegularFile() {
  static const OpenCategory category;
  return {1, category};
}

}  // namespace platform
