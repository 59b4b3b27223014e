// Starting the built tools on Windows (under Wine, on the build machine).
#include <windows.h>

#include <algorithm>
#include <sstream>

#include "tests/test_support.h"
#include "tests/tool_run.h"

namespace d88test {

namespace {

std::wstring Utf16(const std::string& utf8) {
  const std::u8string text(utf8.begin(), utf8.end());
  return std::filesystem::path(text).wstring();
}

// One argument as CommandLineToArgvW reads it back: quoted, with its quotes
// and the backslashes before them escaped.
std::wstring Quoted(const std::wstring& arg) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
    } else {
      if (c == L'"') quoted.append(backslashes + 1, L'\\');
      backslashes = 0;
    }
    quoted += c;
  }
  return quoted.append(backslashes, L'\\') + L"\"";
}

HANDLE Inheritable(const std::filesystem::path& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileW(path.wstring().c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

struct StartedTool::Process {
  PROCESS_INFORMATION info;
  std::filesystem::path capture;
};

StartedTool::StartedTool(const Launch& launch) {
  std::wstring command = Quoted(Utf16(ToolPath(launch.tool)));
  for (const std::string& arg : launch.args) command += L" " + Quoted(Utf16(arg));
  const std::filesystem::path capture = NextCapture();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = Inheritable("NUL", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = Inheritable(capture.string() + ".out", GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = Inheritable(capture.string() + ".err", GENERIC_WRITE, CREATE_ALWAYS);
  process_.reset(new Process{{}, capture});
  const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      launch.folder.wstring().c_str(), &startup, &process_->info);
  for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
    CloseHandle(handle);
  }
  if (!started) throw std::runtime_error("the tool did not start");
}

StartedTool::~StartedTool() {
  CloseHandle(process_->info.hProcess);
  CloseHandle(process_->info.hThread);
}

ToolRun StartedTool::Wait() {
  WaitForSingleObject(process_->info.hProcess, INFINITE);
  DWORD status = 0;
  GetExitCodeProcess(process_->info.hProcess, &status);
  return {static_cast<int>(status), ReadText(process_->capture.string() + ".out"),
          ReadText(process_->capture.string() + ".err")};
}

// Under Wine the build machine's root is drive Z.
std::string ToolPath(std::string_view tool) {
  std::string path = std::string(D88_TOOLS_DIR "/").append(tool).append(".exe");
  if (path.starts_with('/')) path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

}  // namespace d88test
