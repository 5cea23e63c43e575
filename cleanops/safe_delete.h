// The one way in which the cleaning operations delete files and folders. The program runs as
// administrator and empties folders that any user can write: between listing a folder and
// deleting an entry, a sub-folder can be swapped for a link into the system's folders. So every
// entry is opened by its bare name relative to an open handle of its folder (it cannot lie
// anywhere else), without following it if it is a link, checked through that handle, and deleted
// through the same handle. A sub-folder is entered the same way, never through a link. An entry
// whose own name, read back through the handle, is not the folder's path and its name (a link
// that the file system followed regardless) is left alone.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "common/scoped.h"

class SafeFolder {
 public:
  // The folder at `path`, the top of the work (a link there is followed: the caller named it).
  static std::optional<SafeFolder> Open(const std::string& path);

  // The sub-folder `name` of this folder, when it is a real folder and not a link.
  std::optional<SafeFolder> OpenChildFolder(const std::string& name) const;

  // Deletes the entry `name` of this folder: a file, an empty folder, or a link (removed as a
  // link, its target untouched). With `clearReadOnly` a read-only attribute is cleared first;
  // without it a read-only entry stays.
  bool DeleteChild(const std::string& name, bool clearReadOnly) const;

  // Clears the read-only attribute of the entry `name` when it is no link.
  bool ClearChildReadOnly(const std::string& name) const;

  // Overwrites with zeros everything after the first `keep` bytes of the file `name` (no link);
  // the length stays.
  bool ZeroChildAfter(const std::string& name, unsigned keep) const;

 private:
  explicit SafeFolder(HANDLE h) : handle_(h) {}
  HANDLE OpenChild(const std::string& name, ACCESS_MASK access, ULONG options) const;
  UniqueHandle handle_;
  std::wstring name_;  // the folder's path within its volume
};
