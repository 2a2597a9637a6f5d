// The files the calculator keeps. The INI store and the settings file: layout
// of a new file, keeping what a person wrote, hostile and odd values, and
// failed saves. The tape file: a round trip, the 1,000-line bound, damaged
// files read as far as is safe and left alone until the tape changes, failed
// saves.
#include <sys/stat.h>
#include <sys/wait.h>
#include <csignal>
#include <unistd.h>

#include <chrono>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "file_lock.h"
#include "ini_store.h"
#include "shared_save.h"
#include "tape_file.h"

namespace vxc {
namespace {

using namespace std::string_literals;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void Spit(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string Fixture(const char* name) { return std::getenv("VXC_SOURCE_DIR") + "/tests/cases/"s + name; }

struct SettingsTest : testing::Test {
  std::string dir_ = mkdtemp((testing::TempDir() + "vxc_settings_XXXXXX").data()), file_ = dir_ + "/VXC.INI";
  ~SettingsTest() override { std::filesystem::remove_all(dir_); }
  // What a first save writes after loading file_.
  std::string LoadAndSaveFresh() {
    CalcState s;
    WindowPosition pos{5, 5};
    LoadSettings(file_, s, pos);
    unlink((dir_ + "/fresh.ini").c_str());
    SaveSettings(dir_ + "/fresh.ini", s, pos);
    return Slurp(dir_ + "/fresh.ini");
  }
};

CalcState Sample() {
  CalcState s;
  s.base = kBaseHex, s.display = kDisplaySci, s.angle = kAngleGrad, s.range = kRangeB, s.memoryIndex = 7;
  s.digits = {5, 0, 32}, s.language = kLangEsperanto, s.errorAlarm = false;
  s.xPanel = s.tapePane = true, s.zoom = 175, s.theme = kThemeDark;
  for (int n = 0; n < kMemoryCount; ++n) {
    s.realMemory[n] = std::to_string(n) + ".5e-" + std::to_string(n);
    s.intMemory[n] = "-" + std::to_string(n * 11);
  }
  return s;
}

// The layout of a first save: tests/cases/settings_layout.ini.
TEST_F(SettingsTest, FirstSaveCreatesFoldersAndTheTableLayoutAndReadsBack) {
  const std::string layout = Slurp(Fixture("settings_layout.ini"));
  ASSERT_FALSE(layout.empty());
  file_ = dir_ + "/Ostrano/VXC/VXC.INI";
  SaveSettings(file_, Sample(), WindowPosition{1920, -30});
  EXPECT_EQ(Slurp(file_), layout);
  EXPECT_EQ(LoadAndSaveFresh(), layout);
}

// tests/cases/settings_by_hand.ini, saved at the defaults, is settings_by_hand_saved.ini.
TEST_F(SettingsTest, SaveKeepsWhatAPersonWrote) {
  Spit(file_, Slurp(Fixture("settings_by_hand.ini")));
  SaveSettings(file_, CalcState(), WindowPosition{});
  EXPECT_EQ(Slurp(file_), Slurp(Fixture("settings_by_hand_saved.ini")));
}

// A row's text with its escapes (\n \r \t \0 \\ \xHH) made bytes.
std::string Unescape(const std::string& row) {
  std::string out;
  for (size_t i = 0; i < row.size(); ++i) {
    const char c = row[i] == '\\' && i + 1 < row.size() ? row[++i] : 0;
    if (c == 'x') out += char(std::stoi(row.substr(i + 1, 2), nullptr, 16)), i += 2;
    else out += c == 0 ? row[i] : c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c == '0' ? '\0' : c;
  }
  return out;
}

// Each file loads without harm; what is read shows in the next first save
// (an empty `line`: everything at its default, as settings_defaults.ini).
// Most files are the rows of tests/cases/odd_settings.txt; here the ones
// made by their size.
TEST_F(SettingsTest, HostileAndOddFiles) {
  std::string manySections;
  for (int i = 0; i < 100000; ++i) manySections += "[S" + std::to_string(i) + "]\nk=1\n\n";
  struct Case { std::string text, line; };
  std::vector<Case> cases = {
      {"", ""}, {std::string(4096, '\0'), ""}, {manySections, ""}, {"[Option]\n" + std::string(10 << 20, 'A') + "\n", ""},
      {"[Memory]\nRM1=0." + std::string(9999, '7'), "RM1=0." + std::string(252, '7') + "\n"}};
  std::ifstream rows(Fixture("odd_settings.txt"));
  for (std::string row; std::getline(rows, row);) {
    const size_t arrow = row.rfind(" -> ");
    if (!row.empty() && row[0] != '#')
      cases.push_back({Unescape(row.substr(0, arrow)), arrow == row.npos ? "" : row.substr(arrow + 4) + "\n"});
  }
  ASSERT_GT(cases.size(), 40u);
  const std::string defaults = LoadAndSaveFresh();  // no file yet
  EXPECT_EQ(defaults, Slurp(Fixture("settings_defaults.ini")));
  for (const Case& c : cases) {
    IniStore ini;
    IniParse(ini, c.text);
    EXPECT_EQ(IniText(ini), c.text);  // untouched text is kept byte for byte
    Spit(file_, c.text);
    const std::string saved = LoadAndSaveFresh();
    if (c.line.empty()) EXPECT_EQ(saved, defaults) << c.text.substr(0, 40);
    else EXPECT_NE(saved.find("\n" + c.line), std::string::npos) << c.text << "\n->\n" << saved;
  }
  // Something that is not a file at all: no hang, defaults, and left alone.
  file_ = dir_ + "/fifo";
  ASSERT_EQ(mkfifo(file_.c_str(), 0600), 0);
  EXPECT_EQ(LoadAndSaveFresh(), defaults);
  SaveSettings(file_, Sample(), {});
  struct stat st {};
  EXPECT_TRUE(stat(file_.c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
}

// A failed write or rename, or a kill before the rename: the old file stays
// whole, a failed save leaves no temporary file and says why (a folder that
// cannot be made: cli_test.sh, "failed save").
TEST_F(SettingsTest, FailedSavesLeaveTheOldFile) {
  using detail::SaveStep;
  bool (*const hooks[])(SaveStep) = {[](SaveStep s) { return s != SaveStep::kWrite; },
                                     [](SaveStep s) { return s != SaveStep::kRename; },
                                     [](SaveStep s) { return s == SaveStep::kRename ? (_exit(0), false) : true; }};
  const std::string old = "; keep\r\n[Pos]\r\nTop=7\r\n";
  for (auto hook : hooks) {
    Spit(file_, old);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      detail::g_saveStepHook = hook;
      std::string reason;
      const bool saved = SaveSettings(file_, Sample(), {}, &reason);
      _exit(!saved && reason.find(file_) != std::string::npos ? 0 : 3);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(Slurp(file_), old);
    if (hook != hooks[2]) { EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 2); }  // and the lock
  }
  EXPECT_TRUE(SaveSettings(file_, Sample(), {}));  // the next save still works
  EXPECT_NE(Slurp(file_).find("BASE=2"), std::string::npos);
}

// A link stays a link, also a dangling one (its target is created); a file
// without write bits is never replaced, even by root, and the save says so.
TEST_F(SettingsTest, SavingThroughALinkKeepsTheLinkAndAReadOnlyFileIsLeft) {
  const std::string real = dir_ + "/real.ini", dangling = dir_ + "/dangling.ini";
  Spit(real, "[Pos]\nTop=1\n");
  ASSERT_EQ(symlink(real.c_str(), file_.c_str()), 0);
  ASSERT_EQ(symlink("dots/new.ini", dangling.c_str()), 0);
  ASSERT_EQ(mkdir((dir_ + "/dots").c_str(), 0700), 0);
  for (const std::string& link : {file_, dangling}) {
    EXPECT_TRUE(SaveSettings(link, Sample(), {}));
    struct stat st {};
    EXPECT_TRUE(lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode));
  }
  EXPECT_EQ(Slurp(real).substr(0, 19), "[Pos]\nTop=0\nLeft=0\n");
  EXPECT_NE(Slurp(dir_ + "/dots/new.ini").find("BASE=2"), std::string::npos);
  ASSERT_EQ(chmod(real.c_str(), 0444), 0);
  std::string reason;
  EXPECT_FALSE(SaveSettings(file_, CalcState(), {}, &reason));
  EXPECT_NE(reason.find("Permission denied"), std::string::npos) << reason;
  EXPECT_NE(Slurp(real).find("BASE=2"), std::string::npos);
}

// Each repaired register is reported once; a register text longer than the
// reader takes is saved by its value and reads back the same.
TEST_F(SettingsTest, RepairsAreReportedAndLongRegistersSavedByValue) {
  Spit(file_, "[Memory]\nRM0=hello\nRM1=1e999999999\nRM2=0.5\nIM3=nan\n");
  CalcState s;
  WindowPosition pos;
  testing::internal::CaptureStderr();
  LoadSettings(file_, s, pos);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 3) << err;
  EXPECT_NE(err.find("RM0 \"hello\""), std::string::npos) << err;
  s.realMemory[4] = "0." + std::string(298, '3');
  ASSERT_TRUE(SaveSettings(file_, s, pos));
  LoadSettings(file_, s, pos);
  EXPECT_EQ(s.realMemory[4], "0." + std::string(kCanonicalDigits, '3'));
}

// ------------------------------------------------------------- tape file

struct TapeFileTest : SettingsTest {
  TapeFileTest() { file_ = dir_ + "/tape.txt"; }
};

void AddLines(Tape& tape, int count, const std::string& prefix = "line ") {
  for (int i = 0; i < count; ++i) tape.lines.push_back(prefix + std::to_string(i) + " ***");
  tape.changes += count;
}

// A failed write (a full disk) says why and leaves the change to the next
// save. The tape is written like the settings: the old file stays whole and
// no temporary file is left (FailedSavesLeaveTheOldFile); a folder that
// cannot be made: cli_test.sh, "failed tape save".
TEST_F(TapeFileTest, RoundTripKeepsTheLastThousandLinesAndWritesOnlyAChangeUntilSaved) {
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
  AddLines(again, 1);
  std::string reason;
  detail::g_saveStepHook = [](detail::SaveStep step) { return step != detail::SaveStep::kWrite; };
  EXPECT_FALSE(SaveTape(file_, again, &reason));
  detail::g_saveStepHook = nullptr;
  EXPECT_NE(reason.find(file_), std::string::npos) << reason;
  EXPECT_TRUE(SaveTape(file_, again) && Slurp(file_).ends_with("\nline 0 ***\n"));
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

// ------------------------------------------------------ two programs, one file

// A program with the file open: what it loaded, its state now.
struct Program {
  SharedSettings shared;
  CalcState s;
  WindowPosition pos;
  explicit Program(const std::string& path) : shared{path, {}} { LoadSharedSettings(shared, s, pos); }
  void Change(const std::string& key, const std::string& value) {  // RMn, IMn or BASE
    if (key == "BASE") s.base = uint32_t(std::stoi(value));
    else (key[0] == 'R' ? s.realMemory : s.intMemory)[key[2] - '0'] = value;
  }
  SaveOutcome Save() { return SaveSharedSettings(shared, s, pos, SaveScope::kChanged); }
};

// Steps: "a RM0=1" program a changes a key, "A" a saves (b, B likewise),
// "h RM3=7" a person edits the file, "d" the file is deleted. Then each
// `want` key has that value in the file.
TEST_F(SettingsTest, SavesWriteOnlyWhatTheProgramChanged) {
  struct Case { std::vector<std::string> steps, want; };
  const Case cases[] = {
      {{"a RM0=1", "b IM0=5", "A", "B"}, {"RM0=1", "IM0=5", "RM3=3", "BASE=2", "IM7=0"}},  // different keys, both orders;
      // a register repaired at load is saved repaired
      {{"a RM0=1", "b IM0=5", "B", "A"}, {"RM0=1", "IM0=5", "RM3=3", "BASE=2"}},
      {{"a RM0=1", "A", "b BASE=1", "B", "a RM0=2", "A", "B"}, {"RM0=2", "BASE=1"}},
      {{"a RM0=1", "b RM0=2", "A", "B"}, {"RM0=2"}},  // the same key: the later save wins
      {{"a RM0=1", "b RM0=2", "B", "A"}, {"RM0=1"}},
      {{"b RM0=2", "B", "a RM0=1", "A", "B", "A"}, {"RM0=1"}},  // saves without a change change nothing
      {{"h RM3=7", "h BASE=9", "a RM0=1", "A"}, {"RM3=7", "BASE=9", "RM0=1"}},  // a hand edit survives
      {{"h RM0=7", "a RM0=1", "A"}, {"RM0=1"}},  // ... unless the program changed that key
      {{"a RM0=1", "A", "d", "b IM0=5", "B"}, {"IM0=5", "RM0=0.5", "RM3=3", "Top=0"}},  // deleted: written whole
  };
  for (const Case& c : cases) {
    Spit(file_, "; mine\n[Option]\nBASE=2\nown=x\n[Memory]\nRM0=0.5\nRM3=3\nIM7=hello\n");
    Program a(file_), b(file_);
    std::string what;
    for (const std::string& step : c.steps) {
      what += step + "; ";
      const std::string key = step.size() > 2 ? step.substr(2, step.find('=') - 2) : "";
      const std::string value = step.substr(step.find('=') + 1);
      if (step[0] == 'a' || step[0] == 'b') (step[0] == 'a' ? a : b).Change(key, value);
      if (step[0] == 'A' || step[0] == 'B') { EXPECT_EQ((step[0] == 'A' ? a : b).Save(), SaveOutcome::kSaved) << what; }
      if (step[0] == 'd') unlink(file_.c_str());
      if (step[0] == 'h') {
        IniStore ini;
        IniLoadFile(ini, file_);
        IniSet(ini, key == "BASE" ? "Option" : "Memory", key, value);
        Spit(file_, IniText(ini));
      }
    }
    IniStore ini;
    ASSERT_EQ(IniLoadFile(ini, file_), FileReadResult::kLoaded) << what;
    for (const std::string& kv : c.want) {
      const std::string key = kv.substr(0, kv.find('='));
      const char* section = key == "BASE" ? "Option" : key == "Top" ? "Pos" : "Memory";
      EXPECT_EQ(IniGet(ini, section, key, "absent"), kv.substr(kv.find('=') + 1)) << what << kv;
    }
    const bool deleted = std::count(c.steps.begin(), c.steps.end(), "d") > 0;
    EXPECT_EQ(IniText(ini).starts_with("; mine\n[Option]\nBASE=") && IniGet(ini, "Option", "own", "") == "x", !deleted) << what;
  }
}

// Two processes save 200 times each, different keys, against one file;
// neither loses the other's keys. A lock left by a killed process blocks no one.
TEST_F(SettingsTest, TwoProcessesSavingAtOnceKeepEachOthersKeys) {
  if (access("/dev/shm", W_OK) == 0) {  // memory: 400 saves in a blink, not 400 waits for the disk
    std::filesystem::remove_all(dir_);
    dir_ = mkdtemp(std::string("/dev/shm/vxc_settings_XXXXXX").data()), file_ = dir_ + "/VXC.INI";
  }
  pid_t children[2];
  for (int who = 0; who < 2; ++who) {
    children[who] = fork();
    ASSERT_GE(children[who], 0);
    if (children[who] != 0) continue;
    Program p(file_);
    for (int i = 0; i < 200; ++i) {
      if (who == 0) p.s.realMemory[i % 10] = std::to_string(i), p.s.base = uint32_t(i % 5);
      else p.s.intMemory[i % 10] = std::to_string(i), p.s.memoryIndex = uint32_t(i % 10);
      if (p.Save() != SaveOutcome::kSaved) _exit(3);
    }
    _exit(0);
  }
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_EQ(Slurp(file_), Slurp(Fixture("settings_two_programs.ini")));  // every key once, each with its last value

  const pid_t holder = fork();
  if (holder == 0) {
    FileLock lock;
    if (TakeFileLock(lock, file_ + ".lock", 0) == LockResult::kLocked) kill(getpid(), SIGKILL);
    _exit(3);
  }
  int status = 0;
  waitpid(holder, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  const auto start = std::chrono::steady_clock::now();
  Program late(file_);
  late.Change("RM0", "5");
  EXPECT_EQ(late.Save(), SaveOutcome::kSaved);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

// The settings follow the config home, the tape the data home; a relative one is ignored.
TEST(Settings, PathsFollowTheConfigAndDataHomes) {
  setenv("HOME", "/home/u", 1);
  for (const char* xdg : {"/x", "relative", static_cast<const char*>(nullptr)}) {
    const bool used = xdg && xdg[0] == '/';
    if (xdg) setenv("XDG_CONFIG_HOME", (xdg + "/cfg"s).c_str(), 1), setenv("XDG_DATA_HOME", (xdg + "/data"s).c_str(), 1);
    else unsetenv("XDG_CONFIG_HOME"), unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(SettingsPath(), used ? "/x/cfg/Ostrano/VXC/VXC.INI" : "/home/u/.config/Ostrano/VXC/VXC.INI");
    EXPECT_EQ(TapePath(), used ? "/x/data/Ostrano/VXC/tape.txt" : "/home/u/.local/share/Ostrano/VXC/tape.txt");
  }
}

}  // namespace
}  // namespace vxc
