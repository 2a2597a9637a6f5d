// Key names of vxc32-keys and what each one presses.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command_ids.h"

namespace vxc::keys {

enum class KeyKind {
  kCommands,  // one or more engine commands, pressed in order
  kWindowCommand,  // a command the window keeps for itself (COPY, ALARM, "#N" ...)
  kBase,
  kAngle,
  kDisplay,
  kRange,
  kMemory,
  kBit,  // BIT=n: the X panel's bit click
  kLanguage,
  kPaste,
};

struct Key {
  KeyKind kind = KeyKind::kCommands;
  std::vector<CommandId> commands;  // kCommands
  uint32_t value = 0;               // mode code, register, language, id
  std::string text;                 // kPaste: the clipboard bytes
};

// Parses one token; nullopt for an unknown key.
std::optional<Key> ParseKey(std::string_view token);

// Every key name, as `help` lists them: the named keys, then the forms of
// the NAME=VALUE keys.
std::vector<std::string> KeyNames();

// `names` separated by blanks, in lines of at most 78 characters, each
// ending in a newline.
std::string WrapNames(const std::vector<std::string>& names);

// `text` safe to show on a terminal: control characters, DEL and bytes that
// are no UTF-8 text as \xHH (an escape sequence shows as "\x1b[A").
std::string Printable(std::string_view text);

// Decodes the escapes \\ \s \t \n \r \xHH of a PASTE= text.
std::optional<std::string> DecodeEscapes(std::string_view text);

// Whether `token` is a PASTE=text key (any case).
bool IsPasteToken(std::string_view token);
// A PASTE=text token into `key`, reusing the storage of its text; false for
// a text with a bad escape. A script pastes a new number on every line.
bool ReadPasteKey(std::string_view token, Key& key);

}  // namespace vxc::keys
