// The ten history stores of the shell and the browser, and the deletion of one registry value or
// key.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

// Clears the store of `kind` (0..9; any other value counts as 0). True for success, by the rule
// of each kind.
bool ClearHistoryStore(int32_t kind = 0);

// Deletes the value named by `path` under the root of number `root` (1 classes, 2 current
// config, 3 current user, 4 local machine, 5 users, others current user), or failing that the
// key of that path. True when a value or a key was deleted.
bool DeleteRegistryItem(int32_t root, const std::string& path);

// The DACL of a key as a self-relative security descriptor, or nothing.
std::vector<char> ReadKeyDacl(HKEY root, const std::string& path);

// Writes `descriptor`'s DACL on the key and, with `recursive`, on every key below it, a parent
// before its sub-keys.
bool SetKeyDacl(HKEY root, const std::string& path, PSECURITY_DESCRIPTOR descriptor, bool recursive);

// The descriptor that grants full access to the user and to Local System, inherited by sub-keys:
// an absolute descriptor whose ACL lives in this object.
class GrantDescriptor {
 public:
  bool Build(PSID user);
  PSECURITY_DESCRIPTOR get() { return &descriptor_; }
  const std::vector<char>& acl() const { return acl_; }

 private:
  SECURITY_DESCRIPTOR descriptor_ = {};
  std::vector<char> acl_;
};
