// What the platform seam gives both tools: names as they are printed, and
// Windows' matching of wildcards.
#include "platform/platform.h"

#include <cctype>
#include <tuple>

#include "platform/wildcards.h"
#include "tests/test_support.h"

namespace d88test {

// A name as the tools print it: UTF-8 as it is, a backslash too; each byte
// of a control character or of anything that is not UTF-8 as \xNN.
TEST(Shown, ControlBytesAndWhatIsNotUtf8AreEscaped) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\disks\\音楽 ♪.d88", "C:\\disks\\音楽 ♪.d88"},
      {"\x1B[31m\a\n\x7F~ ", "\\x1B[31m\\x07\\x0A\\x7F~ "},
      {"\xC2\x80\xC2\x9F\xC2\xA0\xDF\xBF",
       "\\xC2\\x80\\xC2\\x9F\xC2\xA0\xDF\xBF"},          // C1; U+00A0, U+07FF
      {"\x89\xB9\x8A\x79.d88", "\\x89\\xB9\\x8Ay.d88"},  // Shift_JIS: not UTF-8
      {"\xC2"
       "A\xC1\xBF\xE0\x9F\xBF\xED\xA0\x80\xEF\xBF\xBF",
       "\\xC2A\\xC1\\xBF\\xE0\\x9F\\xBF\\xED\\xA0\\x80\xEF\xBF\xBF"},  // overlong, surrogate
      {"\xF0\x8F\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\xF4\x90\x80\x80\xF8",
       "\\xF0\\x8F\\xBF\\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\\xF4\\x90\\x80\\x80\\xF8"},
      {"\xE3\x81\xE3\x81\x41\xE3", "\\xE3\\x81\\xE3\\x81A\\xE3"},  // cut short
  };
  for (const auto& [name, shown] : cases) EXPECT_EQ(platform::Shown(name), shown) << shown;
}

// `*` any run of characters, `?` any one, letters of either case alike.
TEST(Wildcards, MatchAsWindowsMatchesNames) {
  const auto either_case = [](char a, char b) { return std::tolower(a) == std::tolower(b); };
  const std::tuple<std::string_view, std::string_view, bool> cases[] = {
      {"*.d88", "a.d88", true},   {"*.D88", "a.d88", true}, {"*.d88", "a.d88x", false},
      {"?.d88", "ab.d88", false}, {"a?c", "abc", true},     {"a*b*c", "aXbYc", true},
      {"a*b*c", "aXbYd", false},  {"*ab", "aab", true},     {"**", "", true},
      {"", "a", false},           {"a*", "a", true},        {"x*", "a", false},
  };
  for (const auto& [pattern, name, matches] : cases) {
    EXPECT_EQ(platform::MatchesWildcards(pattern, name, either_case), matches) << pattern << name;
  }
}

}  // namespace d88test
