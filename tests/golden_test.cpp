// Keystroke cases run through vxc32-keys.
//
// tests/cases/*.cases hold tables of cases: a line "keys: KEY ..." (the
// arguments of vxc32-keys --dump), optionally "settings: NAME" (a file
// under tests/cases/ copied to a fresh settings file first), then the
// expected "name=value" lines of the dump, up to a blank line; a line
// "!name" says the dump has no such field.
// tests/golden/*.keys are standard-input scripts whose whole output must
// equal the .dump file beside them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct KeyCase {
  std::string name;  // file:line
  std::string keys;
  std::string settings;
  std::vector<std::pair<std::string, std::string>> expected;
  std::vector<std::string> absent;
};

// Failures name the keys of the case rather than its bytes.
void PrintTo(const KeyCase& c, std::ostream* os) { *os << "keys:" << c.keys; }

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::vector<KeyCase> LoadCases() {
  std::vector<KeyCase> cases;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(VXC_CASES_DIR)) {
    if (entry.path().extension() == ".cases") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    std::istringstream in(ReadFile(file));
    std::string line;
    int number = 0;
    KeyCase* current = nullptr;
    while (std::getline(in, line)) {
      ++number;
      if (line.empty()) {
        current = nullptr;
        continue;
      }
      if (line[0] == '#') continue;
      if (line.rfind("keys:", 0) == 0) {
        cases.push_back({file.stem().string() + "_" + std::to_string(number), line.substr(5), "", {}, {}});
        current = &cases.back();
      } else if (current && line.rfind("settings:", 0) == 0) {
        current->settings = line.substr(line.find_first_not_of(' ', 9));
      } else if (current && line[0] == '!') {
        current->absent.push_back(line.substr(1));
      } else if (current && line.find('=') != std::string::npos) {
        const size_t eq = line.find('=');
        current->expected.emplace_back(line.substr(0, eq), line.substr(eq + 1));
      }
    }
  }
  return cases;
}

struct RunResult {
  std::string out;
  int status = -1;
};

RunResult RunKeys(const std::string& arguments, const std::string& input) {
  const fs::path inputFile = fs::temp_directory_path() / ("vxc-keys-in-" + std::to_string(getpid()));
  { std::ofstream(inputFile, std::ios::binary) << input; }
  const std::string command = std::string("'") + VXC_KEYS_PATH + "' " + arguments + " < '" + inputFile.string() + "' 2>&1";
  RunResult result;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  fs::remove(inputFile);
  return result;
}

std::map<std::string, std::string> ParseDump(const std::string& out) {
  std::map<std::string, std::string> fields;
  std::istringstream in(out);
  std::string line;
  while (std::getline(in, line)) {
    const size_t eq = line.find('=');
    if (eq != std::string::npos) fields[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return fields;
}

// Quotes each key for the shell; keys are separated by blanks.
std::string ShellArguments(const std::string& keys) {
  std::istringstream in(keys);
  std::string token, out;
  while (in >> token) out += " '" + token + "'";
  return out;
}

class KeyCases : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyCases, DumpHasExpectedFields) {
  const KeyCase& c = GetParam();
  std::string arguments = "--dump";
  fs::path settingsFile;
  if (!c.settings.empty()) {
    settingsFile = fs::temp_directory_path() / ("vxc-keys-ini-" + std::to_string(getpid()));
    fs::copy_file(fs::path(VXC_CASES_DIR) / c.settings, settingsFile, fs::copy_options::overwrite_existing);
    arguments += " --settings '" + settingsFile.string() + "'";
  }
  const RunResult run = RunKeys(arguments + ShellArguments(c.keys), "");
  if (!settingsFile.empty()) fs::remove(settingsFile);
  ASSERT_EQ(run.status, 0) << run.out;
  const auto fields = ParseDump(run.out);
  for (const auto& [name, value] : c.expected) {
    auto it = fields.find(name);
    ASSERT_NE(it, fields.end()) << "no field " << name;
    EXPECT_EQ(it->second, value) << "field " << name << " after keys:" << c.keys;
  }
  for (const std::string& name : c.absent) EXPECT_EQ(fields.count(name), 0u) << "field " << name << " after keys:" << c.keys;
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyCases, testing::ValuesIn(LoadCases()),
                         [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST(GoldenScripts, WholeOutputMatches) {
  const fs::path dir = fs::path(VXC_CASES_DIR).parent_path() / "golden";
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() != ".keys") continue;
    fs::path expected = entry.path();
    expected.replace_extension(".dump");
    const RunResult run = RunKeys("--dump", ReadFile(entry.path()));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, ReadFile(expected)) << entry.path();
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

TEST(KeysContract, StandardInputSkipsBadLinesAndComments) {
  const RunResult run = RunKeys("--dump", "# a comment\n5 ENTER\n7 BOGUS\n3 +\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("vxc32-keys: unknown key 'BOGUS'"), std::string::npos);
  // Two dumps: after "5 ENTER" and after "3 +"; the bad line pressed nothing.
  size_t dumps = 0;
  for (size_t at = run.out.find("stackX="); at != std::string::npos; at = run.out.find("stackX=", at + 1)) ++dumps;
  EXPECT_EQ(dumps, 2u);
  EXPECT_NE(run.out.find("stackX=8\n"), std::string::npos);
}

}  // namespace
