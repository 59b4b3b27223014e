// The reader's own failures, which no system has an error number for.
#pragma once

#include <system_error>

namespace d88 {

// An image file that ends before the size it had when it was opened.
std::error_code FileShrank();
// An image that takes more reading than its budget (kReadingBudget).
std::error_code ReadingBudgetSpent();

}  // namespace d88
