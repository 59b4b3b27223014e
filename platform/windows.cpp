// The platform seam on Windows: every path goes through the UTF-16 calls.
// clang-format off
#include <windows.h>
#include <aclapi.h>    // needs windows.h first
#include <shellapi.h>  // needs windows.h first
// clang-format on
#include <fcntl.h>
#include <io.h>
#include <process.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/platform.h"
#include "platform/shell_quoting.h"
#include "platform/wildcards.h"
#include "words/catalogue.h"

namespace platform {

namespace {

std::wstring Utf16(std::string_view utf8) {
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string Utf8(const wchar_t* wide) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), length, nullptr, nullptr);
  text.pop_back();  // the terminator that the count included
  return text;
}

// The Windows errors a user meets here, as the conditions they are, which
// the tools word as on POSIX systems (see Words); others stay Windows' own.
struct Mapped {
  DWORD code;
  std::errc condition;
};
constexpr Mapped kConditions[] = {
    {ERROR_FILE_NOT_FOUND, std::errc::no_such_file_or_directory},
    {ERROR_PATH_NOT_FOUND, std::errc::no_such_file_or_directory},
    {ERROR_BAD_NETPATH, std::errc::no_such_file_or_directory},
    {ERROR_FILE_EXISTS, std::errc::file_exists},
    {ERROR_ALREADY_EXISTS, std::errc::file_exists},
    {ERROR_ACCESS_DENIED, std::errc::permission_denied},
    {ERROR_SHARING_VIOLATION, std::errc::device_or_resource_busy},
    {ERROR_LOCK_VIOLATION, std::errc::device_or_resource_busy},
    {ERROR_DISK_FULL, std::errc::no_space_on_device},
    {ERROR_HANDLE_DISK_FULL, std::errc::no_space_on_device},
    {ERROR_FILE_TOO_LARGE, std::errc::file_too_large},
    {ERROR_WRITE_PROTECT, std::errc::read_only_file_system},
    {ERROR_DIRECTORY, std::errc::not_a_directory},
    {ERROR_CANT_RESOLVE_FILENAME, std::errc::too_many_symbolic_link_levels},
    {ERROR_FILENAME_EXCED_RANGE, std::errc::filename_too_long},
    {ERROR_INVALID_NAME, std::errc::invalid_argument},
    {ERROR_TOO_MANY_OPEN_FILES, std::errc::too_many_files_open},
    {ERROR_NOT_SUPPORTED, std::errc::not_supported},
    {ERROR_NOT_SAME_DEVICE, std::errc::cross_device_link},
    {ERROR_NOT_READY, std::errc::io_error},
    {ERROR_CRC, std::errc::io_error},
    {ERROR_READ_FAULT, std::errc::io_error},
    {ERROR_WRITE_FAULT, std::errc::io_error},
    {ERROR_GEN_FAILURE, std::errc::io_error},
    {ERROR_SECTOR_NOT_FOUND, std::errc::io_error},
    {ERROR_DEVICE_REMOVED, std::errc::io_error},
    {ERROR_IO_DEVICE, std::errc::io_error},
    {ERROR_BROKEN_PIPE, std::errc::broken_pipe},
    {ERROR_NO_DATA, std::errc::broken_pipe},
};

std::error_code LastError() {
  const DWORD code = GetLastError();
  for (const Mapped& mapped : kConditions) {
    if (mapped.code == code) return std::make_error_code(mapped.condition);
  }
  return {static_cast<int>(code), std::system_category()};
}

HANDLE HandleOf(std::FILE* stream) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
  return {info.dwVolumeSerialNumber, std::uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow};
}

// The one file to remove when Ctrl-C, Ctrl-Break or the console closing
// ends the process. The handler runs on a thread of its own: it takes the
// lock and keeps it, so that no file is created or renamed after it, and
// ends the process as such an interrupt ends a Windows program.
SRWLOCK pending_lock = SRWLOCK_INIT;
std::wstring pending_removal;  // empty: none

BOOL WINAPI RemovePendingFileAndEnd(DWORD) {
  AcquireSRWLockExclusive(&pending_lock);
  // Created with FILE_SHARE_DELETE: it goes when its handle does, at exit.
  if (!pending_removal.empty()) DeleteFileW(pending_removal.c_str());
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(STATUS_CONTROL_C_EXIT));
  return TRUE;
}

class PendingLocked {
 public:
  PendingLocked() { AcquireSRWLockExclusive(&pending_lock); }
  ~PendingLocked() { ReleaseSRWLockExclusive(&pending_lock); }
};

