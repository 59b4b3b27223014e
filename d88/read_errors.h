// The reader's own failures, which no system has an error number for.
#pragma once

#include <system_error>

namespace d88 {

// An image file that ends before the size it had when it was opened.
std::error_code FileShrank();
// An image that takes more reading than its budget (kReadingBudget).
std::error_code ReadingBudgetSpent();

// Whether `error` is a read that failed (the system refused it, or the file
// shrank), as against none or a spent budget, which is the image's doing.
bool IsReadFailure(const std::error_code& error);

}  // namespace d88
