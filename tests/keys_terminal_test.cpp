// vxc32-keys typed into a pseudo-terminal: editing, recalling a line, Tab,
// Ctrl-C, and the history file between runs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// The X line of the display for `value`.
std::string XLine(const std::string& value) { return "X" + std::string(25 - value.size(), ' ') + value; }

std::string ReadAll(const fs::path& file) {
  std::ostringstream text;
  text << std::ifstream(file).rdbuf();
  return text.str();
}

// The tool on a terminal of its own, its state folder `state`.
class Terminal {
 public:
  explicit Terminal(const fs::path& state) {
    winsize size{24, 80, 0, 0};
    pid_ = forkpty(&fd_, nullptr, nullptr, &size);
    if (pid_ == 0) {
      setenv("XDG_STATE_HOME", state.c_str(), 1);
      setenv("HOME", state.c_str(), 1);  // no ~/.editrc
      setenv("TERM", "xterm", 1);
      execl(VXC_KEYS_PATH, "vxc32-keys", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~Terminal() { close(fd_); }

  // Waits for `text` in what the terminal shows after the last text waited for.
  bool Shows(const std::string& text) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (;;) {
      if (size_t at = screen_.find(text, mark_); at != std::string::npos) {
        mark_ = at + text.size();
        return true;
      }
      pollfd p{fd_, POLLIN, 0};
      char buf[4096];
      ssize_t got = 0;
      if (std::chrono::steady_clock::now() > end || poll(&p, 1, 100) < 0 ||
          (p.revents != 0 && (got = read(fd_, buf, sizeof buf)) <= 0)) {
        ADD_FAILURE() << "the terminal does not show '" << text << "': " << screen_.substr(mark_);
        return false;
      }
      screen_.append(buf, static_cast<size_t>(std::max<ssize_t>(got, 0)));
    }
  }

  // Waits until the editor reads, types `keys` and waits for `expected`.
  bool Type(const std::string& keys, const std::string& expected) {
    for (int i = 0; i < 2000 && !Editing(); ++i) usleep(10000);
    return write(fd_, keys.data(), keys.size()) == static_cast<ssize_t>(keys.size()) && Shows(expected);
  }

  // Ctrl-D; the exit status.
  int End() {
    if (!Type("\x04", "")) return -1;
    char buf[4096];
    for (ssize_t got; (got = read(fd_, buf, sizeof buf)) > 0;) screen_.append(buf, static_cast<size_t>(got));
    int status = 0;
    waitpid(pid_, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string screen_;

 private:
  // The editor reads key by key: a key typed before would be taken by the line discipline.
  bool Editing() {
    termios mode{};
    const int slave = open(ptsname(fd_), O_RDWR | O_NOCTTY);
    const bool raw = slave >= 0 && tcgetattr(slave, &mode) == 0 && (mode.c_lflag & ICANON) == 0;
    if (slave >= 0) close(slave);
    return raw;
  }

  pid_t pid_ = -1;
  int fd_ = -1;
  size_t mark_ = 0;
};

class KeysTerminal : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(state_ / "Ostrano/VXC"); }
  void TearDown() override { fs::remove_all(state_); }
  fs::path state_ = fs::temp_directory_path() / ("vxc-terminal-" + std::to_string(getpid()));
  fs::path history_ = state_ / "Ostrano/VXC/keys_history";
};

TEST_F(KeysTerminal, EditsRecallsCompletesAndKeepsTheLines) {
  Terminal t(state_);
  ASSERT_TRUE(t.Type("7 ENTER 2 -\r", XLine("5.00")));
  // Up brings the line back, Backspace and + edit it, Tab completes "sq".
  ASSERT_TRUE(t.Type("\x1b[A\x7f+ sq\t\r", XLine("3.00")));
  ASSERT_TRUE(t.Type("99", "99"));
  ASSERT_TRUE(t.Type("\x03", "> "));  // Ctrl-C drops "99"
  ASSERT_TRUE(t.Type("1 +\r", XLine("4.00")));
  EXPECT_EQ(t.End(), 0);
  EXPECT_EQ(ReadAll(history_), "7 ENTER 2 -\n7 ENTER 2 + sqrt \n1 +\n");
}

// The newest 1,000 lines are kept, each once, without blank lines.
TEST_F(KeysTerminal, HistoryFromAnEarlierRunIsRecalledAndBounded) {
  std::string file, kept;
  for (int n = 0; n < 1100; ++n) file += std::to_string(n) + " ENTER\n";
  for (int n = 102; n < 1100; ++n) kept += std::to_string(n) + " ENTER\n";
  std::ofstream(history_) << file << "\n  \n9 SQRT\n5 ENTER\n";
  Terminal t(state_);
  ASSERT_TRUE(t.Type("\x1b[A\x1b[A\r", XLine("3.00")));
  EXPECT_EQ(t.End(), 0);
  EXPECT_EQ(ReadAll(history_), kept + "5 ENTER\n9 SQRT\n");
}

// A folder that cannot be made, a file that cannot be read: told once, the calculator goes on.
TEST_F(KeysTerminal, HistoryThatCannotBeKeptIsReportedOnce) {
  const struct { bool fileForFolder; const char* told; } kRows[] = {
      {true, "history not saved"}, {false, "history not read"}};
  for (const auto& row : kRows) {
    fs::remove_all(state_ / "Ostrano/VXC/keys_history");
    std::ofstream(state_ / "plain") << "x";
    if (!row.fileForFolder) fs::create_directory(history_);
    Terminal t(row.fileForFolder ? state_ / "plain" : state_);
    ASSERT_TRUE(t.Type("2 ENTER 3 +\r", XLine("5.00")));
    EXPECT_EQ(t.End(), 0);
    const size_t at = t.screen_.find(row.told);
    EXPECT_TRUE(at != std::string::npos && t.screen_.find("vxc32-keys: history", at) == std::string::npos) << t.screen_;
  }
}

}  // namespace
