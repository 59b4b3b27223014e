// Starting the built tools on POSIX systems: fork, then exec in the child.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "tests/test_support.h"
#include "tests/tool_run.h"

namespace d88test {

namespace {

// In the child, between fork and exec: puts the run's conditions in place.
[[noreturn]] void StartInChild(const Launch& launch, const std::string& program,
                               std::vector<char*> argv, int go, int input,
                               const std::filesystem::path& capture) {
  char ready;
  if (read(go, &ready, 1) != 1 || chdir(launch.folder.c_str()) != 0) _exit(126);
  if (launch.file_size_limit) {
    const rlimit limit{rlim_t(*launch.file_size_limit), rlim_t(*launch.file_size_limit)};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  int out = -1;
  if (launch.output == Output::kFullDevice) out = open("/dev/full", O_WRONLY);
  if (launch.output == Output::kCaptured) {
    out = open((capture.string() + ".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  }
  if (launch.output == Output::kClosedPipe) {
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) _exit(126);
    close(pipe_ends[0]);
    out = pipe_ends[1];
  }
  const int err = open((capture.string() + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (dup2(input, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
  std::signal(SIGPIPE, SIG_DFL);  // as a shell starts a program
  execv(program.c_str(), launch.no_program_name ? &argv.back() : argv.data());
  _exit(127);
}

}  // namespace

struct StartedTool::Process {
  pid_t id;
  std::filesystem::path capture;
};

StartedTool::StartedTool(const Launch& launch) {
  const std::string program = ToolPath(launch.tool);
  std::vector<std::string> args = {program};
  args.insert(args.end(), launch.args.begin(), launch.args.end());
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  int go[2], input[2];
  if (pipe(go) != 0 || pipe(input) != 0) throw std::runtime_error("no pipe");
  const std::filesystem::path capture = NextCapture();
  const pid_t id = fork();
  if (id == 0) {
    close(go[1]);
    close(input[1]);
    StartInChild(launch, program, argv, go[0], input[0], capture);
  }
  close(go[0]);
  close(input[0]);
  process_.reset(new Process{id, capture});
  if (launch.before_start) launch.before_start(id);
  std::signal(SIGPIPE, SIG_IGN);  // the tool may not read its input
  const bool started =
      write(go[1], "!", 1) == 1 && write(input[1], launch.input.data(), launch.input.size()) >= 0;
  close(go[1]);
  close(input[1]);
  if (!started) throw std::runtime_error("the tool did not start");
}

StartedTool::~StartedTool() = default;

ToolRun StartedTool::Wait() {
  int result = 0;
  waitpid(process_->id, &result, 0);
  return {WIFEXITED(result) ? WEXITSTATUS(result) : -1,
          ReadText(process_->capture.string() + ".out"),
          ReadText(process_->capture.string() + ".err")};
}

std::string ToolPath(std::string_view tool) {
  return std::string(D88_TOOLS_DIR "/").append(tool);
}

}  // namespace d88test
