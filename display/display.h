// The display: register texts and modes turned into the texts of the four
// display lines, the digit-count boxes and the font size. Pure functions of
// CalcState; writing the frame into widgets is the front-end's job.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc_state.h"
#include "engine.h"

namespace vxc {

// Main text (value box) and exponent text (exponent box) of one line.
struct LineText {
  std::string main;
  std::string exponent;
  bool operator==(const LineText&) const = default;
};

enum LineIndex { kLineT = 0, kLineZ = 1, kLineY = 2, kLineX = 3 };

// The X panel: X in every integer reading, or X with all its digits in REAL.
enum PanelRow { kPanelHex = 0, kPanelDec = 1, kPanelUdec = 2, kPanelOct = 3, kPanelBin = 4 };
inline constexpr int kPanelRowCount = 5;

// Names of the integer rows: the dump's key (panel.<key>), the window's
// label and what a screen reader says.
struct PanelRowName {
  const char* key;
  const char* label;
  const char* spoken;
};
inline constexpr std::array<PanelRowName, kPanelRowCount> kPanelRowNames = {{
    {"hex", "HEX", "Hexadecimal"},
    {"dec", "DEC", "Decimal, signed"},
    {"udec", "UDEC", "Decimal, unsigned"},
    {"oct", "OCT", "Octal"},
    {"bin", "BIN", "Binary"},
}};

enum class PanelKind : uint8_t { kEmpty, kInteger, kReal };

// One integer row: at most 64 characters, held inline so that composing the
// panel allocates nothing.
class PanelRowText {
 public:
  void Assign(std::string_view text) {
    size_ = static_cast<uint8_t>(std::min(text.size(), chars_.size()));
    std::copy_n(text.data(), size_, chars_.data());
  }
  std::string_view view() const { return {chars_.data(), size_}; }
  bool operator==(std::string_view other) const { return view() == other; }
  bool operator==(const PanelRowText& other) const { return view() == other.view(); }

 private:
  std::array<char, 64> chars_;  // only the first size_ are ever read
  uint8_t size_ = 0;
};

struct PanelText {
  PanelKind kind = PanelKind::kEmpty;  // empty while an error shows
  // Integer modes: X's word in HEX, DEC signed, DEC unsigned, OCT and BIN;
  // digits only, BIN padded with zeros to the word size.
  std::array<PanelRowText, kPanelRowCount> rows;
  int wordBits = 0;
  std::string full;  // REAL: the canonical text of X's value
  bool operator==(const PanelText&) const = default;
};

// What the REAL lines of a frame were composed from, so that composing
// again keeps a line whose register text and format are unchanged, and
// moves one whose text moved to another register (a lift, a drop, a roll).
// Not part of what is shown.
struct RegisterLineMemo {
  bool valid = false;
  uint32_t display = 0;
  int digits = 0;
  std::array<std::string, 4> texts;  // T, Z, Y, X
  LineText x;                        // X's register, whatever the X line shows
  std::array<LineText, 4> previousLines;  // lines that move, while composing
  // What the digit-count boxes were written from; none yet.
  std::array<int32_t, 3> digitCounts{INT32_MIN, INT32_MIN, INT32_MIN};
  bool panelEmpty = true;                          // the panel is PanelText{} (off)
  bool xLineIsX = false;                           // the X line holds `x`, not an entry or an error
};

struct DisplayFrame {
  std::array<LineText, 4> lines;  // T, Z, Y, X
  int fontPixels = 24;            // 24, 18 or 10
  bool xIsError = false;          // X shows the message (red); keypad greyed, mode groups disabled
  std::array<std::string, 3> digitCounts;  // FIX, SCI, ENG boxes
  PanelText panel;                         // composed only while the panel is on
  RegisterLineMemo memo;
};

// Font sizes of the display lines, by the longest text.
inline constexpr int kFontNormal = 24;
inline constexpr int kFontSmall = 18;
inline constexpr int kFontTiny = 10;

// Rebuilds the whole display from the state. In the integer modes the
// rounded texts of T, Z, Y and X are written back into the registers. The
// X panel is composed too while `state.xPanel` is on.
DisplayFrame Refresh(CalcState& state, bool formatEntry);
// The same into `frame`, reusing its storage and the lines it already
// holds for unchanged registers.
void RefreshInto(CalcState& state, bool formatEntry, DisplayFrame& frame);

// The front-ends' one composition per shown state: composes `frame` when
// the engine marked the display stale, and clears the mark. Returns whether
// it composed.
bool RefreshIfStale(Engine& engine, DisplayFrame& frame);

// The X panel for the state as it stands: X's word (an entry by its value)
// in the integer modes, X's canonical text in REAL, nothing during an error.
PanelText ComposePanel(const CalcState& state);
// The same into a fresh `panel` (the refresh's own frame, no copy).
void ComposePanelInto(const CalcState& state, PanelText& panel);


// One register text in the current modes. The integer branch writes the
// rounded text back into `text`.
LineText FormatRegister(std::string& text, const CalcState& state);

// REAL formatting in FIX, SCI or ENG with `digits` decimals.
LineText FormatReal(std::string_view text, uint32_t display, int digits);
// Integer formatting in DEC, HEX, OCT or BIN under the word size.
LineText FormatInteger(std::string& text, uint32_t base, uint32_t range);

// (mantissa, "e" + signed exponent) with the mantissa in [1, 10).
std::pair<std::string, std::string> SplitScientific(std::string_view text);
// The same with the mantissa in [1, 1000) and the exponent a multiple of 3.
std::pair<std::string, std::string> SplitEngineering(std::string_view text);
// Commas between groups of three integer digits.
std::string GroupThousands(std::string_view text);

// The text Copy places on the clipboard: the X line as displayed, with "e"
// and the exponent when there is one; empty while an error shows.
std::string CopyText(const DisplayFrame& frame, const CalcState& state);

// The text Copy Full Precision places. REAL: the whole value of X without
// grouping, so that Paste gives back the same register: the typed number
// during an entry (mantissa, "e", exponent), else X's own text. The
// integer modes: the same text as CopyText. Empty while an error shows.
std::string CopyFullText(const DisplayFrame& frame, const CalcState& state);

// The tape: composes the steps the engine noted since the last call into
// lines at the end of engine.tape.lines (the oldest dropped beyond
// kTapeLines), and returns how many lines it added. A step gives the number
// keyed for it, as the display formats X, then its name from the names
// table ("7.00 ENTER", "STO 3", "HEX", "FIX 4"); a step that computes X
// adds X as the display shows it, marked "***", or the error's message.
// Given the frame just composed, a result X that frame shows is taken from
// it rather than formatted again.
size_t ComposeTape(Engine& engine, const DisplayFrame* shown = nullptr);

// What a screen reader says for a tape line: the names table's spoken name
// for each command token in it, "result" for the mark.
std::string SpokenTapeLine(std::string_view line);

}  // namespace vxc
