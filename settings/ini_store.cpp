#include "ini_store.h"

#include <utility>

namespace vxc {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  s = TrimLeft(s);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Names match without regard to ASCII case only, as the profile functions do.
std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string KeyId(uint32_t section, std::string_view key) {
  std::string id(reinterpret_cast<const char*>(&section), sizeof section);
  return id + Lower(key);
}

// A value or name must stay on its own line.
std::string_view OneLine(std::string_view s) { return s.substr(0, s.find_first_of("\r\n")); }

std::string_view TextOf(const IniStore& ini, const IniLine& line) {
  if (line.owned >= 0) return ini.owned[line.owned];
  return std::string_view(ini.source).substr(line.start, line.length);
}

std::string_view EolText(uint8_t eol) { return eol == kEolCrLf ? "\r\n" : eol == kEolLf ? "\n" : ""; }

uint32_t AddOwnedLine(IniStore& ini, std::string text, bool added) {
  IniLine line;
  line.owned = static_cast<int32_t>(ini.owned.size());
  line.eol = ini.eol;
  line.added = added;
  ini.owned.push_back(std::move(text));
  ini.lines.push_back(line);
  return static_cast<uint32_t>(ini.lines.size() - 1);
}

}  // namespace

void IniParse(IniStore& ini, std::string text) {
  ini = IniStore{};
  if (text.size() > kMaxFileSize) return;  // offsets are 32-bit; the loader never gets here
  ini.source = std::move(text);
  std::string_view src = ini.source;

  bool eolKnown = false;
  bool lastIsSpan = false;
  // Keys before the first header belong to no section and are never read.
  IniSection* current = nullptr;
  bool firstOfName = false;
  std::size_t pos = 0;
  while (pos < src.size()) {
    std::size_t nl = src.find('\n', pos);
    std::size_t end = nl == std::string_view::npos ? src.size() : nl;
    uint8_t eol = kEolNone;
    if (nl != std::string_view::npos) {
      if (end > pos && src[end - 1] == '\r') --end;
      eol = end < nl ? kEolCrLf : kEolLf;
      if (!eolKnown) ini.eol = eol;
      eolKnown = true;
    }
    std::string_view t = src.substr(pos, end - pos);
    if (pos == 0 && t.substr(0, kBom.size()) == kBom) t.remove_prefix(kBom.size());
    t = TrimLeft(t);

    bool header = false, key = false;
    std::size_t mark = std::string_view::npos;  // ']' of a header, '=' of a key
    if (!t.empty() && t.front() == '[') {
      mark = t.rfind(']');
      header = mark != std::string_view::npos;  // a broken header is kept, not used
    } else if (!t.empty() && t.front() != ';' && t.front() != '#' && current != nullptr) {
      mark = t.find('=');
      key = mark != std::string_view::npos;
    }

    if (!header && !key && lastIsSpan) {
      // Comments, blank lines and other text are only ever copied: one entry per run.
      IniLine& span = ini.lines.back();
      span.length = static_cast<uint32_t>(end - span.start);
      span.eol = eol;
    } else {
      IniLine line;
      line.start = static_cast<uint32_t>(pos);
      line.length = static_cast<uint32_t>(end - pos);
      line.eol = eol;
      ini.lines.push_back(line);
    }
    lastIsSpan = !header && !key;
    uint32_t index = static_cast<uint32_t>(ini.lines.size() - 1);
    if (header) {
      auto [it, isNew] = ini.sections.try_emplace(Lower(Trim(t.substr(1, mark - 1))));
      if (isNew) it->second = IniSection{index, index};
      current = &it->second;  // map nodes stay put when the map grows
      firstOfName = isNew;
    } else if (key) {
      // A later duplicate of a section adds its keys; the first key of a name wins.
      ini.keys.try_emplace(KeyId(current->id, Trim(t.substr(0, mark))), index);
      if (firstOfName) current->anchor = index;  // new keys go after the last one here
    }
    pos = nl == std::string_view::npos ? src.size() : nl + 1;
  }
}

FileReadResult IniLoadFile(IniStore& ini, const std::string& path) {
  std::string data;
  FileReadResult r = ReadWholeFile(path, data);
  if (r != FileReadResult::kLoaded) data.clear();
  IniParse(ini, std::move(data));
  return r;
}

std::string IniGet(const IniStore& ini, std::string_view section, std::string_view key,
                   std::string_view fallback) {
  auto sec = ini.sections.find(Lower(section));
  if (sec == ini.sections.end()) return std::string(fallback);
  auto k = ini.keys.find(KeyId(sec->second.id, key));
  if (k == ini.keys.end()) return std::string(fallback);
  std::string_view line = TextOf(ini, ini.lines[k->second]);
  std::string_view value = line.substr(line.find('=') + 1);
  value = Trim(value.substr(0, value.find('\0')));
  return std::string(value.substr(0, kIniMaxValue));
}

void IniSet(IniStore& ini, std::string_view section, std::string_view key, std::string_view value) {
  section = OneLine(section);
  key = OneLine(key);
  value = OneLine(value);

  std::string secName = Lower(section);
  auto sec = ini.sections.find(secName);
  if (sec == ini.sections.end()) {
    std::string header = "[";
    header.append(section).append("]");
    uint32_t at = AddOwnedLine(ini, std::move(header), false);  // end of the file
    sec = ini.sections.try_emplace(std::move(secName), IniSection{at, at}).first;
  }

  std::string id = KeyId(sec->second.id, key);
  auto k = ini.keys.find(id);
  if (k != ini.keys.end()) {
    // Keep the person's spelling of the key and the spacing around '='.
    IniLine& line = ini.lines[k->second];
    std::string_view old = TextOf(ini, line);
    std::size_t start = old.find('=') + 1;
    while (start < old.size() && (old[start] == ' ' || old[start] == '\t')) ++start;
    std::string text(old.substr(0, start));
    text.append(value);
    if (line.owned >= 0) {
      ini.owned[line.owned] = std::move(text);
    } else {
      line.owned = static_cast<int32_t>(ini.owned.size());
      ini.owned.push_back(std::move(text));
    }
    return;
  }

  std::string text(key);
  text.append("=").append(value);
  uint32_t at = AddOwnedLine(ini, std::move(text), true);
  ini.followers[sec->second.anchor].push_back(at);
  ini.keys.emplace(std::move(id), at);
}

std::string IniText(const IniStore& ini) {
  std::string out;
  out.reserve(ini.source.size() + 1024);
  bool open = false;  // the last line written had no line end
  auto put = [&](const IniLine& line) {
    if (open) out += EolText(ini.eol);
    out += TextOf(ini, line);
    out += EolText(line.eol);
    open = line.eol == kEolNone;
  };
  for (std::size_t i = 0; i < ini.lines.size(); ++i) {
    if (ini.lines[i].added) continue;
    put(ini.lines[i]);
    auto f = ini.followers.find(static_cast<uint32_t>(i));
    if (f == ini.followers.end()) continue;
    for (uint32_t j : f->second) put(ini.lines[j]);
  }
  return out;
}

}  // namespace vxc
