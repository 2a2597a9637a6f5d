// Integer modes: BASE and RANGE switches, integer arithmetic, bit keys.
#include "integer.h"
#include "ops.h"

namespace vxc {

void IntegerArithmetic(Engine& e, CommandId id) {
  (void)e;
  (void)id;
}

void BitOperation(Engine& e, CommandId id) {
  (void)e;
  (void)id;
}

void SelectBase(Engine& e, uint32_t base) {
  (void)e;
  (void)base;
}

void SetRange(Engine& e, uint32_t range) {
  (void)e;
  (void)range;
}

}  // namespace vxc
