// The names table: every command and radio choice has a token, a spoken
// name and a tooltip in each menu language, and vxc32-keys reads each token
// as that action.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "command_names.h"
#include "command_table.h"
#include "completion.h"
#include "keys.h"

namespace vxc {
namespace {

using keys::KeyKind;

// The radio groups: how many choices each has, and what the tool reads a choice's token as.
const struct { ActionKind kind; uint32_t count; KeyKind key; } kGroups[] = {
    {ActionKind::kBase, 5, KeyKind::kBase}, {ActionKind::kAngle, 3, KeyKind::kAngle},
    {ActionKind::kDisplay, 3, KeyKind::kDisplay}, {ActionKind::kRange, 4, KeyKind::kRange},
    {ActionKind::kMemory, 10, KeyKind::kMemory}};

TEST(CommandNames, EveryRowIsCompleteAndItsTokenPressesIt) {
  std::set<std::string_view> tokens, spoken;
  for (const ActionName& row : kActionNames) {
    SCOPED_TRACE(std::string(row.token));
    EXPECT_TRUE(tokens.insert(row.token).second) << "token used twice";
    EXPECT_TRUE(spoken.insert(row.spoken).second) << "spoken name used twice";
    for (std::string_view tip : row.tip) EXPECT_FALSE(tip.empty());
    // Tokens are read case-insensitively, so each is stored in upper case.
    for (char c : row.token) EXPECT_FALSE(c >= 'a' && c <= 'z');

    const auto key = keys::ParseKey(row.token);
    ASSERT_TRUE(key.has_value());
    KeyKind want = FindCommand(row.action.value) ? KeyKind::kCommands : KeyKind::kWindowCommand;
    for (const auto& g : kGroups) want = g.kind == row.action.kind ? g.key : want;
    EXPECT_EQ(key->kind, want);
    if (want == KeyKind::kCommands) EXPECT_EQ(key->commands, std::vector<CommandId>{row.action.value});
    else EXPECT_EQ(key->value, row.action.value);
  }
}

TEST(CommandNames, EveryEngineCommandAndRadioChoiceIsNamed) {
  for (const CommandRow& row : kCommandTable) {
    for (CommandId id = row.first; id <= row.last; ++id) EXPECT_NE(FindActionName(CommandAction(id)), nullptr) << id;
  }
  for (CommandId id : {cmd::kCopy, cmd::kCopyFull, cmd::kPaste, cmd::kUndo, cmd::kRedo, cmd::kErrorAlarm,
                       cmd::kInitialize, cmd::kKeyboardHelp})
    EXPECT_NE(FindActionName(CommandAction(id)), nullptr) << id;
  for (const auto& g : kGroups) {
    for (uint32_t v = 0; v < g.count; ++v) EXPECT_NE(FindActionName(Action{g.kind, v}), nullptr) << int(g.kind) << " " << v;
    EXPECT_EQ(FindActionName(Action{g.kind, g.count}), nullptr);
  }
}

// Tab offers every token of the table, and a word that already is a key keeps its meaning.
TEST(CommandNames, TabCompletesTheTokensAndKeepsWhatAWordMeans) {
  for (const ActionName& row : kActionNames) {
    const std::string word(row.token.substr(0, row.token.size() - 1));
    const keys::Completion tab = keys::CompleteWord(word);
    const bool listed = std::count(tab.choices.begin(), tab.choices.end(), row.token) == 1;
    EXPECT_TRUE(listed || (!tab.insert.empty() && (std::string(row.token) + " ").starts_with(word + tab.insert))) << row.token;
  }
  const struct { const char* word; const char* insert; std::vector<std::string> choices; } kRows[] = {
      {"BASE=", "", {"BASE=BIN", "BASE=DEC", "BASE=HEX", "BASE=OCT", "BASE=REAL"}}, {"base=h", "ex ", {}},
      {"Ang", "LE=", {}}, {"LN", " ", {}}, {"PAST", "E", {}}, {"QQ", "", {}}, {"AB", "", {"AB", "ABOUT", "ABS"}}};
  for (const auto& row : kRows) {
    const keys::Completion tab = keys::CompleteWord(row.word);
    EXPECT_TRUE(tab.insert == row.insert && tab.choices == row.choices) << row.word;
  }
}

}  // namespace
}  // namespace vxc
