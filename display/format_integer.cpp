// Integer formatting by base and word size.
#include "decimal_text.h"
#include "display.h"

namespace vxc {

LineText FormatInteger(std::string& text, uint32_t base, uint32_t range) {
  (void)base;
  (void)range;
  text = RoundDigits(text, 0);
  return {text, ""};
}

}  // namespace vxc
