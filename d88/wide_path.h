// Windows opens any file name only through its UTF-16 calls; the tools carry
// paths as UTF-8 and turn them into UTF-16 at the call.
#pragma once

#ifdef _WIN32
#include <windows.h>

#include <string>

namespace d88 {

inline std::wstring WidePath(const char* utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
  wide.pop_back();  // the terminator that the count included
  return wide;
}

}  // namespace d88
#endif
