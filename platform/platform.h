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
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "words/language.h"

namespace platform {

// The command line as UTF-8 strings: `argv` on POSIX; on Windows the command
// line read anew in UTF-16, so that a name outside the ANSI code page arrives
// intact.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// The names an image argument of d88ls stands for. On Windows, where no
// shell expands wildcards and programs do it themselves, an argument with `*`
// or `?` in its last part stands for the names in that folder that match it,
// sorted (none when nothing matches, or when the folder cannot be read: then
// with the reason in `error`). Any other argument, and every argument on
// POSIX systems, whose shells expand them, stands for itself.
std::vector<std::string> ExpandWildcards(const std::string& argument, std::error_code& error);

// Whether `argument` asks for help in the system's own way: "/?" on Windows.
bool IsSystemHelpOption(std::string_view argument);

// Puts standard output and standard error in binary mode, so that every
// system writes the same bytes (a no-op where the two modes are the same).
void UseBinaryStandardStreams();

// Makes a write that fails (into a closed pipe, past a file-size limit)
// return an error, as a full disk does, instead of ending the process.
void KeepRunningWhenWritesFail();

// The language the user reads, as words::LanguageFrom tells it from the
// environment; with none of its variables set, English on POSIX systems (as
// in the C locale), the user's interface language on Windows.
words::Language UserLanguage();

// Whether `stream` reaches a person: a terminal on POSIX systems, a console
// on Windows.
bool IsTerminal(std::FILE* stream);

// Writes the UTF-8 `text`, meant for a person, to `stream`: to a Windows
// console as UTF-16, so that every name shows as itself whatever the
// console's code page; anywhere else as its UTF-8 bytes. False, with the
// reason in `error`, when it could not be written (into the stream's buffer,
// or to the console).
bool WriteText(std::FILE* stream, std::string_view text, std::error_code& error);

// A name the tools print (a path, an argument) with every C0 and C1 control
// character, DEL and byte that is not UTF-8 shown as \xNN, one for each of
// its bytes; anything else, a backslash included, as it is. So no such byte
// reaches a terminal raw and no name splits a line, while "C:\disks\a.d88"
// and "音楽.d88" read as themselves.
std::string Shown(std::string_view name);

// Writes the UTF-8 `text` to `stream` where that is a terminal that is not
// set to Shift_JIS: on POSIX any terminal but one whose locale's character
// set is Shift_JIS or CP932 (terminals show UTF-8 whatever the C library's
// locale says); on Windows any console, as text. False, writing nothing,
// anywhere else: a file, a pipe, a Shift_JIS terminal.
bool WriteToTerminal(std::FILE* stream, std::string_view text);

// Two names with one identity are one file: the same device and file number
// on POSIX, volume and file index on Windows.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// What a name holds: the name itself (a symbolic link, or on Windows a
// name surrogate: a symbolic link or a junction; other reparse points are
// files) and what it leads to.
struct FileStatus {
  enum class Type {
    kFile,  // a regular file, of data
    kFolder,
    kDevice,
    kFifo,
    kOther,    // a socket, say
    kNothing,  // a link that leads nowhere
  };
  FileIdentity identity;
  Type type = Type::kFile;  // of what a link leads to
  bool link = false;
  // No write permission bit at all on POSIX, whoever runs the tool; the
  // read-only attribute on Windows.
  bool write_protected = false;
  // Who may read and write it: on POSIX its permission bits (0777), its
  // group and its access ACL, as the system stores it (empty when it has
  // none); on Windows its security descriptor's DACL.
  std::uint32_t permissions = 0;
  std::uint32_t group = 0;
  std::string access{};
};

// The status of what `path` names: whether it is a link, and what it leads
// to (who may read a link's target is not read). None when it names nothing;
// none, with the reason in `error`, when the system cannot tell.
std::optional<FileStatus> StatusOf(const char* path, std::error_code& error);

// A regular file opened for reading in binary mode.
struct ReadableFile {
  std::FILE* stream = nullptr;  // the caller's to close
  std::int64_t size = 0;
  FileIdentity identity;
};

// Opens `path` for reading without waiting for anything (a FIFO without a
// writer included); fails at once on anything but a regular file, which
// alone can be read by seeking: a folder (is_a_directory) or a pipe, a FIFO,
// a device (NotARegularFile()). With `follow_links` false, a name that is a
// symbolic link by the time it is opened fails too (POSIX).
std::optional<ReadableFile> OpenRegularFile(const char* path, std::error_code& error,
                                            bool follow_links = true);

// The reason given for a name that is neither a regular file nor a folder.
std::error_code NotARegularFile();
// Why the last call on a standard C stream (fread, fseek, fputs, fflush)
// failed: errno, or an input/output error where it says nothing.
std::error_code StreamError();

// The words for `error` after "cannot ...: ", in the language chosen
// (words::Chosen): one fixed phrase of the catalogue for each condition these
// tools meet (not found, permission denied, a folder, no space, in use by
// another program, ...), the same bytes on every system; the tools' own
// words for their own failures; the system's own text, in UTF-8, for
// anything else (on Windows asked in the language chosen).
std::string Words(const std::error_code& error);
// The condition `error` is, where it is one of the system's error numbers
// (POSIX) or a condition the Windows errors were mapped to; none otherwise.
std::optional<std::errc> Condition(const std::error_code& error);
// The system's own text for `error`, in UTF-8.
std::string SystemWords(const std::error_code& error);

// A file this process creates, to be renamed into place once it is whole.
// Until then it is removed when the NewFile is dropped, and when the process
// is ended by an interrupt (SIGINT, SIGQUIT, SIGTERM or SIGHUP; on Windows Ctrl-C,
// Ctrl-Break or the console closing), which then puts the names earlier
// renames gave on the disk and ends it as it would have.
// An interrupt never completes a file that was not already being renamed.
// One at a time.
class NewFile {
 public:
  // Creates `path` exclusively: fails on any name that exists, a link or a
  // pipe included, so that no earlier file is ever opened. Given the file it
  // is to replace, it lets nobody in whom that file keeps out, from the
  // start (KeepAccess then gives it the rest); without, it has what a new
  // file in the folder has.
  static std::optional<NewFile> Create(std::string path, const FileStatus* replaced,
                                       std::error_code& error);
  NewFile(NewFile&& other) noexcept
      : path_(std::move(other.path_)),
        handle_(std::exchange(other.handle_, -1)),
        settled_(std::exchange(other.settled_, true)) {}
  NewFile& operator=(NewFile&&) = delete;
  ~NewFile() {
    std::error_code ignored;
    Discard(ignored);
  }

