#include "line_reader.h"

#ifndef VXC_HAVE_LIBEDIT

namespace vxc::keys {
std::unique_ptr<LineEditor> OpenLineEditor() { return nullptr; }  // built without libedit
}  // namespace vxc::keys

#else

#include <histedit.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <vector>

#include "completion.h"
#include "history.h"
#include "keys.h"

namespace vxc::keys {
namespace {

bool g_dropped = false;  // Ctrl-C was typed: the line read is not one to press

char* Prompt(EditLine*) {
  static char prompt[] = "> ";
  return prompt;
}

// Tab: completes the key name before the cursor, or lists what it may become.
unsigned char CompleteKeyName(EditLine* el, int) {
  const LineInfo* info = el_line(el);
  const std::string_view before(info->buffer, static_cast<size_t>(info->cursor - info->buffer));
  if (info->cursor != info->lastchar && *info->cursor != ' ' && *info->cursor != '\t') return CC_ERROR;
  const size_t blank = before.find_last_of(" \t");
  const Completion completion = CompleteWord(before.substr(blank == std::string_view::npos ? 0 : blank + 1));
  if (!completion.insert.empty()) {
    return el_insertstr(el, completion.insert.c_str()) == 0 ? CC_REFRESH : CC_ERROR;
  }
  if (completion.choices.empty()) return CC_ERROR;
  std::fputs(("\n" + WrapNames(completion.choices)).c_str(), stdout);
  return CC_REDISPLAY;
}

// While a line is edited, Ctrl-C and Ctrl-Z are keys rather than signals, so
// that they come in order with the keys typed before them.

// Ctrl-C: shows ^C after the line and ends it, to be dropped.
unsigned char DropLine(EditLine* el, int) {
  const LineInfoW* line = el_wline(el);
  el_cursor(el, static_cast<int>(line->lastchar - line->cursor));
  el_insertstr(el, "^C");
  el_push(el, "\n");
  g_dropped = true;
  return CC_REFRESH;
}

// Ctrl-Z: stops the program as the terminal would; libedit restores the
// terminal meanwhile and redraws the line when it goes on.
unsigned char Suspend(EditLine*, int) {
  kill(0, SIGTSTP);
  return CC_NORM;
}

class LibeditEditor : public LineEditor {
 public:
  LibeditEditor() : path_(HistoryPath()) {
    std::setlocale(LC_CTYPE, "");  // characters beyond ASCII are edited whole
    history_ = history_init();
    HistEvent event;
    history(history_, &event, H_SETSIZE, static_cast<int>(kHistoryLines));
    std::string reason;
    readFailed_ = !ReadHistory(path_, lines_, reason);
    if (readFailed_) std::cerr << "vxc32-keys: history not read: " << reason << '\n';
    Show();

    el_ = el_init("vxc32-keys", stdin, stdout, stderr);
    el_set(el_, EL_EDITOR, "emacs");
    el_set(el_, EL_SIGNAL, 1);  // libedit restores the terminal on Ctrl-Z and follows a resize
    el_set(el_, EL_PROMPT, Prompt);
    el_set(el_, EL_HIST, history, history_);
    // The wide form keeps these static names; the narrow one copies them and never frees the copies.
    el_wset(el_, EL_ADDFN, L"vxc-complete", L"Complete a key name", CompleteKeyName);
    el_set(el_, EL_BIND, "^I", "vxc-complete", nullptr);
    el_wset(el_, EL_ADDFN, L"vxc-drop-line", L"Drop the line being typed", DropLine);
    el_set(el_, EL_BIND, "^C", "vxc-drop-line", nullptr);
    el_wset(el_, EL_ADDFN, L"vxc-suspend", L"Stop the program", Suspend);
    el_set(el_, EL_BIND, "^Z", "vxc-suspend", nullptr);
    el_set(el_, EL_SETTY, "-d", "-isig", nullptr);
    el_source(el_, nullptr);  // the user's ~/.editrc
    std::signal(SIGINT, SIG_IGN);  // a Ctrl-C between two lines does nothing
  }

  ~LibeditEditor() override {
    el_end(el_);
    history_end(history_);
    std::signal(SIGINT, SIG_DFL);
  }

  bool Read(std::string& line) override {
    std::cout.flush();
    for (;;) {
      g_dropped = false;
      int count = 0;
      const char* text = el_gets(el_, &count);
      if (g_dropped) continue;
      if (text != nullptr && count > 0) {
        line.assign(text, static_cast<size_t>(count));
        if (line.back() == '\n') line.pop_back();
        Add(line);
        return true;
      }
      if (count < 0 && errno == EINTR) {
        std::fputs("\n", stdout);  // a signal sent from elsewhere: a new line starts
        continue;
      }
      std::fputs("\n", stdout);  // Ctrl-D leaves the cursor after the prompt
      Save();
      return false;
    }
  }

 private:
  void Add(const std::string& line) {
    AddToHistory(lines_, line);
    if (lines_.empty() || lines_.back() != line) return;  // a blank line is left out
    typed_.push_back(line);
    Show();
  }

  // libedit's history, as the lines are now (a line typed again moves to the end).
  void Show() {
    HistEvent event;
    history(history_, &event, H_CLEAR);
    for (const std::string& line : lines_) history(history_, &event, H_ENTER, line.c_str());
  }

  void Save() {
    if (readFailed_) return;  // reported already; a file that cannot be read is not replaced
    std::string reason;
    if (!SaveHistory(path_, typed_, reason)) std::cerr << "vxc32-keys: history not saved: " << reason << '\n';
    typed_.clear();
  }

  std::string path_;
  std::vector<std::string> lines_;  // oldest first
  std::vector<std::string> typed_;  // this run's lines, for the file
  bool readFailed_ = false;
  History* history_ = nullptr;
  EditLine* el_ = nullptr;
};

}  // namespace

std::unique_ptr<LineEditor> OpenLineEditor() {
  if (isatty(STDIN_FILENO) == 0 || isatty(STDOUT_FILENO) == 0) return nullptr;
  return std::make_unique<LibeditEditor>();
}

}  // namespace vxc::keys

#endif
