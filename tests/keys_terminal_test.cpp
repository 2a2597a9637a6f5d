// vxc32-keys typed into a pseudo-terminal: editing, recalling a line, Tab,
// Ctrl-C, and the history file between runs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
namespace fs = std::filesystem;

std::string XLine(const std::string& value) { return "X" + std::string(25 - value.size(), ' ') + value; }

// The tool on a terminal of its own, with its state folder `state`.
class Terminal {
 public:
  explicit Terminal(const fs::path& state) {
    winsize size{24, 80, 0, 0};
    if ((pid_ = forkpty(&fd_, nullptr, nullptr, &size)) == 0) {
      setenv("XDG_STATE_HOME", state.c_str(), 1);
      setenv("HOME", state.c_str(), 1);  // no ~/.editrc
      setenv("TERM", "xterm", 1);
      execl(VXC_KEYS_PATH, "vxc32-keys", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~Terminal() { close(fd_); }

  // Waits until the editor reads key by key (a key typed earlier would meet the
  // line discipline), types `keys`, then waits for `expected` after what was seen.
  bool Type(const std::string& keys, const std::string& expected) {
    for (int i = 0; i < 2000 && !Editing(); ++i) usleep(10000);
    if (write(fd_, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) return false;
    for (int i = 0; i < 2000; ++i) {
      if (size_t at = screen_.find(expected, seen_); at != std::string::npos) return seen_ = at + expected.size(), true;
      pollfd p{fd_, POLLIN, 0};
      char buf[4096];
      const ssize_t got = poll(&p, 1, 10) > 0 ? read(fd_, buf, sizeof buf) : 0;
      if (got < 0) break;
      screen_.append(buf, static_cast<size_t>(got));
    }
    ADD_FAILURE() << "the terminal does not show '" << expected << "': " << screen_.substr(seen_);
    return false;
  }

  int End() {  // Ctrl-D; the exit status
    Type("\x04", "");
    char buf[4096];
    for (ssize_t got; (got = read(fd_, buf, sizeof buf)) > 0;) screen_.append(buf, static_cast<size_t>(got));
    int status = 0;
    waitpid(pid_, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string screen_;

 private:
  bool Editing() const {
    termios mode{};
    const int slave = open(ptsname(fd_), O_RDWR | O_NOCTTY);
    const bool raw = tcgetattr(slave, &mode) == 0 && (mode.c_lflag & ICANON) == 0;
    close(slave);
    return raw;
  }
  pid_t pid_ = -1;
  int fd_ = -1;
  size_t seen_ = 0;
};

class KeysTerminal : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(history_.parent_path()); }
  void TearDown() override { fs::remove_all(state_); }
  std::string History() const { return (std::ostringstream() << std::ifstream(history_).rdbuf()).str(); }
  const fs::path state_ = fs::temp_directory_path() / ("vxc-terminal-" + std::to_string(getpid()));
  const fs::path history_ = state_ / "Ostrano/VXC/keys_history";
};

// A session after an earlier run: Up recalls the earlier lines and this
// run's, Backspace and + edit, Tab completes, Ctrl-C drops a line; the newest
// 1,000 lines are kept, each once, without blank lines.
TEST_F(KeysTerminal, RecallsEditsCompletesAndKeepsTheNewestLines) {
  std::string file, kept;
  for (int n = 0; n < 1100; ++n) file += std::to_string(n) + " ENTER\n";
  for (int n = 105; n < 1100; ++n) kept += std::to_string(n) + " ENTER\n";
  std::ofstream(history_) << file << "\n  \n9 SQRT\n5 ENTER\n";
  Terminal t(state_);
  ASSERT_TRUE(t.Type("\x1b[A\x1b[A\r", XLine("3.00")));  // the earlier run's 9 SQRT
  ASSERT_TRUE(t.Type("7 ENTER 2 -\r", XLine("5.00")));
  ASSERT_TRUE(t.Type("\x1b[A\x7f+ sq\t\r", XLine("3.00")));  // 7 ENTER 2 + sqrt
  ASSERT_TRUE(t.Type("99", "99"));
  ASSERT_TRUE(t.Type("\x03", "> "));  // Ctrl-C drops "99"
  ASSERT_TRUE(t.Type("1 +\r", XLine("4.00")));
  EXPECT_EQ(t.End(), 0);
  EXPECT_EQ(History(), kept + "5 ENTER\n9 SQRT\n7 ENTER 2 -\n7 ENTER 2 + sqrt \n1 +\n");
}

// A folder that cannot be made, a history that cannot be read: told once, the calculator goes on.
TEST_F(KeysTerminal, HistoryThatCannotBeKeptIsReportedOnce) {
  std::ofstream(state_ / "plain") << "x";
  fs::create_directory(history_);
  const std::pair<fs::path, std::string> kRows[] = {{state_ / "plain", "history not saved"}, {state_, "history not read"}};
  for (const auto& [state, told] : kRows) {
    Terminal t(state);
    ASSERT_TRUE(t.Type("2 ENTER 3 +\r", XLine("5.00")));
    EXPECT_EQ(t.End(), 0);
    const size_t at = t.screen_.find(told);
    EXPECT_TRUE(at != std::string::npos && t.screen_.find("vxc32-keys: history", at) == std::string::npos) << t.screen_;
  }
  EXPECT_TRUE(fs::is_directory(history_));
}

}  // namespace
