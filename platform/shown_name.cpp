// Names as the tools print them: UTF-8 as it is, control bytes and anything
// that is not UTF-8 escaped.
#include <cstdio>

#include "platform/platform.h"

namespace platform {

namespace {

unsigned char Byte(std::string_view text, std::size_t i) {
  return static_cast<unsigned char>(text[i]);
}

// Whether `text` starts with a C1 control character, U+0080 to U+009F.
bool StartsWithC1(std::string_view text) {
  return text.size() > 1 && Byte(text, 0) == 0xC2 && Byte(text, 1) <= 0x9F && Byte(text, 1) >= 0x80;
}

// The length of the UTF-8 sequence of a printable character at the start of
// `text`; 0 when it starts with a control character, DEL, or a byte that
// begins no well-formed sequence (a stray continuation byte, an overlong
// form, a surrogate, a code point past U+10FFFF, a sequence cut short).
std::size_t PrintableSequence(std::string_view text) {
  const unsigned char lead = Byte(text, 0);
  if (lead < 0x80) return lead >= 0x20 && lead != 0x7F ? 1 : 0;
  if (StartsWithC1(text)) return 0;
  // The sequence's length, and the range its second byte must fall in.
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong form
    if (lead == 0xED) high = 0x9F;  // no surrogate
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // no overlong form
    if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length || Byte(text, 1) < low || Byte(text, 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (Byte(text, i) < 0x80 || Byte(text, i) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

std::string Shown(std::string_view name) {
  std::string text;
  while (!name.empty()) {
    std::size_t length = PrintableSequence(name);
    if (length > 0) {
      text.append(name.substr(0, length));
    } else {
      // A C1 control shows both its bytes: U+0085 is "\xC2\x85".
      length = StartsWithC1(name) ? 2 : 1;
      for (std::size_t i = 0; i < length; ++i) {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", Byte(name, i));
        text += escaped;
      }
    }
    name.remove_prefix(length);
  }
  return text;
}

}  // namespace platform
