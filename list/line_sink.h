// Where the listing's lines go, one at a time as they are made, so that no
// listing is ever held whole in memory.
#pragma once

#include <functional>
#include <string>

namespace list {

using LineSink = std::function<void(const std::string& line)>;

}  // namespace list
