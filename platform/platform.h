// What differs between POSIX systems and Windows, behind one interface: the
// command line, the console, and the few file calls the tools make. One
// source for each kind of system implements it (posix.cpp, windows.cpp);
// the build takes the one that fits. Paths are UTF-8 everywhere: Windows
// sees every one of them through its UTF-16 calls.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace platform {

// The command line as UTF-8 strings: `argv` on POSIX; on Windows the command
// line read anew in UTF-16, so that a name outside the ANSI code page arrives
// intact.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Puts standard output and standard error in binary mode, so that every
// system writes the same bytes (a no-op where the two modes are the same).
void UseBinaryStandardStreams();

// Two names with one identity are one file: the same device and file number
// on POSIX, volume and file index on Windows.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// What a name holds, after links.
struct FileStatus {
  FileIdentity identity;
  // No write permission bit at all on POSIX, whoever runs the tool; the
  // read-only attribute on Windows.
  bool write_protected = false;
};

// The status of what `path` names, following links; none when it names
// nothing.
std::optional<FileStatus> StatusOf(const char* path);

// A regular file opened for reading in binary mode, and its size.
struct ReadableFile {
  std::FILE* stream = nullptr;  // the caller's to close
  std::int64_t size = 0;
};

// Opens `path` for reading; none when it cannot be opened or is not a
// regular file (a folder, a pipe, a device), which cannot be read by seeking.
std::optional<ReadableFile> OpenRegularFile(const char* path);

// A file this process has just created, open for writing; closed when it is
// dropped.
class NewFile {
 public:
  // Creates `path` exclusively: fails on any name that exists, a link or a
  // pipe included, so that no earlier file is ever opened.
  static std::optional<NewFile> Create(const char* path, std::error_code& error);
  NewFile(NewFile&& other) noexcept : descriptor_(other.descriptor_) { other.descriptor_ = -1; }
  NewFile& operator=(NewFile&&) = delete;
  ~NewFile();

  bool Write(std::span<const std::uint8_t> bytes, std::error_code& error);
  bool Close(std::error_code& error);

 private:
  explicit NewFile(int descriptor) : descriptor_(descriptor) {}
  int descriptor_;
};

// Renames `from` over `to` at once, replacing what `to` names (a link
// itself, never what it points to).
bool RenameOver(const char* from, const char* to, std::error_code& error);

// Removes the file `path`.
void RemoveFile(const char* path);

// This process's id.
int ProcessId();

// Makes a write past a file-size limit fail, as a full disk does, instead of
// ending the process.
void FailWritesPastFileSizeLimit();

}  // namespace platform