  // Gives the file who may read and write the file it replaces, before any
  // data is written: on POSIX its permission bits, its group where the user
  // may set it (where not, the group's bits are cleared rather than handed
  // to another group) and its access ACL; on Windows its DACL, which the
  // file has had since its creation.
  bool KeepAccess(const FileStatus& replaced, std::error_code& error);
  bool Write(std::span<const std::uint8_t> bytes, std::error_code& error);
  // Puts the file's data on the disk, closes it and renames it over `name`
  // at once, replacing what `name` holds (a link itself, never what it
  // points to).
  bool RenameOver(const char* name, std::error_code& error);
  // Closes and removes the file, unless it was renamed; false, with the
  // reason in `error`, when it could not be removed.
  bool Discard(std::error_code& error);
  const std::string& Path() const { return path_; }

 private:
  NewFile(std::string path, std::intptr_t handle) : path_(std::move(path)), handle_(handle) {}

  std::string path_;
  std::intptr_t handle_;  // a descriptor on POSIX, a handle on Windows; -1 once closed
  bool settled_ = false;  // renamed into place, or discarded
};

// Puts on the disk the names that this process's renames gave files in the
// current folder since it last did (Windows does so with each rename); true
// at once when there are none. An interrupt that ends the process (see
// NewFile) does so too, before the process ends.
bool SyncRenames(std::error_code& error);

// The names in the folder `path`, sorted, without "." and ".."; none, with
// the reason in `error`, when it cannot be read.
std::vector<std::string> FolderNames(const char* path, std::error_code& error);

// Whether two names in one folder name one file: byte for byte on POSIX
// systems; on Windows, letters of either case alike.
bool SameName(std::string_view a, std::string_view b);

// How a person runs the program `name` that stands beside this one, typed
// into the system's shell in the current folder: on POSIX its path beside
// `program` (this one's argument 0, when that holds a folder: "../build/d88ls"),
// on Windows the full path of name.exe beside this executable, each quoted
// as ShellQuoted quotes; `name` alone where there is none beside it.
std::string ProgramBeside(const std::string& program, std::string_view name);

// `word` as the system's shell takes it for one argument: POSIX sh
// ('it'\''s.d88'), cmd.exe on Windows ("my disk.d88", which no quoting
// guards a % in); as it is where it needs no quotes.
std::string ShellQuoted(std::string_view word);

// This process's id.
int ProcessId();

}  // namespace platform
