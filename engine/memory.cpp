// Memory registers, L.C.M. and G.C.D.
#include "ops.h"

namespace vxc {

void MemoryKey(Engine& e, CommandId id) {
  (void)e;
  (void)id;
}

void LcmGcd(Engine& e, CommandId id) {
  (void)e;
  (void)id;
}

}  // namespace vxc
