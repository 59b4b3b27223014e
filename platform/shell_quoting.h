// How a word is quoted for a shell to take it as one argument, as d88cut's
// hint quotes the image's name in a command to paste: POSIX sh's way and
// cmd.exe's. ShellQuoted takes the one of the system it runs on.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace platform {

// Whether `word` needs no quotes: it is not empty, and holds only ASCII
// letters, digits and the characters of `plain`.
inline bool IsPlainWord(std::string_view word, std::string_view plain) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [&](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || plain.find(c) != plain.npos;
  });
}

// For sh: 'it'\''s.d88', or the word as it is where it needs no quotes.
inline std::string QuotedForSh(std::string_view word) {
  if (IsPlainWord(word, "+,-./:=@_")) return std::string(word);
  std::string quoted = "'";
  for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// For cmd.exe: "my disk.d88". No name holds a double quote; inside them cmd
// takes & | < > ^ ( ) , ; = and spaces as they are, but still expands %...%.
inline std::string QuotedForCmd(std::string_view word) {
  if (IsPlainWord(word, "-._:\\")) return std::string(word);
  std::string quoted = "\"";
  quoted.append(word).push_back('"');
  return quoted;
}

}  // namespace platform
