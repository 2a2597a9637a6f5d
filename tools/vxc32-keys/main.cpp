// vxc32-keys: the calculator engine driven from a terminal or a script.
//
//   vxc32-keys [--dump] [--strict] [--settings FILE] [--tape FILE] [KEY ...]
//
// With KEY arguments the keys are pressed in order and the display (or the
// whole state with --dump) is printed once. Without them, each line of
// standard input holds keys; the display is printed after each line.
// Exit status: 0, or 2 for a bad command line or an unknown key argument;
// 1 when standard output cannot be written or standard input cannot be
// read; with --strict, 1 also when the run ends with an error message
// shown, a settings save failed or a line held an unknown key.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "display.h"
#include "engine.h"
#include "keys.h"
#include "languages.h"
#include "line_reader.h"
#include "shared_save.h"
#include "tape_file.h"

namespace {

using vxc::keys::Key;
using vxc::keys::KeyKind;

struct Session {
  vxc::Engine engine;
  vxc::DisplayFrame frame;
  vxc::WindowPosition position;
  long beeps = 0;
  bool dump = false;
  bool saveFailed = false;
  vxc::SharedSettings settings;  // an empty path: no settings file
  std::string tapePath;          // empty: no tape file
  std::string printBuffer;   // kept from line to line

  Session() {
    engine.out.beep = [this] { ++beeps; };
  }

  // Writes what this run changed; what another program saved meanwhile
  // stays. The tape is saved with the settings.
  void Save(vxc::SaveScope scope = vxc::SaveScope::kChanged) {
    std::string reason;
    if (!settings.path.empty() &&
        vxc::SaveSharedSettings(settings, engine.state, position, scope, &reason) != vxc::SaveOutcome::kSaved) {
      std::cerr << "vxc32-keys: settings not saved: " << reason << '\n';
      saveFailed = true;
    }
    if (tapePath.empty()) return;
    vxc::ComposeTape(engine);
    if (!vxc::SaveTape(tapePath, engine.tape, &reason)) {
      std::cerr << "vxc32-keys: tape not saved: " << reason << '\n';
      saveFailed = true;
    }
  }

  // The TAPE key: the tape so far, one line each.
  void PrintTape() {
    vxc::ComposeTape(engine);
    std::string out;
    for (const std::string& line : engine.tape.lines) out.append("tape=").append(line).append("\n");
    std::cout << out;
  }

  // "&Initialize": the reset with a window, then the settings saved at once.
  void Initialize() {
    vxc::ResetWindowHooks window;
    window.refresh = [this] { vxc::MarkDisplayStale(engine); };
    vxc::ResetCalculator(engine, &position, &window);
    Save(vxc::SaveScope::kEverything);
  }

  void Copy() {
    vxc::RefreshIfStale(engine, frame);  // the X line as it shows now
    std::cout << "copy=" << vxc::CopyText(frame, engine.state) << '\n';
  }

  void CopyFull() {
    vxc::RefreshIfStale(engine, frame);  // the integer modes copy the X line
    std::cout << "copy=" << vxc::CopyFullText(frame, engine.state) << '\n';
  }

  // A command id as the window passes it: the window keeps copy, paste and
  // the menu commands for itself; other interface ids do nothing here.
  void WindowCommand(vxc::CommandId id) {
    namespace cmd = vxc::cmd;
    if (const vxc::Language* language = vxc::LanguageOfItem(id)) {
      engine.state.language = language->code;
      return;
    }
    switch (id) {
      case cmd::kCopy: Copy(); return;
      case cmd::kCopyFull: CopyFull(); return;
      case cmd::kUndo: vxc::Undo(engine); return;
      case cmd::kRedo: vxc::Redo(engine); return;
      case cmd::kPaste: return;  // no clipboard text here
      case cmd::kErrorAlarm: vxc::ToggleErrorAlarm(engine); return;
      case cmd::kXPanel: engine.state.xPanel = !engine.state.xPanel; return;
      case cmd::kZoomIn: engine.state.zoom = vxc::ZoomStep(engine.state.zoom, 1); return;
      case cmd::kZoomOut: engine.state.zoom = vxc::ZoomStep(engine.state.zoom, -1); return;
      case cmd::kZoomReset: engine.state.zoom = vxc::kZoomMin; return;
      case cmd::kThemeLight:
      case cmd::kThemeDark:
      case cmd::kThemeSystem: engine.state.theme = id - cmd::kThemeLight; return;
      case cmd::kInitialize: Initialize(); return;
      case cmd::kTape: PrintTape(); return;
      case cmd::kTapeClear: vxc::ClearTape(engine); return;
      case cmd::kTapeCopy:
      case cmd::kTapeSaveAs: return;  // no clipboard or file dialog here
      default: vxc::Dispatch(engine, id); return;
    }
  }

