// The INI store and the settings file: layout of a new file, round trips,
// keeping what a person wrote, hostile files and failed saves.
#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "ini_store.h"
#include "settings.h"

namespace vxc {
namespace {

using namespace std::string_literals;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void Spit(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

int EntriesIn(const std::string& dir) {
  int n = 0;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d)) n += e->d_name[0] != '.';
    closedir(d);
  }
  return n;
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = ::testing::TempDir() + "vxc_settings_XXXXXX";
    dir_ = mkdtemp(tmpl.data());
    file_ = dir_ + "/VXC.INI";
  }
  void TearDown() override {
    detail::g_saveStepHook = nullptr;
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  CalcState Load(WindowPosition* posOut = nullptr, uint32_t* startOut = nullptr) {
    CalcState s;
    WindowPosition pos{5, 5};
    uint32_t start = 99;
    LoadSettings(file_, s, pos, start);
    if (posOut) *posOut = pos;
    if (startOut) *startOut = start;
    return s;
  }
  // The file a first save of this state would create.
  std::string FreshText(const CalcState& s, const WindowPosition& pos) {
    std::string out = dir_ + "/fresh.ini";
    unlink(out.c_str());
    SaveSettings(out, s, pos);
    return Slurp(out);
  }
  std::string dir_, file_;
};

// ---- INI store ---------------------------------------------------------

TEST(IniStore, UntouchedTextIsKeptByteForByte) {
  const std::string cases[] = {
      "", "\n\n", "no sections=1", "[A]\r\nk=1\r\n", "[A]\nk=1", "\xEF\xBB\xBF[A]\nK=v\n",
      "[A]\nk=\0x\n\0\0"s, "\xFF\xFE[\x01]\r=\r\n\r\r\n;c", "[A\nk=1\n[B]\n k = 2 \n",
  };
  for (const std::string& text : cases) {
    IniStore ini;
    IniParse(ini, text);
    EXPECT_EQ(IniText(ini), text);
  }
}

TEST(IniStore, Reads) {
  struct Case { std::string text, section, key, want; };
  const std::string big(10000, '7');
  const Case cases[] = {
      {"[pos]\nTOP=5\n", "Pos", "Top", "5"},                    // case does not matter
      {"[A]\nk=1\nK=2\n", "A", "k", "1"},                        // first key wins
      {"[A]\nx=1\n[B]\n[a]\nk=2\n", "A", "k", "2"},               // duplicate section adds keys
      {"[A]\nk=1\n[a]\nk=2\n", "A", "k", "1"},
      {"[ A ]\n  k \t=  two words \r\n", "A", "k", "two words"},  // trimmed
      {"\xEF\xBB\xBF[A]\nk=1\n", "A", "k", "1"},                  // BOM before the first section
      {"k=1\n[A]\n", "A", "k", "-"},                              // key outside any section
      {"[A]\n;k=1\n#k=2\nk\n", "A", "k", "-"},                    // comments, no '='
      {"[A\nk=1\n", "A", "k", "-"},                               // broken header
      {"[A]\nk=ab\0cd\n"s, "A", "k", "ab"},                      // cut at NUL
      {"[A]\nk=" + big + "\n", "A", "k", big.substr(0, 254)},
      {"[A]\nk=\n", "A", "k", ""},
  };
  for (const Case& c : cases) {
    IniStore ini;
    IniParse(ini, c.text);
    EXPECT_EQ(IniGet(ini, c.section, c.key, "-"), c.want) << c.text.substr(0, 40);
  }
}

TEST(IniStore, Writes) {
  struct Case { std::string before, section, key, value, after; };
  const Case cases[] = {
      {"", "A", "k", "1", "[A]\nk=1\n"},
      {"[a]\r\nK = 1 ;x\r\n", "A", "k", "2", "[a]\r\nK = 2\r\n"},  // in place, person's spelling
      {"[A]\nx=1\n\n;next\n[B]\n", "A", "k", "2", "[A]\nx=1\nk=2\n\n;next\n[B]\n"},
      {"[A]\r\n", "B", "k", "2", "[A]\r\n[B]\r\nk=2\r\n"},
      {"[A]\nx=1", "A", "k", "2", "[A]\nx=1\nk=2\n"},                // no final line end
      {"[A]\nk=1\n[B]\n[A]\nk=3\n", "A", "k", "2", "[A]\nk=2\n[B]\n[A]\nk=3\n"},
      {"[A]\n[B]\n[A]\nx=1\n", "A", "k", "2", "[A]\nk=2\n[B]\n[A]\nx=1\n"},
      {"[A]\nk=1\n", "A", "k", "a\nb", "[A]\nk=a\n"},                // one line per value
  };
  for (const Case& c : cases) {
    IniStore ini;
    IniParse(ini, c.before);
    IniSet(ini, c.section, c.key, c.value);
    EXPECT_EQ(IniText(ini), c.after) << c.before;
    EXPECT_EQ(IniGet(ini, c.section, c.key, "-"), c.value.substr(0, c.value.find('\n')));
  }
}

