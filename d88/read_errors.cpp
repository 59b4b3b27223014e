#include "d88/read_errors.h"

#include <string>

#include "words/catalogue.h"

namespace d88 {

namespace {

enum class ReadError { kShrank = 1, kBudgetSpent };

class ReadErrorCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "d88 image"; }
  std::string message(int code) const override {
    return words::Say(static_cast<ReadError>(code) == ReadError::kShrank ? words::kFileShrank
                                                                         : words::kBudgetSpent);
  }
};

std::error_code Make(ReadError error) {
  static const ReadErrorCategory category;
  return {static_cast<int>(error), category};
}

}  // namespace

std::error_code FileShrank() {
  return Make(ReadError::kShrank);
}

std::error_code ReadingBudgetSpent() {
  return Make(ReadError::kBudgetSpent);
}

bool IsReadFailure(const std::error_code& error) {
  return error && error != ReadingBudgetSpent();
}

}  // namespace d88