  void Press(const Key& key) {
    switch (key.kind) {
      case KeyKind::kCommands:
        for (vxc::CommandId id : key.commands) vxc::Dispatch(engine, id);
        break;
      case KeyKind::kWindowCommand: WindowCommand(key.value); break;
      case KeyKind::kBase: vxc::SelectBase(engine, key.value); break;
      case KeyKind::kAngle: vxc::SelectAngle(engine, key.value); break;
      case KeyKind::kDisplay: vxc::SelectDisplayFormat(engine, key.value); break;
      case KeyKind::kRange: vxc::SetRange(engine, key.value); break;
      case KeyKind::kMemory: vxc::SelectMemory(engine, key.value); break;
      case KeyKind::kBit: vxc::FlipBit(engine, key.value); break;
      case KeyKind::kLanguage: engine.state.language = key.value; break;
      case KeyKind::kPaste: vxc::PasteEntry(engine, key.text); break;
    }
  }

  void PrintDump() const {
    const vxc::CalcState& s = engine.state;
    static const char* const kLineNames[] = {"T", "Z", "Y", "X"};
    std::string out;
    auto line = [&out](const std::string& name, const std::string& value) { out += name + "=" + value + "\n"; };
    auto flag = [](bool b) { return std::string(b ? "1" : "0"); };
    for (int i = 0; i < 4; ++i) {
      line(kLineNames[i], frame.lines[i].main);
      line(std::string(kLineNames[i]) + ".exp", frame.lines[i].exponent);
    }
    line("font", std::to_string(frame.fontPixels));
    line("keypad", frame.xIsError ? "error" : "normal");
    line("digits", frame.digitCounts[0] + "," + frame.digitCounts[1] + "," + frame.digitCounts[2]);
    // The X panel, whether or not the window shows it.
    const vxc::PanelText panel = vxc::ComposePanel(s);
    if (panel.kind == vxc::PanelKind::kInteger) {
      for (int i = 0; i < vxc::kPanelRowCount; ++i) line(std::string("panel.") + vxc::kPanelRowNames[i].key, std::string(panel.rows[i].view()));
    } else if (panel.kind == vxc::PanelKind::kReal) {
      line("panel.full", panel.full);
    }
    line("stackX", s.stackX);
    line("stackY", s.stackY);
    line("stackZ", s.stackZ);
    line("stackT", s.stackT);
    line("lastX", s.lastX);
    line("entryText", s.entryText);
    line("exponentText", s.exponentText);
    line("errorShown", flag(s.errorShown));
    line("errorText", s.errorText);
    line("entryTyped", flag(s.entryTyped));
    line("liftDisabled", flag(s.liftDisabled));
    line("exponentEntry", flag(s.exponentEntry));
    line("xComplete", flag(s.xComplete));
    line("base", std::to_string(s.base));
    line("angle", std::to_string(s.angle));
    line("display", std::to_string(s.display));
    line("range", std::to_string(s.range));
    line("memoryIndex", std::to_string(s.memoryIndex));
    line("language", std::to_string(s.language));
    line("errorAlarm", flag(s.errorAlarm));
    line("xPanel", flag(s.xPanel));
    for (int i = 0; i < vxc::kMemoryCount; ++i) line("realMemory" + std::to_string(i), s.realMemory[i]);
    for (int i = 0; i < vxc::kMemoryCount; ++i) line("intMemory" + std::to_string(i), s.intMemory[i]);
    line("beeps", std::to_string(beeps));
    line("tape.lines", std::to_string(engine.tape.lines.size()));
    std::cout << out;
  }

  // The four lines for people: label, value right-aligned, exponent.
  void PrintDisplay() {
    static const char* const kLabels[] = {"T", "Z", "Y", "X"};
    size_t width = 24, expWidth = 0;
    for (const auto& l : frame.lines) {
      width = std::max(width, l.main.size());
      expWidth = std::max(expWidth, l.exponent.size());
    }
    std::string& out = printBuffer;  // the four rows, written at once
    out.clear();
    for (int i = 0; i < 4; ++i) {
      const auto& l = frame.lines[i];
      out.append(kLabels[i]).append(width - l.main.size() + 1, ' ').append(l.main);
      if (expWidth > 0) out.append(expWidth - l.exponent.size() + 2, ' ').append(l.exponent);
      out += '\n';
    }
    std::cout << out;
  }

