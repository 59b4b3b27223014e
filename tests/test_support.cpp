#include "tests/test_support.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <random>

#include "tests/tool_run.h"
#include "words/catalogue.h"

namespace d88test {

namespace fs = std::filesystem;

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

Bytes Sectors(int track, int first, int last, std::size_t last_size) {
  Bytes all;
  for (int r = first; r <= last; ++r) all = Concat({all, SectorData(track, r)});
  all.resize(all.size() - 256 + last_size);
  return all;
}

// Named by the time and a random number: test processes may run side by side.
ScratchDir::ScratchDir() {
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::string name =
      "d88test-♪-" + std::to_string(stamp) + "-" + std::to_string(std::random_device()());
  path = fs::temp_directory_path() / fs::path(std::u8string(name.begin(), name.end()));
  fs::create_directories(path);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  fs::remove_all(path, ignored);
}

std::vector<std::string> ScratchDir::List() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(path)) {
    const std::u8string name = entry.path().filename().u8string();
    names.emplace_back(name.begin(), name.end());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string StateOf(const d88::D88Image& image) {
  return "disks " + std::to_string(image.DiskCount()) + ", file " +
         std::to_string(image.FileSize()) + ", disk_size " + std::to_string(image.DiskSize()) +
         ", media " + std::to_string(image.MediaType()) + ", protect " +
         std::to_string(image.WriteProtect()) + ", name \"" + std::string(image.DiskName()) + "\"";
}

bool ReaderTest::Open(const Bytes& bytes) {
  path_ = dir_ / std::to_string(files_++);
  WriteFile(path_, bytes);
  return image_.Open(Utf8(path_).c_str());
}

std::string ReaderTest::Selected(int index) {
  return image_.SelectDisk(index) ? std::string(image_.DiskName()) : "(failed)";
}

Bytes ReaderTest::Run(int track, int r, int total, int n) {
  Bytes dest(static_cast<std::size_t>(total));
  dest.resize(static_cast<std::size_t>(
      image_.ReadSectorRun(track, track / 2, track % 2, r, n, dest.data(), total)));
  return dest;
}

Bytes ReaderTest::Read(int track, int r, int limit, int n) {
  Bytes dest(static_cast<std::size_t>(limit));
  dest.resize(static_cast<std::size_t>(
      image_.ReadSector(track, track / 2, track % 2, r, n, dest.data(), limit)));
  return dest;
}

Bytes ReaderTest::Ids(int track, int limit) {
  Bytes dest(static_cast<std::size_t>(limit));
  dest.resize(static_cast<std::size_t>(image_.ReadTrackIds(track, dest.data(), limit)));
  return dest;
}

std::filesystem::path NextCapture() {
  static const ScratchDir captures;
  static int count = 0;
  return captures / std::to_string(count++);
}

std::string ReadText(const std::filesystem::path& path) {
  const Bytes bytes = ReadFile(path);
  return {bytes.begin(), bytes.end()};
}

std::string Transcript(const Launch& launch) {
  const ToolRun run = RunTool(launch);
  std::string text = "$ " + launch.tool;
  for (const std::string& arg : launch.args) text += " " + arg;
  text += "\n" + run.out + run.err;
  if (run.status != 0) text += "[status " + std::to_string(run.status) + "]\n";
  const std::string tools = ToolPath("d88ls").substr(0, ToolPath("d88ls").rfind("d88ls"));
  for (std::size_t at; (at = text.find(tools)) != std::string::npos;)
    text.replace(at, tools.size(), "TOOLS/");
  return text;
}

void ExpectSaidInBoth(const std::string& name,
                      const std::function<std::string(const std::string& lang)>& said) {
  for (const auto& [language, lang] : {std::pair{"en", ""}, {"ja", "ja_JP.UTF-8"}}) {
    const std::string file = name + "." + language, text = said(lang),
                      expected = ReadText(fs::path(D88_SOURCE_DIR) / "tests" / "said" / file);
    EXPECT_EQ(text, expected) << "as tests/said/" << file << " has it";
    if (text != expected) std::ofstream(file, std::ios::binary) << text;
  }
}

std::string SaidIn(const std::string& lang, const std::function<std::string()>& said) {
  words::Choose(lang.empty() ? words::Language::kEnglish : words::Language::kJapanese);
  const std::string text = said();
  words::Choose(words::Language::kEnglish);
  return text;
}

void PrintTo(const ToolRun& run, std::ostream* os) {
  *os << "{status " << run.status << ", signal " << run.signal << ", out "
      << ::testing::PrintToString(run.out) << ", err " << ::testing::PrintToString(run.err) << "}";
}

}  // namespace d88test
