// Which language the tools speak: English, or Japanese where the user reads
// it, decided from environment variables alone as gettext decides.
#pragma once

namespace words {

enum class Language { kEnglish, kJapanese };

// The language the environment asks for, each variable read by `variable`
// (null when unset):
//  - the locale is the first set and non-empty of LC_ALL, LC_MESSAGES and
//    LANG; with none, `system()` decides (English on POSIX systems, the
//    user's interface language on Windows);
//  - a locale of "C", "C.<codeset>" or "POSIX" is English, whatever
//    LANGUAGE says;
//  - otherwise the first entry of LANGUAGE ("ja:en", "ja_JP") that is
//    Japanese or English decides, else the locale's own language ("ja_JP");
//  - Japanese only with a UTF-8 locale ("ja_JP.UTF-8", "ja_JP.utf8"): the
//    tools write UTF-8, which an EUC-JP or Shift_JIS terminal garbles.
Language LanguageFrom(const char* (*variable)(const char* name), Language (*system)());
// The same, from this process's environment.
Language LanguageFromEnvironment(Language (*system)());

}  // namespace words
