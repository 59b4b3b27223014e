// Where the listing's lines go, one at a time as they are made, so that no
// listing is ever held whole in memory. A sink returns false when it could
// not take the line: the listing stops there.
#pragma once

#include <functional>
#include <string>

namespace list {

using LineSink = std::function<bool(const std::string& line)>;

}  // namespace list
