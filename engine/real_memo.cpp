#include "real_memo.h"

namespace vxc {

const Real& RealMemo::Read(std::string_view text) {
  if (text.size() > kLongestKept) {
    unkept_ = Real::FromString(text);
    return unkept_;
  }
  Entry* oldest = &entries_[0];
  for (Entry& entry : entries_) {
    if (entry.text == text) {
      entry.lastUse = ++clock_;
      return entry.value;
    }
    if (entry.lastUse < oldest->lastUse) oldest = &entry;
  }
  oldest->text.assign(text);
  oldest->value = Real::FromString(text);
  oldest->lastUse = ++clock_;
  return oldest->value;
}

}  // namespace vxc
