// Loading and writing of the settings files.
#include "settings/settings.h"

#include <windows.h>

#include <functional>

#include "app/app.h"
#include "app/shared_state.h"
#include "settings/settings_format.h"

namespace {

constexpr DWORD kValueBufferSize = 10240;

// Writes a whole settings file through `write` into a file beside `path`, then moves it over
// `path` in one step. When any write fails the new file is dropped and the old one stays.
void ReplaceSettingsFile(const std::string& path, const std::function<bool(const std::string&)>& write) {
  const std::string fresh = path + ".new";
  DeleteFileA(fresh.c_str());
  bool ok = write(fresh);
  // The profile functions may cache a file: flush it before it is moved.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, fresh.c_str());
  if (!ok || !MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(fresh.c_str());
  }
}

void LoadList(const std::string& file, const char* section, std::vector<std::string>& list) {
  int32_t count = settings::IntegerOfText(ReadIniText(file, section, "number", "0"));
  for (int32_t i = 1; i <= count; ++i) {
    std::string value = ReadIniText(file, section, std::to_string(i), "");
    if (value.empty()) continue;
    if (std::optional<std::string> text = settings::LoadedEntry(value)) list.push_back(*text);
  }
}

bool WriteList(const std::string& file, const char* section, const std::vector<ScopeEntry>& entries) {
  bool ok = WriteIniText(file, section, "number", std::to_string(entries.size()));
  for (size_t i = 0; i < entries.size(); ++i) {
    ok = WriteIniText(file, section, std::to_string(i + 1),
                      settings::EntryValue(entries[i].text, entries[i].ticked)) && ok;
  }
  return ok;
}

}  // namespace

std::string SettingsPath(const char* name) { return ProgramDirectory() + "\\" + name; }

std::string ReadIniText(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& defaultText) {
  std::string f(settings::StripLeadingControls(file));
  std::string s(settings::StripLeadingControls(section));
  std::string k(settings::StripLeadingControls(key));
  if (f.empty() || s.empty() || k.empty()) return std::string();
  std::string buffer(kValueBufferSize, '\0');
  DWORD n = GetPrivateProfileStringA(s.c_str(), k.c_str(), defaultText.empty() ? nullptr : defaultText.c_str(),
                                     buffer.data(), kValueBufferSize, f.c_str());
  buffer.resize(n < kValueBufferSize ? n : kValueBufferSize - 1);
  return buffer;
}

bool WriteIniText(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

void LoadSettings() {
  SharedState& s = Shared();
  s.junkScope.locations.clear();
  s.junkScope.patterns.clear();
  const std::string junk = SettingsPath("csetup1.ini");
  LoadList(junk, "devices", s.junkScope.locations);
  LoadList(junk, "filetypes", s.junkScope.patterns);

  const std::string history = SettingsPath("csetup2.ini");
  for (int k = 0; k < kHistoryKindCount; ++k) {
    s.historyScope[k] = settings::IntegerOfText(ReadIniText(history, "clshistory", settings::kHistoryKeys[k], "0"));
  }

  const std::string software = SettingsPath("csetup3.ini");
  s.softwareScope[0] = settings::IntegerOfText(ReadIniText(software, "softhistory", "WMP", "0"));
  s.softwareScope[1] = settings::IntegerOfText(ReadIniText(software, "softhistory", "WinRAR", "0"));
}

void WriteJunkSettings(const std::vector<ScopeEntry>& locations, const std::vector<ScopeEntry>& patterns) {
  ReplaceSettingsFile(SettingsPath("csetup1.ini"), [&](const std::string& file) {
    bool ok = WriteList(file, "devices", locations);
    return WriteList(file, "filetypes", patterns) && ok;
  });
}

void WriteHistorySettings() {
  const HistoryScope flags = Shared().historyScope;
  ReplaceSettingsFile(SettingsPath("csetup2.ini"), [&](const std::string& file) {
    bool ok = true;
    for (int k = 0; k < kHistoryKindCount; ++k) {
      ok = WriteIniText(file, "clshistory", settings::kHistoryKeys[k], std::to_string(flags[k])) && ok;
    }
    return ok;
  });
}

void WriteSoftwareSettings() {
  const SoftwareScope flags = Shared().softwareScope;
  ReplaceSettingsFile(SettingsPath("csetup3.ini"), [&](const std::string& file) {
    bool ok = WriteIniText(file, "softhistory", "WMP", std::to_string(flags[0]));
    return WriteIniText(file, "softhistory", "WinRAR", std::to_string(flags[1])) && ok;
  });
}