// Whether `path` names a device: a name such as CON, NUL or COM1 does so in
// any folder, as a path in the device namespace ("\\.\") does.
bool NamesADevice(const std::wstring& path) {
  const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return false;
  std::wstring full(length, L'\0');
  GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
  return full.starts_with(L"\\\\.\\");
}

// Renames `from` over `to`. A name that another program (another run, a
// virus scanner) holds open for a moment refuses the rename: it is tried
// again for up to a second.
bool MoveWhenFree(const std::wstring& from, const std::wstring& to) {
  constexpr int kTries = 100;
  constexpr DWORD kPauseMilliseconds = 10;
  for (int tries = 1;; ++tries) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    const DWORD code = GetLastError();
    if (tries == kTries || (code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION)) {
      return false;
    }
    Sleep(kPauseMilliseconds);
  }
}

// Whether `name` matches `pattern` as Windows matches names. Windows' own
// search also matches the short 8.3 names (`*.d88` finds "song.d88x" by
// "SONG~1.D88"): its finds are checked again.
bool Matches(std::wstring_view pattern, std::wstring_view name) {
  return MatchesWildcards(pattern, name, [](wchar_t a, wchar_t b) {
    return CompareStringOrdinal(&a, 1, &b, 1, TRUE) == CSTR_EQUAL;
  });
}

// Hands `take(name)` each name that Windows finds for `pattern` but "." and
// "..". The reason is in `error` when the search fails for any other reason
// than that nothing matches.
template <typename Take>
void ForEachFound(const std::wstring& pattern, std::error_code& error, Take take) {
  WIN32_FIND_DATAW found;
  const HANDLE search =
      FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) {
    if (GetLastError() != ERROR_FILE_NOT_FOUND) error = LastError();
    return;
  }
  do {
    const std::wstring_view name = found.cFileName;
    if (name != L"." && name != L"..") take(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

std::vector<std::string> ExpandWildcards(const std::string& argument, std::error_code& error) {
  const std::size_t last_separator = argument.find_last_of("\\/:");
  const std::size_t name_start = last_separator == std::string::npos ? 0 : last_separator + 1;
  if (argument.find_first_of("*?", name_start) == std::string::npos) return {argument};
  const std::string folder = argument.substr(0, name_start);
  const std::wstring pattern = Utf16(argument.substr(name_start));
  std::vector<std::string> names;
  ForEachFound(Utf16(argument), error, [&](std::wstring_view name) {
    if (Matches(pattern, name)) names.push_back(folder + Utf8(std::wstring(name).c_str()));
  });
  std::sort(names.begin(), names.end());
  return names;
}

bool IsSystemHelpOption(std::string_view argument) {
  return argument == "/?";
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Utf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

void UseBinaryStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

// Windows ends no process for a failed write.
void KeepRunningWhenWritesFail() {}

// Windows' own setting where no variable says otherwise (Wine takes it from
// the LANG it was started with).
words::Language UserLanguage() {
  return words::LanguageFromEnvironment([] {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? words::Language::kJapanese
                                                                      : words::Language::kEnglish;
  });
}

bool IsTerminal(std::FILE* stream) {
  DWORD mode;
  return GetConsoleMode(HandleOf(stream), &mode) != 0;
}

// Writes `text` to the console `stream` goes to, as UTF-16, after what the
// stream holds in its buffer; in pieces no console refuses as too large.
bool WriteToConsole(std::FILE* stream, std::string_view text, std::error_code& error) {
  constexpr std::size_t kMaxConsoleWrite = 16384;  // characters
  const std::wstring wide = Utf16(text);
  std::fflush(stream);
  for (std::size_t done = 0; done < wide.size();) {
    DWORD written = 0;
    const auto count = static_cast<DWORD>(std::min(wide.size() - done, kMaxConsoleWrite));
    if (!WriteConsoleW(HandleOf(stream), wide.data() + done, count, &written, nullptr) ||
        written == 0) {
      error = LastError();
      return false;
    }
    done += written;
  }
  return true;
}

bool WriteText(std::FILE* stream, std::string_view text, std::error_code& error) {
  if (IsTerminal(stream)) return WriteToConsole(stream, text, error);
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stream) == text.size()) return true;
  error = StreamError();
  return false;
}

bool WriteToTerminal(std::FILE* stream, std::string_view text) {
  if (!IsTerminal(stream)) return false;
  std::error_code ignored;
  WriteToConsole(stream, text, ignored);
  return true;
}

// The DACL of the open `file`, as a self-relative security descriptor.
bool ReadDacl(HANDLE file, std::string& dacl) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const DWORD code = GetSecurityInfo(file, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                     nullptr, nullptr, nullptr, &descriptor);
  // A file system that keeps no security (FAT) has none to keep.
  if (code == ERROR_NOT_SUPPORTED || code == ERROR_INVALID_FUNCTION) return true;
  if (code != ERROR_SUCCESS) {
    SetLastError(code);
    return false;
  }
  dacl.assign(static_cast<const char*>(descriptor), GetSecurityDescriptorLength(descriptor));
  LocalFree(descriptor);
  return true;
}

