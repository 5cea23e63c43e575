// Recursive search for files by name patterns, depth first.
#pragma once

#include <functional>
#include <string>

// Called once per match with the folder (ending in exactly one backslash) and the file name.
using SearchRoutine = std::function<void(const std::string& folder, const std::string& name)>;

// Calls `routine` for every file of `folder` that matches one of `patterns` (joined by "|"),
// piece by piece, then, with `recurse`, for every sub-folder in turn. Links to folders are not
// entered, and a folder whose search text would not fit a path buffer is passed over.
void SearchFiles(const std::string& folder, const std::string& patterns, const SearchRoutine& routine,
                 bool recurse);
