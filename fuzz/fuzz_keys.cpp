// Random key sequences through Dispatch and Refresh: after every key the
// registers hold numbers, the flags agree with each other, and no key
// takes more than a millisecond.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "key_driver.h"

using namespace vxc::testing_keys;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Driver driver;
  for (size_t i = 0; i < size; ++i) {
    const vxc::CalcState before = driver.engine.state;
    const auto start = std::chrono::steady_clock::now();
    driver.Act(data[i]);
    const double micros = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    if (const char* rule = BrokenRule(driver.engine.state)) {
      fprintf(stderr, "broken after key %zu (action %u): %s\n", i, data[i] % kActionCount, rule);
      abort();
    }
    if (micros > kKeyBudgetMicros && ActionMicros(before, data[i]) > kKeyBudgetMicros) {
      fprintf(stderr, "key %zu (action %u) took %.0f us\n", i, data[i] % kActionCount, micros);
      abort();
    }
  }
  return 0;
}