bool NotFound(DWORD code) {
  return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

// Whether the name `path` itself is a name surrogate (a symbolic link, a
// junction), as against a file or another kind of reparse point (a cloud
// placeholder, a deduplicated file); none, with the reason in `error`, when
// it names nothing or the system cannot tell.
std::optional<bool> IsLink(const std::wstring& path, std::error_code& error) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    if (!NotFound(GetLastError())) error = LastError();
    return std::nullopt;
  }
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return false;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    error = LastError();
    return std::nullopt;
  }
  FindClose(search);
  return IsReparseTagNameSurrogate(found.dwReserved0);
}

std::optional<FileStatus> StatusOf(const char* path, std::error_code& error) {
  const std::wstring wide = Utf16(path);
  FileStatus status;
  const std::optional<bool> link = IsLink(wide, error);
  if (!link) return std::nullopt;
  status.link = *link;
  // Opened for its attributes and its security only: no read, no write,
  // whatever it is.
  const HANDLE file = CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES | READ_CONTROL,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (!NotFound(GetLastError())) error = LastError();
    if (!status.link || error) return std::nullopt;
    status.type = FileStatus::Type::kNothing;
    return status;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = GetFileInformationByHandle(file, &info) && ReadDacl(file, status.access);
  if (!known) error = LastError();
  CloseHandle(file);
  if (!known) return std::nullopt;
  status.identity = IdentityOf(info);
  status.type = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileStatus::Type::kFolder
                                                                        : FileStatus::Type::kFile;
  status.write_protected = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  return status;
}

// A link is followed on Windows: StatusOf tells it before the open.
std::optional<ReadableFile> OpenRegularFile(const char* path, std::error_code& error, bool) {
  const std::wstring wide = Utf16(path);
  if (NamesADevice(wide)) {
    error = NotARegularFile();
    return std::nullopt;
  }
  const HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = LastError();
    return std::nullopt;
  }
  // A folder (opened by the flag above), a console, a pipe or a device.
  BY_HANDLE_FILE_INFORMATION info{};
  const bool on_disk =
      GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info);
  if (!on_disk || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    error = on_disk ? std::make_error_code(std::errc::is_a_directory) : NotARegularFile();
    CloseHandle(file);
    return std::nullopt;
  }
  const int descriptor = _open_osfhandle(reinterpret_cast<std::intptr_t>(file), _O_RDONLY);
  std::FILE* stream = descriptor < 0 ? nullptr : _fdopen(descriptor, "rb");
  if (stream == nullptr) {
    error = {errno, std::generic_category()};
    if (descriptor < 0) {
      CloseHandle(file);
    } else {
      _close(descriptor);
    }
    return std::nullopt;
  }
  const std::int64_t size = std::int64_t{info.nFileSizeHigh} << 32 | info.nFileSizeLow;
  return ReadableFile{stream, size, IdentityOf(info)};
}

std::optional<NewFile> NewFile::Create(std::string path, const FileStatus* replaced,
                                       std::error_code& error) {
  static const bool caught = SetConsoleCtrlHandler(RemovePendingFileAndEnd, TRUE);
  static_cast<void>(caught);
  const PendingLocked locked;
  std::wstring wide = Utf16(path);
  // The replaced file's DACL from the start, as ReplaceFileW keeps it; the
  // owner is whoever runs the tool.
  std::string dacl = replaced ? replaced->access : std::string();
  SECURITY_ATTRIBUTES security{sizeof security, dacl.empty() ? nullptr : dacl.data(), FALSE};
  const HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                  &security, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = LastError();
    return std::nullopt;
  }
  pending_removal = std::move(wide);
  return NewFile(std::move(path), reinterpret_cast<std::intptr_t>(file));
}

