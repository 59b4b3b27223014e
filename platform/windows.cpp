// The platform seam on Windows: every path goes through the UTF-16 calls.
// clang-format off
#include <windows.h>
#include <shellapi.h>  // needs windows.h first
// clang-format on
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/platform.h"

namespace platform {

namespace {

std::error_code LastError() {
  return {errno, std::generic_category()};
}

std::wstring Utf16(const char* utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
  wide.pop_back();  // the terminator that the count included
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

// The few Windows errors a user meets here, in the words the C library has
// for them (the same as on POSIX systems); others as Windows says them.
std::error_code WindowsError(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return std::make_error_code(std::errc::permission_denied);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return std::make_error_code(std::errc::no_space_on_device);
    default:
      return {static_cast<int>(code), std::system_category()};
  }
}

}  // namespace

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

std::optional<FileStatus> StatusOf(const char* path) {
  // Opened for its attributes only: no read, no write, whatever it is.
  const HANDLE file = CreateFileW(Utf16(path).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  if (!known) return std::nullopt;
  const std::uint64_t index = std::uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow;
  return FileStatus{{info.dwVolumeSerialNumber, index},
                    (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0};
}

std::optional<ReadableFile> OpenRegularFile(const char* path) {
  std::FILE* stream = _wfopen(Utf16(path).c_str(), L"rb");
  if (stream == nullptr) return std::nullopt;
  struct _stat64 status;
  if (_fstat64(_fileno(stream), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) {
    std::fclose(stream);
    return std::nullopt;
  }
  return ReadableFile{stream, status.st_size};
}

std::optional<NewFile> NewFile::Create(const char* path, std::error_code& error) {
  const int descriptor =
      _wopen(Utf16(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (descriptor < 0) {
    error = LastError();
    return std::nullopt;
  }
  return NewFile(descriptor);
}

NewFile::~NewFile() {
  if (descriptor_ >= 0) _close(descriptor_);
}

bool NewFile::Write(std::span<const std::uint8_t> bytes, std::error_code& error) {
  constexpr std::size_t kMaxWrite = 1u << 30;
  while (!bytes.empty()) {
    const int written =
        _write(descriptor_, bytes.data(), static_cast<unsigned>(std::min(bytes.size(), kMaxWrite)));
    if (written <= 0) {
      error = written < 0 ? LastError() : std::make_error_code(std::errc::io_error);
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

bool NewFile::Close(std::error_code& error) {
  const int result = _close(std::exchange(descriptor_, -1));
  if (result != 0) error = LastError();
  return result == 0;
}

bool RenameOver(const char* from, const char* to, std::error_code& error) {
  if (MoveFileExW(Utf16(from).c_str(), Utf16(to).c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  error = WindowsError(GetLastError());
  return false;
}

void RemoveFile(const char* path) {
  DeleteFileW(Utf16(path).c_str());
}

int ProcessId() {
  return _getpid();
}

void FailWritesPastFileSizeLimit() {}

}  // namespace platform