TEST(IniStore, BigInputsStayLinear) {
  std::string text = "[A]\nk=" + std::string(10 << 20, 'x') + "\n";
  for (int i = 0; i < 100000; ++i) text += "[S" + std::to_string(i) + "]\nk" + std::to_string(i) + "=1\n\n";
  IniStore ini;
  IniParse(ini, text);
  EXPECT_EQ(IniGet(ini, "A", "k", "").size(), 254u);
  EXPECT_EQ(IniGet(ini, "s99999", "K99999", ""), "1");
  IniSet(ini, "A", "k", "2");
  EXPECT_EQ(IniText(ini).size(), text.size() - (10 << 20) + 1);
}

// ---- Settings file -----------------------------------------------------

CalcState Sample() {
  CalcState s;
  s.base = kBaseHex;
  s.display = kDisplaySci;
  s.angle = kAngleGrad;
  s.range = kRangeB;
  s.memoryIndex = 7;
  s.digits = {5, 0, 32};
  s.language = kLangEsperanto;
  s.errorAlarm = false;
  for (int n = 0; n < kMemoryCount; ++n) {
    s.realMemory[n] = std::to_string(n) + ".5e-" + std::to_string(n);
    s.intMemory[n] = "-" + std::to_string(n * 11);
  }
  return s;
}

const char* const kSampleText =
    "[Pos]\nTop=-30\nLeft=1920\n"
    "[Option]\nBASE=2\nDISPLAY=1\nANGLE=2\nRANGE=3\nMEMORY=7\nPTF=5\nPTS=0\nPTE=32\nLanguage=4\n"
    "[Sound]\nErrorAlarm=0\n"
    "[Memory]\nUses=7\n"
    "RM0=0.5e-0\nRM1=1.5e-1\nRM2=2.5e-2\nRM3=3.5e-3\nRM4=4.5e-4\n"
    "RM5=5.5e-5\nRM6=6.5e-6\nRM7=7.5e-7\nRM8=8.5e-8\nRM9=9.5e-9\n"
    "IM0=-0\nIM1=-11\nIM2=-22\nIM3=-33\nIM4=-44\nIM5=-55\nIM6=-66\nIM7=-77\nIM8=-88\nIM9=-99\n";

TEST_F(SettingsTest, FirstSaveCreatesFoldersAndTheTableLayout) {
  const std::string path = dir_ + "/Ostrano/VXC/VXC.INI";
  SaveSettings(path, Sample(), WindowPosition{1920, -30});
  EXPECT_EQ(Slurp(path), kSampleText);

  // Everything read back is written again the same way.
  file_ = path;
  WindowPosition pos;
  uint32_t start = 0;
  CalcState s = Load(&pos, &start);
  EXPECT_EQ(FreshText(s, pos), kSampleText);
  EXPECT_EQ(start, kBaseHex);
}

TEST_F(SettingsTest, SaveKeepsWhatAPersonWrote) {
  Spit(file_,
       "; my settings\r\n[other]\r\nx = 1\r\n\r\n[option]\r\nbase = 1\r\nmine=yes\r\n\r\n"
       "[MEMORY]\r\nrm3=42\r\n");
  SaveSettings(file_, CalcState(), WindowPosition{});
  EXPECT_EQ(Slurp(file_),
            "; my settings\r\n[other]\r\nx = 1\r\n\r\n"
            "[option]\r\nbase = 0\r\nmine=yes\r\nDISPLAY=0\r\nANGLE=0\r\nRANGE=0\r\nMEMORY=0\r\n"
            "PTF=2\r\nPTS=2\r\nPTE=2\r\nLanguage=0\r\n\r\n"
            "[MEMORY]\r\nrm3=0.0e0\r\nUses=0\r\nRM0=0.0e0\r\nRM1=0.0e0\r\nRM2=0.0e0\r\n"
            "RM4=0.0e0\r\nRM5=0.0e0\r\nRM6=0.0e0\r\nRM7=0.0e0\r\nRM8=0.0e0\r\nRM9=0.0e0\r\n"
            "IM0=0\r\nIM1=0\r\nIM2=0\r\nIM3=0\r\nIM4=0\r\nIM5=0\r\nIM6=0\r\nIM7=0\r\nIM8=0\r\nIM9=0\r\n"
            "[Pos]\r\nTop=0\r\nLeft=0\r\n[Sound]\r\nErrorAlarm=1\r\n");
}