  // Composes the display once for all the keys since the last print.
  void Print() {
    vxc::RefreshIfStale(engine, frame);
    // The tape is composed where it is read: here for the dump's line
    // count, otherwise at TAPE and at the save, so that a plain run pays
    // only for noting the steps.
    if (dump) vxc::ComposeTape(engine, &frame);
    if (dump) {
      PrintDump();
    } else {
      PrintDisplay();
    }
  }
};

// The blank-separated words of `line`, into `words` (whose strings are reused).
void SplitBlanks(const std::string& line, std::vector<std::string>& words) {
  size_t count = 0;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    size_t j = i;
    while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '\r') ++j;
    if (j > i) {
      if (count == words.size()) words.emplace_back();
      words[count++].assign(line, i, j - i);
    }
    i = j;
  }
  words.resize(count);
}

// Reads key names, remembering each one read: a script says the same few
// keys over and over. The memory is emptied between lines once it holds
// many names. A paste is no name: it is read afresh into storage that the
// line's pastes reuse.
class KeyReader {
 public:
  // Parses every token first, so that an unknown key presses nothing.
  bool ParseAll(const std::vector<std::string>& tokens, std::vector<const Key*>& keys) {
    if (known_.size() > kMaxKnown) known_.clear();
    pastesUsed_ = 0;
    bool ok = true;
    for (const std::string& token : tokens) {
      const Key* key = Read(token);
      if (key == nullptr) {
        std::cerr << "vxc32-keys: unknown key '" << vxc::keys::Printable(token) << "'\n";
        ok = false;
        continue;
      }
      keys.push_back(key);
    }
    return ok;
  }

 private:
  static constexpr size_t kMaxKnown = 1024;
  const Key* Read(const std::string& token) {
    if (vxc::keys::IsPasteToken(token)) {
      if (pastesUsed_ == pastes_.size()) pastes_.emplace_back();
      Key& key = pastes_[pastesUsed_++];
      return vxc::keys::ReadPasteKey(token, key) ? &key : nullptr;
    }
    if (auto it = known_.find(token); it != known_.end()) return &it->second;
    auto key = vxc::keys::ParseKey(token);
    if (!key) return nullptr;
    return &known_.emplace(token, std::move(*key)).first->second;
  }
  std::unordered_map<std::string, Key> known_;
  std::deque<Key> pastes_;  // a deque: the keys read before stay where they are
  size_t pastesUsed_ = 0;
};

// The command-line options, one row each; the usage text is made from them.
enum class Option { kHelp, kVersion, kDump, kStrict, kSettings, kTape };

struct OptionDef {
  std::string_view name;
  Option option;
  const char* argument;  // nullptr: takes none
  const char* help;      // nullptr: an alias, not listed
};

constexpr OptionDef kOptions[] = {
    {"--dump", Option::kDump, nullptr, "print the whole state, one name=value line each"},
    {"--settings", Option::kSettings, "FILE", "read the settings from FILE at the start, save them at the end"},
    {"--tape", Option::kTape, "FILE", "read the tape from FILE at the start, save it with the settings"},
    {"--strict", Option::kStrict, nullptr, "exit status 1 when an error shows at the end, a save fails or a key is unknown"},
    {"--help", Option::kHelp, nullptr, "print this help and exit (also -h)"},
    {"-h", Option::kHelp, nullptr, nullptr},
    {"--version", Option::kVersion, nullptr, "print the version and exit"},
};

void PrintUsage(std::ostream& out) {
  out << "usage: vxc32-keys [--dump] [--strict] [--settings FILE] [--tape FILE] [KEY ...]\n"
         "Drives the VXC32 calculator from the command line or standard input.\n\n";
  for (const OptionDef& o : kOptions) {
    if (o.help == nullptr) continue;
    std::string left = "  " + std::string(o.name) + (o.argument != nullptr ? std::string(" ") + o.argument : "");
    out << left << std::string(left.size() < 20 ? 20 - left.size() : 1, ' ') << o.help << '\n';
  }
  out << "\nWithout KEY arguments each line of standard input holds keys. See vxc32-keys(1).\n";
}

const OptionDef* FindOption(std::string_view arg) {
  for (const OptionDef& o : kOptions) {
    if (o.name == arg) return &o;
  }
  return nullptr;
}

// Anything that starts with '-' but is not the subtract key is an option.
bool LooksLikeOption(std::string_view arg) { return arg.size() > 1 && arg[0] == '-'; }

