// The settings files beside the program, which keep the three cleaning scopes between runs:
// csetup1.ini (junk scope), csetup2.ini (system history) and csetup3.ini (software history).
#pragma once

#include <string>
#include <vector>

// An entry of one of the junk scope window's check lists.
struct ScopeEntry {
  std::string text;
  bool ticked = false;
};

// GetPrivateProfileStringA into a 10240-byte buffer: a longer value is cut to what fits with its
// terminating zero. File, section and key are first stripped of leading blanks and control
// characters; when one of them is then empty the result is empty and nothing is read.
std::string ReadIniText(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& defaultText);
bool WriteIniText(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& value);

// Fills the junk, history and software scopes from the three files; missing files, sections or
// keys give empty lists and flags of 0.
void LoadSettings();

// Each writer replaces its file as a whole: the new content is written beside it and moved over
// it in one step, so the old file stays complete until the new one is.
void WriteJunkSettings(const std::vector<ScopeEntry>& locations, const std::vector<ScopeEntry>& patterns);
void WriteHistorySettings();
void WriteSoftwareSettings();

// The full path of settings file `name` in the program's directory.
std::string SettingsPath(const char* name);