// Every hostile file loads without harm and gives the defaults.
TEST_F(SettingsTest, HostileFilesGiveDefaults) {
  const std::string files[] = {
      "",
      std::string(4096, '\0'),
      "\x89PNG\r\n\x1a\n\xff\xfe\x00[\x80]=\n"s,
      "Top=5\nBASE=2\n",  // no sections
      "[Option]\n" + std::string(10 << 20, 'A') + "\n",
      "[Option]\nDISPLAY=3\nRANGE=4\nPTF=33\nPTS=-1\nPTE=99999999999\n[Memory]\nUses=10\n",
      "[Option]\nDISPLAY=-1\nRANGE=-99999999999\n[memory]\nuses=-1\n",
  };
  std::string defaults = FreshText(Load(), {});  // no file yet
  for (const std::string& text : files) {
    Spit(file_, text);
    WindowPosition pos;
    CalcState s = Load(&pos);
    EXPECT_EQ(FreshText(s, pos), defaults) << text.substr(0, 40);
  }
  EXPECT_NE(defaults.find("RM9=0.00e0\nIM0=0\n"), std::string::npos);
  // Something that is not a file at all: no hang, defaults, and left alone.
  std::string fifo = dir_ + "/fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  file_ = fifo;
  EXPECT_EQ(Load().realMemory[1], "0.00e0");
  SaveSettings(fifo, Sample(), {});
  struct stat st {};
  EXPECT_TRUE(stat(fifo.c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
}

TEST_F(SettingsTest, ValueReading) {
  using Field = int64_t (*)(const CalcState&, const WindowPosition&, uint32_t startBase);
  struct Case { std::string text; Field field; int64_t want; };
  Field top = [](const CalcState&, const WindowPosition& p, uint32_t) { return int64_t{p.top}; };
  Field start = [](const CalcState&, const WindowPosition&, uint32_t b) { return int64_t{b}; };
  Field alarm = [](const CalcState& s, const WindowPosition&, uint32_t) { return int64_t{s.errorAlarm}; };
  Field uses = [](const CalcState& s, const WindowPosition&, uint32_t) { return int64_t{s.memoryIndex}; };
  Field ptf = [](const CalcState& s, const WindowPosition&, uint32_t) { return int64_t{s.digits[0]}; };
  Field lang = [](const CalcState& s, const WindowPosition&, uint32_t) { return int64_t{s.language}; };
  const Case cases[] = {
      {"[Pos]\nTop=-30", top, -30},
      {"[Pos]\nTop=  +12abc", top, 12},
      {"[Pos]\nTop=99999999999", top, 2147483647},
      {"[Pos]\nTop=-2147483649", top, -2147483648LL},
      {"[Pos]\nTop=x1", top, 0},
      {"[Option]\nBASE=7", start, 7},  // kept as read; the window normalises it
      {"[Option]\nBASE=-1", start, 4294967295LL},
      {"[Option]\nLanguage=3", lang, 3},
      {"[Option]\nPTF=abc", ptf, 0},
      {"[Option]\nPTF=32", ptf, 32},
      {"[Option]\nMEMORY=5\n[Memory]\nUses=3", uses, 3},
      {"[Option]\nMEMORY=5", uses, 0},
      {"[Sound]\nErrorAlarm=1", alarm, 1},
      {"[Sound]\nErrorAlarm=0", alarm, 0},
      {"[Sound]\nErrorAlarm=yes", alarm, 0},
      {"[Sound]\nErrorAlarm=01", alarm, 0},
      {"[Sound]\nErrorAlarm=", alarm, 0},
      {"[Sound]\n", alarm, 1},
  };
  for (const Case& c : cases) {
    Spit(file_, c.text + "\n");
    WindowPosition pos;
    uint32_t startBase = 0;
    CalcState s = Load(&pos, &startBase);
    EXPECT_EQ(c.field(s, pos, startBase), c.want) << c.text;
  }
}

// Odd codes written back come out as they were read.
TEST_F(SettingsTest, OddCodesRoundTrip) {
  Spit(file_, "[Option]\nBASE=-1\nANGLE=9\nLanguage=3\n");
  SaveSettings(file_, Load(), {});
  for (const char* line : {"BASE=-1\n", "ANGLE=9\n", "Language=3\n"})
    EXPECT_NE(Slurp(file_).find(line), std::string::npos) << line;
}

bool FailWrite(detail::SaveStep step) { return step != detail::SaveStep::kWrite; }
bool FailRename(detail::SaveStep step) { return step != detail::SaveStep::kRename; }
bool DieBeforeRename(detail::SaveStep step) {
  if (step == detail::SaveStep::kRename) _exit(0);
  return true;
}

TEST_F(SettingsTest, FailedSavesLeaveTheOldFile) {
  const std::string old = "; keep\r\n[Pos]\r\nTop=7\r\n";
  for (auto hook : {FailWrite, FailRename}) {
    Spit(file_, old);
    detail::g_saveStepHook = hook;
    SaveSettings(file_, Sample(), {});
    EXPECT_EQ(Slurp(file_), old);
    EXPECT_EQ(EntriesIn(dir_), 1);  // no temp file left behind
  }
  detail::g_saveStepHook = nullptr;

  // Killed between writing the new text and the rename.
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    detail::g_saveStepHook = DieBeforeRename;
    SaveSettings(file_, Sample(), {});
    _exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(Slurp(file_), old);
  SaveSettings(file_, Sample(), {});  // the next save still works
  EXPECT_EQ(Load().base, kBaseHex);

  // A folder that cannot be made: a regular file is in the way.
  Spit(dir_ + "/plain", "x");
  SaveSettings(dir_ + "/plain/Ostrano/VXC/VXC.INI", Sample(), {});
  EXPECT_EQ(Slurp(dir_ + "/plain"), "x");

  if (geteuid() != 0) {  // root writes into read-only folders anyway
    Spit(file_, old);
    chmod(dir_.c_str(), 0500);
    SaveSettings(file_, Sample(), {});
    chmod(dir_.c_str(), 0700);
    EXPECT_EQ(Slurp(file_), old);
  }
}

TEST_F(SettingsTest, SavingThroughALinkKeepsTheLink) {
  const std::string real = dir_ + "/real.ini";
  Spit(real, "[Pos]\nTop=1\n");
  ASSERT_EQ(symlink(real.c_str(), file_.c_str()), 0);
  SaveSettings(file_, Sample(), {});
  struct stat st {};
  EXPECT_TRUE(lstat(file_.c_str(), &st) == 0 && S_ISLNK(st.st_mode));
  EXPECT_EQ(Slurp(real).substr(0, 19), "[Pos]\nTop=0\nLeft=0\n");
}

TEST(Settings, PathFollowsTheConfigHome) {
  struct Case { const char* xdg; std::string want; };
  const Case cases[] = {
      {"/x/cfg", "/x/cfg/Ostrano/VXC/VXC.INI"},
      {"relative", "/home/u/.config/Ostrano/VXC/VXC.INI"},
      {nullptr, "/home/u/.config/Ostrano/VXC/VXC.INI"},
  };
  setenv("HOME", "/home/u", 1);
  for (const Case& c : cases) {
    if (c.xdg) setenv("XDG_CONFIG_HOME", c.xdg, 1); else unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsPath(), c.want);
  }
}

TEST(Settings, ResetMovesTheWindowOnlyWhenThereIsOne) {
  Engine e;
  e.state = Sample();
  WindowPosition pos{40, 50};
  ResetCalculator(e, &pos, nullptr);
  EXPECT_EQ(pos.left, 40);
  EXPECT_EQ(e.state.base, kBaseReal);
  EXPECT_EQ(e.state.realMemory[3], "0.0e0");
  EXPECT_EQ(e.state.language, kLangEsperanto);

  int moved = 0, refreshed = 0;
  ResetWindowHooks hooks{[&] { ++moved; }, [&] { ++refreshed; }};
  ResetCalculator(e, &pos, &hooks);
  EXPECT_EQ(pos.left, 0);
  EXPECT_EQ(pos.top, 0);
  EXPECT_EQ(moved + refreshed, 2);
}

}  // namespace
}  // namespace vxc
