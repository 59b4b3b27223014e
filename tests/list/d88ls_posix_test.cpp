// d88ls on POSIX systems, where its output can go to a full device.
#include "tests/test_support.h"
#include "tests/tool_run.h"

namespace d88test {

TEST(Lister, ListingThatCannotBeWrittenFails) {
  const ScratchDir work;
  WriteFile(work / "music.d88", MusicDisk().Build());
  EXPECT_EQ(RunTool({.folder = work.path,
                     .args = {"music.d88"},
                     .tool = "d88ls",
                     .output = Output::kFullDevice}),
            (ToolRun{.status = 1, .err = "cannot write the listing\n"}));
}

}  // namespace d88test
