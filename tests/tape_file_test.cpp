// The tape file: a round trip, the 1,000-line bound, damaged files read as
// far as is safe and left alone until the tape changes, failed saves.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "tape_file.h"

namespace vxc {
namespace {

using namespace std::string_literals;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}
void Spit(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

struct TapeFileTest : testing::Test {
  std::string dir_ = mkdtemp((testing::TempDir() + "vxc_tape_XXXXXX").data()), file_ = dir_ + "/tape.txt";
  ~TapeFileTest() override { std::filesystem::remove_all(dir_); }
};

void AddLines(Tape& tape, int count, const std::string& prefix = "line ") {
  for (int i = 0; i < count; ++i) tape.lines.push_back(prefix + std::to_string(i) + " ***");
  tape.changes += count;
}

TEST_F(TapeFileTest, RoundTripKeepsTheLastThousandLinesAndWritesOnlyAChange) {
  Tape tape, again;
  AddLines(tape, 1200, "7.00 ✓ ");
  file_ = dir_ + "/Ostrano/VXC/tape.txt";
  ASSERT_TRUE(SaveTape(file_, tape));
  LoadTape(file_, again);
  ASSERT_EQ(again.lines.size(), kTapeLines);
  EXPECT_TRUE(std::equal(again.lines.begin(), again.lines.end(), tape.lines.end() - kTapeLines));
  std::filesystem::remove(file_);
  EXPECT_TRUE(SaveTape(file_, again));  // unchanged since it was read: nothing written
  EXPECT_FALSE(std::filesystem::exists(file_));
}

// Each file gives the lines that can be read safely (the last 1,000 of
// them); none is rewritten until the tape changes.
TEST_F(TapeFileTest, DamagedFilesGiveWhatCanBeReadAndStayUntilTheTapeChanges) {
  std::string many;
  for (int i = 0; i < 1001; ++i) many += std::to_string(i) + "\n";
  const struct { std::string text, lines; } cases[] = {
      {"", ""}, {"1.00 ENTER\r\n2.00 +\r\n", "1.00 ENTER|2.00 +"}, {"a\n\nb", "a|b"}, {"a\n\0b\0\nc\n"s, "a|c"},
      {std::string(4096, '\0'), ""}, {"ok\n\xff\xfe bad\n\xc0\xaf\n\xed\xa0\x80\n\xe2\x82\nπ ***\n", "ok|π ***"},
      {"x\n" + std::string(10 << 20, '7') + "\ny", "x|y"}, {"tab\there\n\x1b[31m\n", ""}, {many, "1|2|3"},
  };
  for (const auto& c : cases) {
    Spit(file_, c.text);
    Tape tape;
    const TapeFileLines read = LoadTape(file_, tape);
    std::string lines;
    for (size_t i = 0; i < std::min<size_t>(tape.lines.size(), 3); ++i) lines += (i ? "|" : "") + tape.lines[i];
    EXPECT_EQ(lines, c.lines) << c.text.substr(0, 40);
    EXPECT_TRUE(SaveTape(file_, tape));
    EXPECT_EQ(Slurp(file_), c.text);  // left as it is
    if (read.skipped == 0) continue;
    AddLines(tape, 1);
    ASSERT_TRUE(SaveTape(file_, tape));
    EXPECT_EQ(Slurp(file_).substr(Slurp(file_).size() - 11), "line 0 ***\n");
  }
  // Beyond the size any tape has: nothing is read, and the file is left alone.
  Spit(file_, std::string(kMaxFileSize + 1, '1'));
  Tape tape;
  EXPECT_EQ(LoadTape(file_, tape).read, FileReadResult::kUnreadable);
  EXPECT_TRUE(tape.lines.empty() && SaveTape(file_, tape));
  EXPECT_EQ(std::filesystem::file_size(file_), kMaxFileSize + 1);
}

// A failed write (a full disk), a folder that cannot be made or written:
// the old file stays whole and the save says why.
TEST_F(TapeFileTest, FailedSavesKeepTheOldFileAndSaySo) {
  Spit(file_, "old ***\n");
  Tape tape;
  AddLines(tape, 3);
  std::string reason;
  detail::g_saveStepHook = [](detail::SaveStep step) { return step != detail::SaveStep::kWrite; };
  EXPECT_FALSE(SaveTape(file_, tape, &reason));
  detail::g_saveStepHook = nullptr;
  EXPECT_NE(reason.find(file_), std::string::npos) << reason;
  EXPECT_EQ(Slurp(file_), "old ***\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);  // no temporary file left
  Spit(dir_ + "/plain", "x");
  EXPECT_FALSE(SaveTape(dir_ + "/plain/Ostrano/VXC/tape.txt", tape, &reason));
  EXPECT_NE(reason.find("Not a directory"), std::string::npos) << reason;
  chmod(dir_.c_str(), 0500);  // a read-only folder (root writes into it all the same)
  EXPECT_EQ(SaveTape(file_, tape, &reason), geteuid() == 0);
  chmod(dir_.c_str(), 0700);
  if (geteuid() != 0) { EXPECT_EQ(Slurp(file_), "old ***\n"); }
  EXPECT_TRUE(SaveTape(file_, tape));  // the next save still works
  EXPECT_EQ(Slurp(file_), "line 0 ***\nline 1 ***\nline 2 ***\n");
}

}  // namespace
}  // namespace vxc
