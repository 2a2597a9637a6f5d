#include "keys.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <utility>

#include "command_names.h"
#include "command_table.h"

namespace vxc::keys {
namespace {

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::optional<CommandId> TypedCharacter(char c) {
  if (c >= '0' && c <= '9') return cmd::kDigit0 + static_cast<CommandId>(c - '0');
  if (c >= 'A' && c <= 'F') return cmd::kLetterA + static_cast<CommandId>(c - 'A');
  if (c == '.') return cmd::kPoint;
  return std::nullopt;
}

std::optional<uint32_t> SmallNumber(std::string_view text) {
  uint32_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

Key Commands(std::vector<CommandId> ids) {
  Key key;
  key.commands = std::move(ids);
  return key;
}

Key Valued(KeyKind kind, uint32_t value) {
  Key key;
  key.kind = kind;
  key.value = value;
  return key;
}

// The key of a named action: engine commands are pressed through Dispatch,
// the commands the window keeps for itself go the window's way.
Key KeyOf(Action action) {
  switch (action.kind) {
    case ActionKind::kCommand:
      return FindCommand(action.value) != nullptr ? Commands({action.value}) : Valued(KeyKind::kWindowCommand, action.value);
    case ActionKind::kBase: return Valued(KeyKind::kBase, action.value);
    case ActionKind::kAngle: return Valued(KeyKind::kAngle, action.value);
    case ActionKind::kDisplay: return Valued(KeyKind::kDisplay, action.value);
    case ActionKind::kRange: return Valued(KeyKind::kRange, action.value);
    case ActionKind::kMemory: return Valued(KeyKind::kMemory, action.value);
  }
  return Commands({});
}

}  // namespace

namespace {

constexpr std::string_view kPastePrefix = "PASTE=";

// DecodeEscapes into `out`, whose storage is reused.
bool DecodeEscapesInto(std::string_view text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t plain = std::min(text.find('\\', i), text.size());
    out.append(text, i, plain - i);  // a run without escapes goes in at once
    i = plain;
    if (i == text.size()) break;
    if (++i == text.size()) return false;
    switch (text[i]) {
      case '\\': out += '\\'; break;
      case 's': out += ' '; break;
      case 't': out += '\t'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 'x': {
        if (i + 2 >= text.size()) return false;
        unsigned value = 0;
        auto [end, ec] = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
        if (ec != std::errc() || end != text.data() + i + 3) return false;
        out += static_cast<char>(value);
        i += 2;
        break;
      }
      default: return false;
    }
  }
  return true;
}

}  // namespace

std::optional<std::string> DecodeEscapes(std::string_view text) {
  std::string out;
  if (!DecodeEscapesInto(text, out)) return std::nullopt;
  return out;
}

bool IsPasteToken(std::string_view token) {
  if (token.size() < kPastePrefix.size()) return false;
  for (size_t i = 0; i < kPastePrefix.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(token[i])) != kPastePrefix[i]) return false;
  }
  return true;
}

bool ReadPasteKey(std::string_view token, Key& key) {
  key.kind = KeyKind::kPaste;
  key.commands.clear();
  key.value = 0;
  return DecodeEscapesInto(token.substr(kPastePrefix.size()), key.text);
}

std::vector<std::string> KeyNames() {
  std::vector<std::string> names = {"0..9", "A..F"};
  std::vector<std::string> radioForms;  // "BASE=REAL|DEC|HEX|OCT|BIN"
  for (const ActionName& row : kActionNames) {
    const std::string token(row.token);
    if (row.action.kind == ActionKind::kCommand) {
      if (token.size() != 1 || !TypedCharacter(token[0])) names.push_back(token);
      continue;
    }
    if (row.action.kind == ActionKind::kMemory) continue;  // MEM=0..9 below
    const size_t equals = token.find('=');
    const std::string group = token.substr(0, equals + 1);
    if (radioForms.empty() || radioForms.back().rfind(group, 0) != 0) {
      radioForms.push_back(token);
    } else {
      radioForms.back() += "|" + token.substr(equals + 1);
    }
  }
  names.insert(names.end(), radioForms.begin(), radioForms.end());
  for (const char* form : {"MEM=0..9", "BIT=0..63", "LANG=0|1|2|4", "PASTE=text", "#n"}) names.emplace_back(form);
  return names;
}

std::string WrapNames(const std::vector<std::string>& names) {
  std::string out, line;
  for (const std::string& name : names) {
    if (!line.empty() && line.size() + 1 + name.size() > 78) {
      out += line + '\n';
      line.clear();
    }
    line += (line.empty() ? "" : " ") + name;
  }
  if (!line.empty()) out += line + '\n';
  return out;
}

std::string Printable(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    // A UTF-8 sequence of 2 to 4 bytes for a character from U+00A0 on, shown as it is.
    size_t length = byte >= 0xF0 && byte <= 0xF4 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC2 ? 2 : 1;
    if (length > 1 && byte < 0xF5 && i + length <= text.size() &&
        std::all_of(text.begin() + i + 1, text.begin() + i + length, [](char c) { return (c & 0xC0) == 0x80; }) &&
        !(byte == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0)) {
      out.append(text, i, length);
      i += length;
      continue;
    }
    if (byte < 0x20 || byte >= 0x7F) {
      static const char kHex[] = "0123456789abcdef";
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += static_cast<char>(byte);
    }
    ++i;
  }
  return out;
}

std::optional<Key> ParseKey(std::string_view token) {
  if (token.empty()) return std::nullopt;
  if (IsPasteToken(token)) {
    Key key;
    if (!ReadPasteKey(token, key)) return std::nullopt;
    return key;
  }
  const std::string upper = Upper(token);

  if (const ActionName* named = FindActionToken(upper)) return KeyOf(named->action);

  const size_t equals = upper.find('=');
  if (equals != std::string::npos) {
    const std::string_view name = std::string_view(upper).substr(0, equals);
    const std::string_view word = std::string_view(upper).substr(equals + 1);
    const auto number = SmallNumber(word);
    if (name == "MEM" && number && *number <= 9) return Valued(KeyKind::kMemory, *number);  // MEM=03 too
    if (name == "BIT" && number) return Valued(KeyKind::kBit, *number);  // outside the word: nothing happens
    if (name == "LANG" && number && (*number <= 2 || *number == 4)) return Valued(KeyKind::kLanguage, *number);
    return std::nullopt;
  }

  if (upper[0] == '#') {
    const auto id = SmallNumber(std::string_view(upper).substr(1));
    if (!id) return std::nullopt;
    return Valued(KeyKind::kWindowCommand, *id);
  }

  // A run of digits, A-F and points is typed one character per key.
  std::vector<CommandId> typed;
  for (char c : upper) {
    const auto id = TypedCharacter(c);
    if (!id) return std::nullopt;
    typed.push_back(*id);
  }
  return Commands(std::move(typed));
}

}  // namespace vxc::keys
