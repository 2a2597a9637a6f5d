// Where the window opens: the saved place, unless that leaves too little
// of the window's top edge on every screen to grab it by.
#include <algorithm>
#include <limits>

#include "settings.h"

namespace vxc {

WindowPosition PlaceOnScreens(WindowPosition saved, int32_t width, int32_t height,
                              const std::vector<ScreenArea>& screens) {
  // 64-bit sums: a hand-edited position may sit at the end of the 32-bit range.
  const int64_t left = saved.left, top = saved.top;
  for (const ScreenArea& s : screens) {
    const int64_t shown = std::min<int64_t>(left + width, int64_t{s.left} + s.width) - std::max<int64_t>(left, s.left);
    if (top >= s.top && top < int64_t{s.top} + s.height && shown >= kMinVisibleTopEdge) return saved;
  }
  // The nearest place where the whole window is on one screen (at its
  // top-left corner when the window is larger than the screen).
  WindowPosition best = saved;
  int64_t bestDistance = std::numeric_limits<int64_t>::max();
  for (const ScreenArea& s : screens) {
    const int64_t x = std::clamp<int64_t>(left, s.left, std::max<int64_t>(s.left, int64_t{s.left} + s.width - width));
    const int64_t y = std::clamp<int64_t>(top, s.top, std::max<int64_t>(s.top, int64_t{s.top} + s.height - height));
    const int64_t distance = std::max(x - left, left - x) + std::max(y - top, top - y);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = WindowPosition{static_cast<int32_t>(x), static_cast<int32_t>(y)};
    }
  }
  return best;
}

}  // namespace vxc
