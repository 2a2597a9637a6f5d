// Keystroke cases run through vxc32-keys.
//
// tests/cases/*.cases hold tables of cases: a line "keys: KEY ..." (the
// arguments of vxc32-keys --dump; KEY{n} for n presses), optionally
// "settings: NAME" (a file under tests/cases/ copied to a fresh settings
// file first), then the expected "name=value" lines of the dump, up to a
// blank line; a line "!name" says the dump has no such field. A name given
// n times (tape=) must be the last n lines of that name, in order.
// tests/golden/*.keys are standard-input scripts whose whole output, standard
// error included, must equal the .dump file beside them (bad_line.keys: a
// line with an unknown key is skipped with a message, comments are skipped).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
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
  return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<KeyCase> LoadCases() {
  std::vector<KeyCase> cases;
  std::set<fs::path> files;
  for (const auto& entry : fs::directory_iterator(VXC_CASES_DIR))
    if (entry.path().extension() == ".cases") files.insert(entry.path());
  for (const fs::path& file : files) {
    std::istringstream in(ReadFile(file));
    std::string line;
    KeyCase* current = nullptr;
    for (int number = 1; std::getline(in, line); ++number) {
      const size_t eq = line.find('=');
      if (line.empty()) current = nullptr;
      else if (line.rfind("keys:", 0) == 0)
        current = &cases.emplace_back(file.stem().string() + "_" + std::to_string(number), line.substr(5));
      else if (current == nullptr || line[0] == '#') continue;
      else if (line.rfind("settings:", 0) == 0) current->settings = line.substr(line.find_first_not_of(' ', 9));
      else if (line[0] == '!') current->absent.push_back(line.substr(1));
      else if (eq != std::string::npos) current->expected.emplace_back(line.substr(0, eq), line.substr(eq + 1));
    }
  }
  return cases;
}

// Runs vxc32-keys with `arguments` (shell words) and standard input from `input`; returns the exit status
// and what it wrote to standard output and standard error.
std::pair<int, std::string> RunKeys(const std::string& arguments, const fs::path& input = "/dev/null") {
  const std::string command = std::string("'") + VXC_KEYS_PATH + "' " + arguments + " < '" + input.string() + "' 2>&1";
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {-1, out};
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

class KeyCases : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyCases, DumpHasExpectedFields) {
  const KeyCase& c = GetParam();
  std::string arguments = "--dump";
  const fs::path settings = testing::TempDir() + "vxc-keys-" + std::to_string(getpid()) + ".ini";
  if (!c.settings.empty()) {
    fs::copy_file(fs::path(VXC_CASES_DIR) / c.settings, settings, fs::copy_options::overwrite_existing);
    arguments += " --settings '" + settings.string() + "'";
  }
  std::istringstream keys(c.keys);
  for (std::string key; keys >> key;) {  // quoted for the shell; KEY{n} is n presses of KEY
    const size_t brace = key.find('{');
    for (int n = brace == std::string::npos ? 1 : std::stoi(key.substr(brace + 1)); n > 0; --n) arguments += " '" + key.substr(0, brace) + "'";
  }
  const auto [status, out] = RunKeys(arguments);
  fs::remove(settings);
  fs::remove(settings.string() + ".lock");
  ASSERT_EQ(status, 0) << out;
  std::map<std::string, std::vector<std::string>> fields, wanted;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);)
    if (const size_t eq = line.find('='); eq != std::string::npos) fields[line.substr(0, eq)].push_back(line.substr(eq + 1));
  for (const auto& [name, value] : c.expected) wanted[name].push_back(value);
  for (const auto& [name, values] : wanted) {
    const std::vector<std::string>& got = fields[name];
    ASSERT_GE(got.size(), values.size()) << "too few fields " << name << "\n" << out;
    EXPECT_EQ(std::vector<std::string>(got.end() - ptrdiff_t(values.size()), got.end()), values)
        << "field " << name << " after keys:" << c.keys;
  }
  for (const std::string& name : c.absent) EXPECT_EQ(fields.count(name), 0u) << "field " << name << " after keys:" << c.keys;
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyCases, testing::ValuesIn(LoadCases()),
                         [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST(GoldenScripts, WholeOutputMatches) {
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(VXC_CASES_DIR).parent_path() / "golden")) {
    if (entry.path().extension() != ".keys") continue;
    const auto [status, out] = RunKeys("--dump", entry.path());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out, ReadFile(fs::path(entry.path()).replace_extension(".dump"))) << entry.path();
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
