// Tab completion of key names, from the command names table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vxc::keys {

struct Completion {
  std::string insert;                // what Tab types after the word
  std::vector<std::string> choices;  // the names to list when Tab cannot choose
};

// Completes `word`, the text of a key name typed so far. A word that is
// already a key keeps its meaning: it gains at most a blank after it, and the
// longer names it begins are listed. Otherwise the word is extended as far
// as the matching names agree (with a blank after a whole name, none after
// "NAME="), and they are listed when that adds nothing. Lower-case words are
// extended in lower case.
Completion CompleteWord(std::string_view word);

}  // namespace vxc::keys
