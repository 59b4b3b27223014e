// The catalogue of the tools' words, and the choice of their language.
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "tests/test_support.h"
#include "words/catalogue.h"

namespace d88test {

namespace {

using words::Language;

// The variables a case of the language choice sets; any other is unset.
const std::map<std::string, std::string>* variables = nullptr;

const char* Variable(const char* name) {
  const auto found = variables->find(name);
  return found == variables->end() ? nullptr : found->second.c_str();
}

// A message's fixed words (`which` -1) or its placeholders (0): of "a %1 b",
// {"a ", " b"} or {"%1"}.
std::vector<std::string> Parts(const std::string& text, int which) {
  static const std::regex placeholder("%[1-9]");
  return {std::sregex_token_iterator(text.begin(), text.end(), placeholder, which), {}};
}

std::multiset<std::string> Placeholders(const char* text) {
  const std::vector<std::string> found = Parts(text, 0);
  return {found.begin(), found.end()};
}

// A manual page's text as a reader sees it: no font changes, escapes read,
// every run of spaces and line ends one space (none between two lines of
// Japanese).
std::string ManualText(const std::string& path) {
  std::stringstream read;
  read << std::ifstream(std::string(D88_SOURCE_DIR) + "/man/" + path).rdbuf();
  std::string text = std::regex_replace(
      read.str(), std::regex(R"(\\f[BIRP]|\\&|^\.[A-Z]+ ?)", std::regex::multiline), "");
  for (const auto& [escape, shown] :
       {std::pair{R"(\-)", "-"}, {R"(\(aq)", "'"}, {R"(\e)", "\\"}, {"\"", ""}}) {
    for (std::size_t at; (at = text.find(escape)) != std::string::npos;)
      text.replace(at, std::string_view(escape).size(), shown);
  }
  // A Japanese line goes on in the next without a space.
  for (std::size_t at = 1; (at = text.find('\n', at)) != std::string::npos;) {
    const bool joined = at + 1 < text.size() && (text[at - 1] & 0x80) && (text[at + 1] & 0x80);
    joined ? void(text.erase(at, 1)) : void(++at);
  }
  return std::regex_replace(text, std::regex(R"(\s+)"), " ");
}

}  // namespace

// As gettext chooses: the locale from LC_ALL, LC_MESSAGES or LANG; none is
// the system's choice (English on POSIX, Windows' display language), C is
// English, whatever LANGUAGE says; else LANGUAGE's first Japanese or English
// entry, or the locale's language; Japanese only in UTF-8.
TEST(Language, ChosenFromTheEnvironmentAsGettextChooses) {
  const Language en = Language::kEnglish, ja = Language::kJapanese;
  const std::pair<std::map<std::string, std::string>, Language> cases[] = {
      {{}, ja},  // no locale: the system's setting (here Japanese) decides
      {{{"LANGUAGE", "en"}}, ja},
      {{{"LANG", "ja_JP.UTF-8"}}, ja},
      {{{"LANG", "ja_JP.utf8"}}, ja},
      {{{"LANG", "ja_JP.UTF-8@mod"}}, ja},
      {{{"LANG", "ja_JP.eucJP"}}, en},
      {{{"LANG", "ja_JP.SJIS"}}, en},
      {{{"LANG", "ja_JP"}}, en},
      {{{"LANG", "ja"}}, en},
      {{{"LANG", "en_US.UTF-8"}}, en},
      {{{"LC_ALL", "C"}, {"LANG", "ja_JP.UTF-8"}}, en},
      {{{"LC_ALL", "C.UTF-8"}, {"LANG", "ja_JP.UTF-8"}, {"LANGUAGE", "ja"}}, en},
      {{{"LC_ALL", "POSIX"}, {"LANG", "ja_JP.UTF-8"}}, en},
      {{{"LC_ALL", ""}, {"LC_MESSAGES", "ja_JP.UTF-8"}, {"LANG", "C"}}, ja},
      {{{"LC_MESSAGES", "en_US.UTF-8"}, {"LANG", "ja_JP.UTF-8"}}, en},
      {{{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "ja"}}, ja},
      {{{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "de:ja_JP:en"}}, ja},
      {{{"LANG", "ja_JP.UTF-8"}, {"LANGUAGE", "fr:en_GB"}}, en},
      {{{"LANG", "ja_JP.UTF-8"}, {"LANGUAGE", "fr::de"}}, ja},
      {{{"LANG", "ja_JP.eucJP"}, {"LANGUAGE", "ja"}}, en},
  };
  for (const auto& [set, language] : cases) {
    variables = &set;
    EXPECT_EQ(words::LanguageFrom(Variable, [] { return Language::kJapanese; }), language)
        << ::testing::PrintToString(set);
  }
}

// Every message has its Japanese, with the placeholders of its English
// (both forms of a plural have the same), and each one the manual pages
// quote is there, in each language, by its fixed words.
TEST(Catalogue, EveryMessageInBothLanguagesAndInTheManuals) {
  for (const words::Entry& entry : words::Entries()) {
    SCOPED_TRACE(entry.name);
    EXPECT_STRNE(entry.japanese, "");
    EXPECT_EQ(Placeholders(entry.japanese), Placeholders(entry.english));
    if (entry.english_plural) {
      EXPECT_EQ(Placeholders(entry.english_plural), Placeholders(entry.english));
    }
    if (!entry.manual) continue;
    for (const auto& [page, text] : {std::pair{"", entry.english}, {"ja/", entry.japanese}}) {
      const std::string manual = ManualText(page + std::string(entry.manual) + ".1.in");
      for (const std::string& part : Parts(text, -1)) {
        const auto start = part.find_first_not_of(" "), end = part.find_last_not_of(" ");
        if (start == std::string::npos) continue;
        EXPECT_NE(manual.find(part.substr(start, end - start + 1)), std::string::npos)
            << "not in " << page << entry.manual << "(1): \"" << part << "\"";
      }
    }
  }
}

}  // namespace d88test
