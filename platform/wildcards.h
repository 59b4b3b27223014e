// How a name is matched to a pattern with wildcards, as Windows matches
// them: d88ls does it itself there, where no shell does. A header of its own,
// so that every system's tests try it.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// Whether `name` matches `pattern`, where `*` stands for any run of
// characters and `?` for any one, and `same(a, b)` tells two characters
// alike (on Windows, letters of either case).
template <typename Char, typename Same>
bool MatchesWildcards(std::basic_string_view<Char> pattern, std::basic_string_view<Char> name,
                      Same same) {
  constexpr std::size_t kNone = std::basic_string_view<Char>::npos;
  std::size_t p = 0, n = 0, star = kNone, star_name = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == Char('*')) {
      star = p++;
      star_name = n;
    } else if (p < pattern.size() && (pattern[p] == Char('?') || same(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (star != kNone) {  // the last * takes one character more
      p = star + 1;
      n = ++star_name;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == Char('*')) ++p;
  return p == pattern.size();
}

}  // namespace platform
