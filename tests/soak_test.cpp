// A million random keys across every mode, key, pasted text and mode
// switch: no broken state. In the sanitizer build a leak or an invalid
// access fails it too. How long the keys take is bench/bench_random_keys.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "key_driver.h"

namespace vxc::testing_keys {
namespace {

TEST(Soak, MillionRandomKeys) {
  const long keys = std::getenv("VXC_SOAK_KEYS") ? std::atol(std::getenv("VXC_SOAK_KEYS")) : 1000000;
  std::mt19937_64 random(20261206);
  Driver driver;
  std::string paste;
  for (long i = 0; i < keys; ++i) {
    // Mostly commands; now and then random bytes as the clipboard.
    uint32_t code = static_cast<uint32_t>(random());
    // An error locks every key but CLX: clear it often enough that most
    // keys act on a live calculator.
    if (driver.engine.state.errorShown && code % 3 == 0) code = 25;  // CLX

    paste.clear();
    if (code % 50 == 0) {
      const size_t length = random() % 64;
      for (size_t k = 0; k < length; ++k) paste += static_cast<char>(random());
    }
    const CalcState before = driver.engine.state;
    const uint32_t action = code % kActionCount;
    driver.Act(code, paste);
    const char* rule = BrokenRule(driver.engine.state);
    ASSERT_EQ(rule, nullptr) << "key " << i << " (action " << action << "): " << rule << "\nX " << before.stackX
                             << " -> " << driver.engine.state.stackX << " in base " << before.base;
    // Every step goes back to exactly the state before it and forward
    // again (the options aside, which no step records).
    const bool isStep = action < kActionCount - 2 && action != kEngineCommands.size() + kRadioChoices.size() + 1;  // not undo, redo or the reset
    if (i % 16 == 0 && isStep && CanUndo(driver.engine)) {
      CalcState after = driver.engine.state;
      CalcState was = before;
      was.language = after.language;
      was.errorAlarm = after.errorAlarm;
      was.xPanel = after.xPanel;
      if (!(was == after)) {
        ASSERT_TRUE(Undo(driver.engine));
        ASSERT_EQ(driver.engine.state, was) << "key " << i << " (action " << action << ")";
        ASSERT_TRUE(Redo(driver.engine));
        ASSERT_EQ(driver.engine.state, after) << "key " << i;
      }
    }
    // Composing into the frame that was shown gives what composing afresh
    // gives (the frame keeps lines of unchanged registers).
    if (driver.composed && i % 4 == 0) {
      CalcState copy = driver.engine.state;
      const DisplayFrame fresh = Refresh(copy, driver.lastMark.formatEntry);
      ASSERT_EQ(driver.frame.lines, fresh.lines) << "key " << i;
      ASSERT_EQ(driver.frame.fontPixels, fresh.fontPixels) << "key " << i;
      ASSERT_EQ(driver.frame.digitCounts, fresh.digitCounts) << "key " << i;
      ASSERT_EQ(driver.frame.panel, fresh.panel) << "key " << i;
    }
  }
}

}  // namespace
}  // namespace vxc::testing_keys
