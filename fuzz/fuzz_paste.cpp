// Pasted bytes in every BASE: the cleaned text holds only the characters of
// a number, an exponent has at most two digits, and pasting it keeps the
// calculator usable.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "display.h"
#include "engine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (uint32_t base = 0; base <= 4; ++base) {
    const std::string cleaned = vxc::CleanPastedText(text, base);
    // REAL keeps an exponent of more than two digits as "e+" or "e-" and digits.
    if (cleaned.find_first_not_of("-.0123456789ABCDEF") != std::string::npos &&
        (base != vxc::kBaseReal || cleaned.find_first_not_of("-+.0123456789e") != std::string::npos)) {
      abort();
    }
    if (vxc::ReadPastedNumber(text, base).exponent.size() > 3) abort();
    vxc::Engine engine;
    engine.state.base = base;
    vxc::DisplayFrame frame;
    vxc::PasteEntry(engine, text);
    vxc::RefreshIfStale(engine, frame);
    vxc::Dispatch(engine, vxc::cmd::kEnter);
    vxc::RefreshIfStale(engine, frame);
    vxc::Dispatch(engine, vxc::cmd::kAdd);
    vxc::RefreshIfStale(engine, frame);
  }
  return 0;
}
