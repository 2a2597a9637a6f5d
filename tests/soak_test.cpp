// A million random keys across every mode, key, pasted text and mode
// switch: no broken state, no key slower than a millisecond. In the
// sanitizer build a leak or an invalid access fails it too.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>

#include "key_driver.h"

namespace vxc::testing_keys {
namespace {

TEST(Soak, MillionRandomKeys) {
  const long keys = std::getenv("VXC_SOAK_KEYS") ? std::atol(std::getenv("VXC_SOAK_KEYS")) : 1000000;
  std::mt19937_64 random(20261206);
  Driver driver;
  double slowest = 0;
  uint32_t slowestAction = 0;
  std::string paste;
  const auto start = std::chrono::steady_clock::now();
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
    const auto keyStart = std::chrono::steady_clock::now();
    driver.Act(code, paste);
    double micros = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - keyStart).count();
    if (micros > kKeyBudgetMicros) micros = ActionMicros(before, code, paste);
    if (micros > slowest) {
      slowest = micros;
      slowestAction = code % kActionCount;
    }
    const char* rule = BrokenRule(driver.engine.state);
    ASSERT_EQ(rule, nullptr) << "key " << i << " (action " << code % kActionCount << "): " << rule << "\nX " << before.stackX
                             << " -> " << driver.engine.state.stackX << "\nY " << before.stackY << " -> "
                             << driver.engine.state.stackY << "\nZ " << driver.engine.state.stackZ << "\nT " << driver.engine.state.stackT
                             << "\nLastX " << driver.engine.state.lastX << "\nbase " << before.base;
    ASSERT_LT(micros, kKeyBudgetMicros) << "key " << i << " (action " << code % kActionCount << ")";
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  printf("soak: %ld keys in %.1f s, %.0f keys/s, slowest key %.0f us (action %u)\n", keys, seconds, keys / seconds,
         slowest, slowestAction);
}

}  // namespace
}  // namespace vxc::testing_keys
