#include "words/language.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace words {

namespace {

// The language part of a locale or a LANGUAGE entry: "ja" of "ja_JP.UTF-8".
std::string_view LanguageOf(std::string_view locale) {
  return locale.substr(0, locale.find_first_of("_.@"));
}

bool IsUtf8(std::string_view locale) {
  const std::size_t dot = locale.find('.');
  if (dot == std::string_view::npos) return false;
  std::string_view codeset = locale.substr(dot + 1);
  codeset = codeset.substr(0, codeset.find('@'));
  std::string lower;
  for (const char c : codeset) {
    if (c != '-') lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return lower == "utf8";
}

}  // namespace

Language LanguageFrom(const char* (*variable)(const char* name), Language (*system)()) {
  const char* locale = nullptr;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    locale = variable(name);
    if (locale != nullptr && locale[0] != '\0') break;
    locale = nullptr;
  }
  if (locale == nullptr) return system();
  const std::string_view chosen = locale;
  if (chosen == "C" || chosen == "POSIX" || chosen.starts_with("C.")) return Language::kEnglish;
  std::string_view language = LanguageOf(chosen);
  if (const char* list = variable("LANGUAGE")) {
    for (std::string_view entries = list; !entries.empty();) {
      const std::size_t colon = entries.find(':');
      const std::string_view entry = LanguageOf(entries.substr(0, colon));
      if (entry == "ja" || entry == "en") {
        language = entry;
        break;
      }
      entries = colon == std::string_view::npos ? "" : entries.substr(colon + 1);
    }
  }
  return language == "ja" && IsUtf8(chosen) ? Language::kJapanese : Language::kEnglish;
}

Language LanguageFromEnvironment(Language (*system)()) {
  return LanguageFrom([](const char* name) -> const char* { return std::getenv(name); }, system);
}

}  // namespace words
