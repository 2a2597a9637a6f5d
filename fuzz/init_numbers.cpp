// Set-up of every fuzz target, before its first input: the number layer
// as both front-ends set it up at start.
#include "engine.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  vxc::InitNumbers();
  return 0;
}
