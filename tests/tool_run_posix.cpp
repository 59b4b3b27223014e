// Starting the built tools on POSIX systems: fork, then exec in the child.
#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "tests/tool_run.h"

namespace d88test {

namespace {

// The command line of a run: the tool, or strace injecting a fault or
// recording the calls.
std::vector<std::string> CommandLine(const Launch& launch) {
  std::vector<std::string> args;
  const auto& fault = launch.inject;
  if (fault || !launch.record.empty()) {
    const std::string traced = launch.record.empty() ? fault->call
                               : fault ? std::string(kRecordedCalls) + "," + fault->call
                                       : kRecordedCalls;
    const std::string record = launch.record.empty() ? "/dev/null" : launch.record.string();
    args = {"strace", "-f", "-qq", "-o", record, "-e", "trace=" + traced};
  }
  if (fault) {
    const std::string inject = fault->call + ":" + fault->effect;
    args.insert(args.end(), {"-e", "inject=" + inject + ":when=" + std::to_string(fault->when)});
    if (!fault->path.empty())
      args.insert(args.end(), {"-P", (launch.folder / fault->path).string()});
  }
  args.push_back(launch.tool.starts_with('/') ? launch.tool : ToolPath(launch.tool));
  args.insert(args.end(), launch.args.begin(), launch.args.end());
  return args;
}

int OpenOutput(Output output, const std::string& capture) {
  int ends[2];
  if (output == Output::kFullDevice) return open("/dev/full", O_WRONLY);
  if (output == Output::kClosedPipe) return pipe(ends) == 0 && close(ends[0]) == 0 ? ends[1] : -1;
  return open((capture + ".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
}

// In the child, between fork and exec: puts the run's conditions in place
// once the parent says go. Standard input is a pipe that nobody writes to.
[[noreturn]] void StartInChild(const Launch& launch, const std::string& capture, int terminal,
                               int piped, std::vector<char*> argv, int go, int input) {
  char ready;
  if (read(go, &ready, 1) != 1 || chdir(launch.folder.c_str()) != 0) _exit(126);
  if (launch.file_size_limit) {
    const rlimit limit{rlim_t(*launch.file_size_limit), rlim_t(*launch.file_size_limit)};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"}) unsetenv(name);
  if (!launch.lang.empty()) setenv("LANG", launch.lang.c_str(), 1);
  if (!launch.locale.empty()) setenv("LC_ALL", launch.locale.c_str(), 1);
  if (!launch.locales.empty()) setenv("LOCPATH", launch.locales.c_str(), 1);
  // LeakSanitizer cannot check a process that strace traces (in the
  // sanitizer build; nothing else reads this).
  if (launch.inject || !launch.record.empty()) setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
  alarm(kTimeLimitSeconds);  // kept across exec: a run that hangs ends by SIGALRM
  const int err = launch.errors_to_terminal
                      ? terminal
                      : open((capture + ".err").c_str(), O_WRONLY | O_CREAT, 0600);
  const int out = launch.output == Output::kWithErrors ? err
                  : launch.output == Output::kPipe     ? piped
                                                       : OpenOutput(launch.output, capture);
  if (dup2(input, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
  std::signal(SIGPIPE, SIG_DFL);  // as a shell starts a program
  if (launch.hangups_ignored) std::signal(SIGHUP, SIG_IGN);
  execvp(argv[0], launch.no_program_name ? &argv.back() : argv.data());
  _exit(127);
}

// What a terminal or a pipe passed, its bytes as they are.
std::string Drain(int source) {
  fcntl(source, F_SETFL, O_NONBLOCK);
  std::string text;
  char buffer[4096];
  for (ssize_t got; (got = read(source, buffer, sizeof buffer)) > 0;)
    text.append(buffer, static_cast<std::size_t>(got));
  return text;
}

}  // namespace

ToolRun RunTool(const Launch& launch) {
  std::vector<std::string> args = CommandLine(launch);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const std::string capture = NextCapture().string();  // "<capture>.out" and ".err"
  termios raw{};
  cfmakeraw(&raw);
  int go[2], input[2], terminal[2] = {-1, -1};  // controller and device, when asked for
  int piped[2] = {-1, -1};                      // standard output, when a pipe
  if (pipe(go) != 0 || pipe(input) != 0 || (launch.output == Output::kPipe && pipe(piped) != 0)) {
    throw std::runtime_error(std::string("cannot make a pipe: ") + std::strerror(errno));
  }
  if (launch.errors_to_terminal &&
      openpty(&terminal[0], &terminal[1], nullptr, &raw, nullptr) != 0) {
    throw std::runtime_error(std::string("cannot open a pseudo-terminal: ") + std::strerror(errno));
  }
  const pid_t id = fork();
  if (id == 0) StartInChild(launch, capture, terminal[1], piped[1], argv, go[0], input[0]);
  if (launch.before_start) launch.before_start(id);
  const bool started = write(go[1], "!", 1) == 1;
  int result = 0;
  waitpid(id, &result, 0);
  const std::string err =
      launch.errors_to_terminal ? Drain(terminal[0]) : ReadText(capture + ".err");
  const std::string out =
      launch.output == Output::kPipe ? Drain(piped[0]) : ReadText(capture + ".out");
  for (const int end :
       {go[0], go[1], input[0], input[1], terminal[0], terminal[1], piped[0], piped[1]}) {
    close(end);
  }
  if (!started) throw std::runtime_error("the tool did not start");
  return {WIFEXITED(result) ? WEXITSTATUS(result) : -1, WIFSIGNALED(result) ? WTERMSIG(result) : 0,
          out, err};
}

bool TerminalsAvailable() {
  int controller, device;
  if (openpty(&controller, &device, nullptr, nullptr, nullptr) != 0) return false;
  close(controller);
  close(device);
  return true;
}

bool StraceAvailable() {
  // Looked for on the PATH, as the runs' execvp looks for it.
  static const bool found = std::system("command -v strace >/dev/null 2>&1") == 0;
  return found;
}

const std::string kDevice = "/dev/zero";

std::string ToolPath(std::string_view tool) {
  return std::string(D88_TOOLS_DIR "/").append(tool);
}

}  // namespace d88test
