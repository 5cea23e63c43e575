// The one routine through which the cleaning operations delete a file or a folder. The program
// runs as administrator and empties folders that any user can write: between listing a folder
// and deleting an entry, a sub-folder can be swapped for a link into the system's folders. So an
// entry is opened itself, without following links, checked through that handle, and deleted
// through the same handle.
#pragma once

#include <string>

class SafeDeleter {
 public:
  // `scope` is the folder being emptied; nothing outside it is ever deleted.
  explicit SafeDeleter(const std::string& scope);

  // Whether the scope folder itself could be opened and named.
  bool valid() const { return !scopeFinal_.empty(); }

  // Deletes `path` (a file, an empty folder, or a link, which is removed as a link) when it
  // lies inside the scope. With `clearReadOnly` a read-only attribute is cleared first.
  bool Delete(const std::string& path, bool clearReadOnly) const;

  // Clears the read-only attribute of `path` when it lies inside the scope and is no link.
  bool ClearReadOnly(const std::string& path) const;

  // Overwrites with zeros everything after the first `keep` bytes of the file `path`, when it
  // lies inside the scope and is no link. The length stays.
  bool ZeroAfter(const std::string& path, unsigned keep) const;

  // The final path that Windows gives for an open entry, in the form of the object manager
  // (\Device\...\name): it needs no look-up of drive letters. Empty when it cannot be named.
  static std::string FinalPath(void* handle);

 private:
  std::string scopeFinal_;  // the scope's final path, ending in a backslash
};
