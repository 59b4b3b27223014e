// The tools' own words, in English and in Japanese: every message is one
// entry of the catalogue words/ja.po, named there by its msgctxt
// (msgctxt "Place" is words::kPlace), with numbered placeholders
// (%1, %2, ...) that each language puts where its sentence needs them.
#pragma once

#include <concepts>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "words/language.h"
#include "words/message_ids.h"

namespace words {

// The language every message is said in from now on; English until chosen.
void Choose(Language language);
// Leaves the choice to `choose`, asked when the first message is said (so
// that a run that says nothing asks nothing).
void ChooseWhenFirstSaid(Language (*choose)());
Language Chosen();

// A placeholder's value: words, or a number as its digits.
struct Arg {
  Arg(std::string_view words) : text(words) {}
  Arg(const char* words) : text(words) {}
  Arg(const std::string& words) : text(words) {}
  template <std::integral Number>
  Arg(Number number) : text(std::to_string(number)) {}
  std::string text;
};

// Message `id` in the chosen language, %1 as args[0], %2 as args[1]...:
// Say(kPlace, {15, 7, 1, 4}) is "track 15 (C7 H1) sector 4".
std::string Say(Id id, std::initializer_list<Arg> args = {});
// A message with a plural form, chosen by `count`, which is %1 (the other
// arguments are %2 on): SayCount(kRecords, 1) is "1 record".
std::string SayCount(Id id, long long count, std::initializer_list<Arg> args = {});

// `list` with `item` after it, as the language joins a list ("VOICE, MUS00";
// "VOICE、MUS00"); `item` alone when `list` is empty.
std::string Listed(const std::string& list, const std::string& item);

// One entry of the catalogue, as ja.po has it.
struct Entry {
  const char* name;            // its msgctxt
  const char* english;         // its msgid
  const char* english_plural;  // its msgid_plural; null for a message without one
  const char* japanese;        // its msgstr (msgstr[0])
  const char* manual;          // the manual page that quotes it ("d88ls"); null if none
};
std::span<const Entry> Entries();

}  // namespace words
