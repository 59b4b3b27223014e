#include "words/catalogue.h"

#include <vector>

namespace words {

namespace {

constexpr Entry kEntries[] = {
#include "words/catalogue.inc"
};

Language chosen = Language::kEnglish;
Language (*chooser)() = nullptr;

// `text` with each %N (N a digit from 1) replaced by args[N - 1].
std::string Filled(std::string_view text, std::span<const Arg> args) {
  std::string filled;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool placeholder = text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' &&
                             text[i + 1] <= '9' && std::size_t(text[i + 1] - '1') < args.size();
    if (placeholder) {
      filled += args[std::size_t(text[++i] - '1')].text;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

}  // namespace

void Choose(Language language) {
  chosen = language;
  chooser = nullptr;
}

void ChooseWhenFirstSaid(Language (*choose)()) {
  chooser = choose;
}

Language Chosen() {
  if (chooser != nullptr) Choose(chooser());
  return chosen;
}

std::span<const Entry> Entries() {
  return kEntries;
}

std::string Say(Id id, std::initializer_list<Arg> args) {
  const Entry& entry = kEntries[id];
  return Filled(Chosen() == Language::kJapanese ? entry.japanese : entry.english,
                std::span<const Arg>(args.begin(), args.size()));
}

std::string SayCount(Id id, long long count, std::initializer_list<Arg> args) {
  const Entry& entry = kEntries[id];
  const bool singular = count == 1 || entry.english_plural == nullptr;
  const char* text = Chosen() == Language::kJapanese ? entry.japanese
                     : singular                      ? entry.english
                                                     : entry.english_plural;
  std::vector<Arg> all{Arg(count)};
  all.insert(all.end(), args.begin(), args.end());
  return Filled(text, all);
}

std::string Listed(const std::string& list, const std::string& item) {
  return list.empty() ? item : Say(kList, {list, item});
}

}  // namespace words
