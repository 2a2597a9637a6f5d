#include "completion.h"

#include <algorithm>
#include <cctype>

#include "command_names.h"
#include "keys.h"
#include "languages.h"

namespace vxc::keys {
namespace {

// Every name Tab may complete to: the table's tokens and the starts of the
// NAME=VALUE keys whose values are no table rows.
std::vector<std::string> CompletableNames() {
  std::vector<std::string> names;
  for (const ActionName& row : kActionNames) names.emplace_back(row.token);
  for (const Language& language : kLanguages) names.push_back("LANG=" + std::to_string(language.code));
  names.emplace_back("BIT=");
  names.emplace_back("PASTE=");
  std::sort(names.begin(), names.end());
  return names;
}

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

}  // namespace

Completion CompleteWord(std::string_view word) {
  static const std::vector<std::string> kNames = CompletableNames();
  std::string upper(word);
  bool anyLower = false, anyUpper = false;
  for (char& c : upper) {
    const auto byte = static_cast<unsigned char>(c);
    anyLower = anyLower || std::islower(byte);
    anyUpper = anyUpper || std::isupper(byte);
    c = static_cast<char>(std::toupper(byte));
  }
  Completion out;
  for (const std::string& name : kNames) {
    if (StartsWith(name, upper) && name != upper) out.choices.push_back(name);
  }
  if (ParseKey(word)) {
    if (out.choices.empty()) {
      out.insert = " ";
    } else {
      out.choices.insert(out.choices.begin(), upper);
    }
    return out;
  }
  if (out.choices.empty()) return out;
  // The longest start every choice shares.
  std::string common = out.choices.front();
  for (const std::string& name : out.choices) {
    common.resize(std::mismatch(common.begin(), common.end(), name.begin(), name.end()).first - common.begin());
  }
  out.insert = common.substr(upper.size());
  if (anyLower && !anyUpper) {
    for (char& c : out.insert) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  if (out.choices.size() == 1) {
    if (out.choices[0].back() != '=') out.insert += ' ';
    out.choices.clear();
  } else if (!out.insert.empty()) {
    out.choices.clear();
  }
  return out;
}

}  // namespace vxc::keys
