// The menu languages: the code the state and the settings file keep, the
// menu item that chooses it and the menus' text column. The one place that
// maps these to each other.
#pragma once

#include <array>
#include <cstdint>

#include "calc_state.h"
#include "command_ids.h"

namespace vxc {

struct Language {
  uint32_t code;   // LanguageCode
  CommandId item;  // the Language menu item
  int column;      // the menus' text column
};

inline constexpr std::array<Language, 4> kLanguages = {{
    {kLangEnglish, cmd::kLangEnglish, 0},
    {kLangJapanese, cmd::kLangJapanese, 1},
    {kLangChinese, cmd::kLangChinese, 2},
    {kLangEsperanto, cmd::kLangEsperanto, 3},
}};

// The row of language code `code`, or nullptr for an unknown code.
constexpr const Language* LanguageOfCode(uint32_t code) {
  for (const Language& language : kLanguages) {
    if (language.code == code) return &language;
  }
  return nullptr;
}

// The row of menu item `id`, or nullptr when `id` chooses no language.
constexpr const Language* LanguageOfItem(CommandId id) {
  for (const Language& language : kLanguages) {
    if (language.item == id) return &language;
  }
  return nullptr;
}

}  // namespace vxc
