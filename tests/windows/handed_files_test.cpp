// The files the program is started with: the first for this run's window, a run of its own for each
// other one, and a box for one that none could be started for.

#include "tests/crypto/message_recorder.h"
#include "windows/handed_files.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace orvelin::testing {
namespace {

TEST(HandedFiles, TheFirstIsThisRunsAndEachOtherGetsARunOfItsOwn) {
  const struct {
    const char *tag;
    std::vector<std::u16string> files;
    std::set<std::u16string> notStarted;
    std::u16string forThisRun;
    std::vector<std::u16string> started;
    std::vector<RecordedMessage> boxes;
  } cases[] = {
      {"none", {}, {}, u"", {}, {}},
      {"one", {u"/a"}, {}, u"/a", {}, {}},
      {"three", {u"/a", u"/b", u"/c"}, {}, u"/a", {u"/b", u"/c"}, {}},
      {"a run that cannot be started",
       {u"/a", u"/b \u00fc", u"/c"},
       {u"/b \u00fc"},
       u"/a",
       {u"/b \u00fc", u"/c"},
       {{"Cannot open a window for \"/b \xC3\xBC\".", "File Error", MessageStyle::Critical}}},
  };
  for (const auto &each : cases) {
    SCOPED_TRACE(each.tag);
    MessageRecorder boxes;
    std::vector<std::u16string> started;
    const ProgramStarter startFor = [&](const std::u16string &file) {
      started.push_back(file);
      return !each.notStarted.contains(file);
    };

    EXPECT_EQ(fileForThisRun(each.files, startFor, boxes), each.forThisRun);
    EXPECT_EQ(started, each.started);
    EXPECT_EQ(boxes.messages(), each.boxes);
  }
}

} // namespace
} // namespace orvelin::testing
