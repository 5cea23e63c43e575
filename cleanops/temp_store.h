// Operations on temporary-file stores: emptying folders, clearing the browser's URL cache and
// cookies, the recycle bin, and the list of drives of a type.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Deletes everything inside `folder`, sub-folders included; the folder itself stays. With
// `deleteDesktopIni` clear, entries named desktop.ini stay (and the folders that hold one). With
// `wipeIndexDat` set, a file named index.dat is zeroed after its first 64 bytes before it is
// deleted. Links inside are removed as links, never entered. False when the folder cannot be
// listed.
bool EmptyFolder(const std::string& folder, bool deleteDesktopIni, bool wipeIndexDat);

// Deletes every file of a folder tree and leaves the folders; read-only files and links stay.
void DeleteTreeFiles(const std::string& folder);

// Deletes URL cache entries: mode 0 every entry that is not a cookie, mode 1 the cookies only.
// False when the cache walk could not be started (an empty cache included).
bool ClearUrlCache(int32_t mode);

// 0 the temporary folder, 1 the browser's cache, 2 the recycle bin, 3 the cookies; other values
// count as 0.
bool ClearTempStore(int32_t kind);

// Drive letters with a colon ("C:") of the drive types that `kind` selects, A to Z: 0 removable,
// fixed, remote and CD-ROM; 1 fixed; 2 CD-ROM; 3 removable; 4 remote; other values count as 0.
std::vector<std::string> DriveList(int32_t kind);
