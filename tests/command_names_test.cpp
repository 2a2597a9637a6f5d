// The names table: every command and radio choice has a token, a spoken
// name and a tooltip in each menu language, and vxc32-keys reads each token
// as that action.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "command_names.h"
#include "command_table.h"
#include "keys.h"

namespace vxc {
namespace {

using keys::KeyKind;

KeyKind KindOf(ActionKind kind) {
  switch (kind) {
    case ActionKind::kBase: return KeyKind::kBase;
    case ActionKind::kAngle: return KeyKind::kAngle;
    case ActionKind::kDisplay: return KeyKind::kDisplay;
    case ActionKind::kRange: return KeyKind::kRange;
    case ActionKind::kMemory: return KeyKind::kMemory;
    case ActionKind::kCommand: break;
  }
  return KeyKind::kCommands;
}

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
    const Action a = row.action;
    if (a.kind != ActionKind::kCommand) {
      EXPECT_EQ(key->kind, KindOf(a.kind));
      EXPECT_EQ(key->value, a.value);
    } else if (FindCommand(a.value) != nullptr) {
      EXPECT_EQ(key->kind, KeyKind::kCommands);
      EXPECT_EQ(key->commands, std::vector<CommandId>{a.value});
    } else {
      EXPECT_EQ(key->kind, KeyKind::kWindowCommand);
      EXPECT_EQ(key->value, a.value);
    }
  }
}

TEST(CommandNames, EveryEngineCommandAndRadioChoiceIsNamed) {
  for (const CommandRow& row : kCommandTable) {
    for (CommandId id = row.first; id <= row.last; ++id) EXPECT_NE(FindActionName(CommandAction(id)), nullptr) << id;
  }
  for (CommandId id : {cmd::kCopy, cmd::kCopyFull, cmd::kPaste, cmd::kUndo, cmd::kRedo, cmd::kErrorAlarm,
                       cmd::kInitialize, cmd::kKeyboardHelp})
    EXPECT_NE(FindActionName(CommandAction(id)), nullptr) << id;
  const struct { ActionKind kind; uint32_t count; } groups[] = {
      {ActionKind::kBase, 5}, {ActionKind::kAngle, 3}, {ActionKind::kDisplay, 3}, {ActionKind::kRange, 4}, {ActionKind::kMemory, 10}};
  for (const auto& g : groups) {
    for (uint32_t v = 0; v < g.count; ++v) EXPECT_NE(FindActionName(Action{g.kind, v}), nullptr) << int(g.kind) << " " << v;
    EXPECT_EQ(FindActionName(Action{g.kind, g.count}), nullptr);
  }
}

// What each token does is checked by the case tables that use it; here, the
// forms the tool reads besides the names: any case, typed runs, parameters.
TEST(CommandNames, TheToolReadsTokensInAnyCaseAndItsOtherForms) {
  for (const char* token : {"enter", "base=hex", "St-"}) {
    std::string upper = token;
    for (char& ch : upper) ch = char(std::toupper(static_cast<unsigned char>(ch)));
    const auto lower = keys::ParseKey(token), same = keys::ParseKey(upper);
    ASSERT_TRUE(lower && same) << token;
    EXPECT_TRUE(lower->kind == same->kind && lower->value == same->value && lower->commands == same->commands) << token;
  }
  for (const char* token : {"1.5E3", "FF", "MEM=03", "LANG=4", "PASTE=1e3", "#1005"}) EXPECT_TRUE(keys::ParseKey(token)) << token;
  for (const char* token : {"MEM=10", "BASE=DUO", "RANGE=", "UNDOX", "G"}) EXPECT_FALSE(keys::ParseKey(token)) << token;
}

}  // namespace
}  // namespace vxc
