// Random key sequences through Dispatch and Refresh: after every key the
// registers hold numbers and the flags agree with each other. How long the
// keys take is bench/bench_random_keys.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "key_driver.h"

using namespace vxc::testing_keys;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Driver driver;
  for (size_t i = 0; i < size; ++i) {
    driver.Act(data[i]);
    if (const char* rule = BrokenRule(driver.engine.state)) {
      fprintf(stderr, "broken after key %zu (action %u): %s\n", i, data[i] % kActionCount, rule);
      abort();
    }
  }
  return 0;
}