// The end of a run: standard output written out, or status 1 and a word
// on standard error (a full disk, /dev/full).
int Finish(int status) {
  std::cout.flush();
  if (std::cout) return status;
  std::cerr << "vxc32-keys: cannot write standard output\n";
  return 1;
}

// Standard input that can be read: open, and not a folder.
bool InputReadable() {
  struct stat st {};
  return fstat(STDIN_FILENO, &st) == 0 && !S_ISDIR(st.st_mode);
}

int BadCommandLine(const std::string& message) {
  std::cerr << "vxc32-keys: " << message << '\n';
  PrintUsage(std::cerr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  Session session;
  bool strict = false;
  std::vector<std::string> tokens;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!LooksLikeOption(arg)) {
      tokens.push_back(arg);
      continue;
    }
    const OptionDef* def = FindOption(arg);
    if (def == nullptr) return BadCommandLine("unknown option '" + arg + "'");
    switch (def->option) {
      case Option::kHelp: PrintUsage(std::cout); return Finish(0);
      case Option::kVersion: std::cout << "vxc32-keys " VXC_VERSION "\n"; return Finish(0);
      case Option::kDump: session.dump = true; break;
      case Option::kStrict: strict = true; break;
      case Option::kSettings:
        if (++i == argc) return BadCommandLine("--settings needs a file name");
        session.settings.path = argv[i];
        break;
      case Option::kTape:
        if (++i == argc) return BadCommandLine("--tape needs a file name");
        session.tapePath = argv[i];
        break;
    }
  }
  // What the run ends with, as the exit status.
  bool unknownKey = false, inputFailed = false;
  auto finish = [&] {
    session.Save();
    if (inputFailed) std::cerr << "vxc32-keys: cannot read standard input\n";
    const bool failed = session.engine.state.errorShown || session.saveFailed || unknownKey;
    return Finish(inputFailed || (strict && failed) ? 1 : 0);
  };

  vxc::InitNumbers();
  if (!session.settings.path.empty()) vxc::LoadSharedSettings(session.settings, session.engine.state, session.position);
  if (!session.tapePath.empty()) vxc::LoadTape(session.tapePath, session.engine.tape);
  session.frame = vxc::Refresh(session.engine.state, false);

  KeyReader reader;
  if (!tokens.empty()) {
    std::vector<const Key*> keys;
    if (!reader.ParseAll(tokens, keys)) return 2;
    for (const Key* key : keys) session.Press(*key);
    session.Print();
    return finish();
  }

  inputFailed = !InputReadable();
  const bool interactive = isatty(STDIN_FILENO) != 0;
  // Into a pipe or a file the output is buffered and written at the end; a
  // terminal sees each line at once, and the prompt before each read.
  const bool flushEachLine = interactive || isatty(STDOUT_FILENO) != 0;
  if (!flushEachLine) std::cin.tie(nullptr);  // a read would flush standard output
  // With a terminal at both ends the lines are edited, with history and
  // completion, and the editor shows the prompt.
  const std::unique_ptr<vxc::keys::LineEditor> editor = vxc::keys::OpenLineEditor();
  const char* const prompt = editor ? "" : "> ";
  if (interactive) {
    std::cout << "Type keys separated by blanks, e.g. 7 ENTER 2 -; 'help' lists the key names"
              << (editor ? "; Tab completes them" : "") << "; Ctrl-D ends.\n";
    session.Print();
    std::cout << '\n' << prompt << std::flush;
  }
  auto readLine = [&editor](std::string& text) {
    return editor ? editor->Read(text) : static_cast<bool>(std::getline(std::cin, text));
  };
  std::string line;
  std::vector<std::string> words;
  std::vector<const Key*> keys;
  while (readLine(line)) {
    const size_t first = line.find_first_not_of(" \t");
    const bool comment = first != std::string::npos && line[first] == '#';
    SplitBlanks(line, words);
    keys.clear();
    if (interactive && words.size() == 1 && (words[0] == "help" || words[0] == "?")) {
      std::cout << vxc::keys::WrapNames(vxc::keys::KeyNames());
      std::cout << '\n';
    } else if (!comment && reader.ParseAll(words, keys)) {
      for (const Key* key : keys) session.Press(*key);
      session.Print();
      std::cout << '\n';
    } else if (!comment) {
      unknownKey = true;
    }
    if (interactive) std::cout << prompt;
    if (flushEachLine) std::cout << std::flush;
  }
  inputFailed = inputFailed || std::cin.bad();
  return finish();
}
