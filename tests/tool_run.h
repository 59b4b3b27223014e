// The built tools, started as a user starts them: in a folder, with
// arguments, and under the conditions a test names. One source for each kind
// of system implements it (tool_run_posix.cpp, tool_run_windows.cpp).
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace d88test {

// Where standard output goes.
enum class Output {
  kCaptured,    // to a file the test reads afterwards
  kPipe,        // POSIX: into a pipe, read once the run has ended, however it ended
  kFullDevice,  // POSIX: to /dev/full, where every write fails
  kClosedPipe,  // POSIX: into a pipe that nobody reads, its reading end closed
  kWithErrors,  // POSIX: to the file standard error goes to, as 2>&1 does
};

// The `when`th call of `call` (counting only those on `path`, in the run's
// folder unless absolute, when one is given) has `effect`, in strace's words: "error=EIO" fails it,
// "signal=SIGINT" sends a signal as it is made, "delay_enter=500000" holds it
// back for half a second.
struct Injection {
  std::string call;
  std::string effect;
  int when = 1;
  std::filesystem::path path{};
};

struct Launch {
  std::filesystem::path folder{};   // the current folder of the run
  std::vector<std::string> args{};  // after the program's name, in UTF-8
  std::string tool = "d88cut";      // or "d88ls"; on POSIX also a program by its full path
  // LANG for the run ("ja_JP.UTF-8"); no other variable of the locale is set
  // unless `locale` sets LC_ALL, whatever the test's own environment holds.
  std::string lang{};
  // The rest only on POSIX systems, where standard input is a pipe that
  // nobody writes to.
  bool no_program_name = false;           // an empty argument vector, no argument 0
  std::optional<long> file_size_limit{};  // in bytes
  Output output = Output::kCaptured;
  std::string locale{};             // LC_ALL for the run ("C.UTF-8")
  std::filesystem::path locales{};  // LOCPATH: where locales made by the test are
  bool errors_to_terminal = false;  // standard error is a terminal
  bool hangups_ignored = false;     // SIGHUP ignored, as nohup starts a program
  // A system call that goes wrong: the run goes on under strace, which
  // makes it so.
  std::optional<Injection> inject{};
  // Where strace records the run's file-system calls (kRecordedCalls), one
  // a line; none when empty.
  std::filesystem::path record{};
  // Runs once the tool's process id is known, before the tool starts.
  std::function<void(int process_id)> before_start{};
};

// The calls a run's record holds.
inline constexpr char kRecordedCalls[] = "openat,fsync,close,rename,unlink";

// Every run is ended after this long (on POSIX systems): a tool that hangs
// fails its test.
inline constexpr int kTimeLimitSeconds = 20;

// What a user sees of a run.
struct ToolRun {
  int status = -1;    // exit status; -1 when it did not exit
  int signal = 0;     // the signal that ended it, if one did
  std::string out{};  // standard output, byte for byte
  std::string err{};  // standard error, byte for byte
  friend bool operator==(const ToolRun&, const ToolRun&) = default;
  friend void PrintTo(const ToolRun& run, std::ostream* os);
};

// Starts the tool and waits for it.
ToolRun RunTool(const Launch& launch);

// Whether a run can have a terminal for its standard error (POSIX: whether
// a pseudo-terminal can be opened here; a chroot may have no /dev/pts).
bool TerminalsAvailable();

// Whether strace, which runs with an Injection or a record, is on the PATH,
// where a run finds it.
bool StraceAvailable();

// Skips a test that needs what is missing here, saying what it lacks and
// how to get it.
#define D88_NEEDS_TERMINALS()         \
  if (!d88test::TerminalsAvailable()) \
  GTEST_SKIP() << "no pseudo-terminal can be opened here (mount devpts on /dev/pts)"
#define D88_NEEDS_STRACE(what)     \
  if (!d88test::StraceAvailable()) \
  GTEST_SKIP() << "no strace on the PATH, which " what " (apt-get install strace)"

// A run as a user reads it: "$ d88ls --check a.d88\n", what it wrote to
// standard output, then to standard error, and "[status N]\n" where that is
// not 0; the tools' folder shown as "TOOLS".
std::string Transcript(const Launch& launch);

// Expects what `said` gives for each language, "en" (no locale set) and "ja"
// (LANG=ja_JP.UTF-8), to be the text of tests/said/<name>.<language>; where
// it is not, what was said is left in the current folder under that name.
void ExpectSaidInBoth(const std::string& name,
                      const std::function<std::string(const std::string& lang)>& said);

// What `said` gives with the language of the process that of `lang`: "" is
// English, any other Japanese; English again afterwards.
std::string SaidIn(const std::string& lang, const std::function<std::string()>& said);

// A name that opens a device, not a file: "/dev/zero", or "CON" on Windows.
extern const std::string kDevice;

// The path of a tool built here, "d88cut" or "d88ls".
std::string ToolPath(std::string_view tool = "d88cut");

// For the sources that start tools: a new path in a scratch folder for the
// next run's output ("<path>.out", "<path>.err"), and a file's bytes as text.
std::filesystem::path NextCapture();
std::string ReadText(const std::filesystem::path& path);

}  // namespace d88test