// The file has the replaced one's DACL since its creation.
bool NewFile::KeepAccess(const FileStatus&, std::error_code&) {
  return true;
}

bool NewFile::Discard(std::error_code& error) {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(std::exchange(handle_, -1)));
  if (settled_) return true;
  settled_ = true;
  const PendingLocked locked;
  const bool removed = DeleteFileW(Utf16(path_).c_str());
  if (!removed) error = LastError();
  pending_removal.clear();
  return removed;
}

bool NewFile::Write(std::span<const std::uint8_t> bytes, std::error_code& error) {
  constexpr std::size_t kMaxWrite = 1u << 30;
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(handle_), bytes.data(),
                   static_cast<DWORD>(std::min(bytes.size(), kMaxWrite)), &written, nullptr)) {
      error = LastError();
      return false;
    }
    if (written == 0) {
      error = std::make_error_code(std::errc::io_error);
      return false;
    }
    bytes = bytes.subspan(written);
  }
  return true;
}

bool NewFile::RenameOver(const char* name, std::error_code& error) {
  const HANDLE file = reinterpret_cast<HANDLE>(handle_);
  if (!FlushFileBuffers(file)) {
    error = LastError();
    return false;
  }
  handle_ = -1;
  if (!CloseHandle(file)) {
    error = LastError();
    return false;
  }
  const PendingLocked locked;
  if (!MoveWhenFree(Utf16(path_), Utf16(name))) {
    error = LastError();
    return false;
  }
  settled_ = true;
  pending_removal.clear();
  return true;
}

// Windows renames each file through to the disk (MOVEFILE_WRITE_THROUGH).
bool SyncRenames(std::error_code&) {
  return true;
}

std::vector<std::string> FolderNames(const char* path, std::error_code& error) {
  std::vector<std::string> names;
  ForEachFound(Utf16(path) + L"\\*", error,
               [&](std::wstring_view name) { names.push_back(Utf8(std::wstring(name).c_str())); });
  std::sort(names.begin(), names.end());
  return names;
}

bool SameName(std::string_view a, std::string_view b) {
  const std::wstring wide_a = Utf16(a), wide_b = Utf16(b);
  return CompareStringOrdinal(wide_a.data(), static_cast<int>(wide_a.size()), wide_b.data(),
                              static_cast<int>(wide_b.size()), TRUE) == CSTR_EQUAL;
}

// Only the conditions LastError mapped: Windows' own codes are no error
// numbers of the C library.
std::optional<std::errc> Condition(const std::error_code& error) {
  if (error.category() != std::generic_category()) return std::nullopt;
  return static_cast<std::errc>(error.value());
}

// Windows' own text, read in UTF-16 (the C++ library's would be in the ANSI
// code page): in the language the tools speak, else in English, else in
// whatever language Windows has it in.
std::string SystemWords(const std::error_code& error) {
  if (error.category() != std::system_category()) return error.message();
  const LANGID english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  const LANGID chosen = words::Chosen() == words::Language::kJapanese
                            ? MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN)
                            : english;
  wchar_t* text = nullptr;
  DWORD length = 0;
  for (const LANGID language : {chosen, english, LANGID{0}}) {
    length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error.value()), language, reinterpret_cast<wchar_t*>(&text), 0,
        nullptr);
    if (length > 0) break;
  }
  std::string said = length > 0 ? Utf8(text) : words::Say(words::kWindowsError, {error.value()});
  LocalFree(text);
  // Without the line end and the full stop ("." or a Japanese "。"): the
  // words follow "cannot ...: ".
  while (!said.empty()) {
    if (said.ends_with("\xE3\x80\x82")) {
      said.resize(said.size() - 3);
    } else if (said.back() == '\n' || said.back() == '\r' || said.back() == ' ' ||
               said.back() == '.') {
      said.pop_back();
    } else {
      break;
    }
  }
  return said;
}

std::string ProgramBeside(const std::string&, std::string_view name) {
  std::wstring path(32768, L'\0');  // the longest path Windows has
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  const std::wstring beside = path.substr(0, path.find_last_of(L"\\/") + 1) + Utf16(name) + L".exe";
  if (length == 0 || GetFileAttributesW(beside.c_str()) == INVALID_FILE_ATTRIBUTES) {
    return std::string(name);
  }
  return ShellQuoted(Utf8(beside.c_str()));
}

std::string ShellQuoted(std::string_view word) {
  return QuotedForCmd(word);
}

int ProcessId() {
  return _getpid();
}

}  // namespace platform
