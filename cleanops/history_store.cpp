// The history stores: keys, shell folders, the Telnet values and the protected-storage key.
#include "cleanops/history_store.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <memory>

#include "cleanops/registry_text.h"
#include "cleanops/temp_store.h"
#include "common/scoped.h"

namespace {

constexpr char kProtectedStorage[] = "Software\\Microsoft\\Protected Storage System Provider\\";
constexpr char kDataKey[] = "\\Data\\e161255a-37c3-11d2-bcaa-00c04fd929db";

bool DeleteKeyTree(const char* path) { return SHDeleteKeyA(HKEY_CURRENT_USER, path) == ERROR_SUCCESS; }

bool ShellFolder(int csidl, std::string& out) {
  char path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) return false;
  out = path;
  return true;
}

// Empties a shell folder, keeping its desktop.ini files. False when the folder is not known or
// cannot be listed.
bool EmptyShellFolder(int csidl, bool wipeIndexDat) {
  std::string folder;
  return ShellFolder(csidl, folder) && EmptyFolder(folder, false, wipeIndexDat);
}

bool IsNtFamily() {
  OSVERSIONINFOEXA ex = {};
  ex.dwOSVersionInfoSize = sizeof ex;
  if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) return ex.dwPlatformId == VER_PLATFORM_WIN32_NT;
  OSVERSIONINFOA plain = {};
  plain.dwOSVersionInfoSize = sizeof plain;
  return GetVersionExA(&plain) && plain.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// The current user's SID, copied out of the process token.
std::vector<char> CurrentUserSid() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return {};
  UniqueHandle token(raw);
  DWORD size = 0;
  if (GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size) ||
      GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    return {};
  }
  std::vector<char> info(size);
  if (!GetTokenInformation(token.get(), TokenUser, info.data(), size, &size)) return {};
  PSID sid = reinterpret_cast<TOKEN_USER*>(info.data())->User.Sid;
  std::vector<char> copy(GetLengthSid(sid));
  if (!CopySid(static_cast<DWORD>(copy.size()), copy.data(), sid)) return {};
  return copy;
}

std::string SidTextOf(PSID sid) {
  std::vector<uint32_t> subs;
  UCHAR count = *GetSidSubAuthorityCount(sid);
  for (UCHAR i = 0; i < count; ++i) subs.push_back(*GetSidSubAuthority(sid, i));
  return registry_text::SidText(GetSidIdentifierAuthority(sid)->Value[5], subs);
}

bool ClearProtectedStorage() {
  if (!IsNtFamily()) {
    char user[MAX_PATH];
    DWORD size = sizeof user;
    if (!GetUserNameA(user, &size)) return false;
    std::string path = std::string(kProtectedStorage) + user + kDataKey;
    return SHDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str()) == ERROR_SUCCESS;
  }
  std::vector<char> sid = CurrentUserSid();
  if (sid.empty()) return false;
  const std::string k0 = kProtectedStorage + SidTextOf(sid.data());
  const std::string k1 = k0 + kDataKey;
  std::vector<char> saved = ReadKeyDacl(HKEY_CURRENT_USER, k0);

  bool deleted = false;
  {
    GrantDescriptor grant;
    if (!grant.Build(sid.data())) return false;
    SetKeyDacl(HKEY_CURRENT_USER, k0, grant.get(), false);
    SetKeyDacl(HKEY_CURRENT_USER, k0 + "\\Data", grant.get(), false);
    SetKeyDacl(HKEY_CURRENT_USER, k1, grant.get(), true);
    deleted = DeleteKeyTree(k1.c_str());
  }
  // Only K0 gets its old DACL back; K0\Data keeps the grant.
  if (!saved.empty()) SetKeyDacl(HKEY_CURRENT_USER, k0, saved.data(), false);
  return deleted;
}

void ClearTelnetValues() {
  const char* telnet = "Software\\Microsoft\\Telnet";
  char name[32];
  for (int i = 1; i <= 8; ++i) {
    for (const char* format : {"Machine%d", "Service%d", "TermType%d"}) {
      wsprintfA(name, format, i);
      SHDeleteValueA(HKEY_CURRENT_USER, telnet, name);
    }
  }
  for (const char* last : {"LastMachine", "LastService", "LastTermType"}) {
    SHDeleteValueA(HKEY_CURRENT_USER, telnet, last);
  }
}

}  // namespace

bool ClearHistoryStore(int32_t kind) {
  switch (kind) {
    case 1: return ClearProtectedStorage();
    case 2: return DeleteKeyTree("Software\\Microsoft\\Internet Explorer\\IntelliForms");
    case 3: return EmptyShellFolder(CSIDL_FAVORITES, false);
    case 4: return DeleteKeyTree("Software\\Microsoft\\RAS Autodial\\Addresses");
    case 5: return DeleteKeyTree("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU");
    case 6:
      // The RecentDocs key goes only once the Recent folder could be emptied.
      return EmptyShellFolder(CSIDL_RECENT, false) &&
             DeleteKeyTree("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs");
    case 7: return EmptyShellFolder(CSIDL_NETHOOD, false);
    case 8:
      ClearTelnetValues();
      return true;
    case 9: {
      char windows[MAX_PATH] = {};
      UINT n = GetWindowsDirectoryA(windows, sizeof windows);
      if (n > 0 && n < sizeof windows) EmptyFolder(std::string(windows) + "\\History", false, true);
      return EmptyShellFolder(CSIDL_HISTORY, true);
    }
    default: return DeleteKeyTree("Software\\Microsoft\\Internet Explorer\\TypedURLs");
  }
}

bool DeleteRegistryItem(int32_t root, const std::string& path) {
  HKEY rootKey;
  switch (root) {
    case 1: rootKey = HKEY_CLASSES_ROOT; break;
    case 2: rootKey = HKEY_CURRENT_CONFIG; break;
    case 4: rootKey = HKEY_LOCAL_MACHINE; break;
    case 5: rootKey = HKEY_USERS; break;
    default: rootKey = HKEY_CURRENT_USER; break;
  }
  registry_text::KeyAndValue parts = registry_text::SplitRegistryPath(path);
  HKEY raw = nullptr;
  if (RegOpenKeyExA(rootKey, parts.key.c_str(), 0, KEY_WRITE, &raw) == ERROR_SUCCESS) {
    UniqueKey key(raw);
    if (RegDeleteValueA(key.get(), parts.value.c_str()) == ERROR_SUCCESS) return true;
  }
  return RegDeleteKeyA(rootKey, path.c_str()) == ERROR_SUCCESS;
}

std::vector<char> ReadKeyDacl(HKEY root, const std::string& path) {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, READ_CONTROL, &raw) != ERROR_SUCCESS) return {};
  UniqueKey key(raw);
  DWORD size = 0;
  if (RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, nullptr, &size) != ERROR_INSUFFICIENT_BUFFER) {
    return {};
  }
  std::vector<char> descriptor(size);
  if (RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor.data(), &size) != ERROR_SUCCESS) {
    return {};
  }
  return descriptor;
}

bool SetKeyDacl(HKEY root, const std::string& path, PSECURITY_DESCRIPTOR descriptor, bool recursive) {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, &raw) != ERROR_SUCCESS) return false;
  UniqueKey key(raw);
  if (RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor) != ERROR_SUCCESS) return false;
  if (!recursive) return true;
  key.reset();
  // The grant just written on this key is what allows the enumeration below it.
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
  key.reset(raw);
  DWORD subKeys = 0;
  if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  char name[261];
  for (DWORD i = 0; i < subKeys; ++i) {
    LONG r = RegEnumKeyA(key.get(), i, name, sizeof name);
    if (r == ERROR_NO_MORE_ITEMS) break;
    if (r == ERROR_SUCCESS) SetKeyDacl(key.get(), name, descriptor, true);
  }
  return true;
}

bool GrantDescriptor::Build(PSID user) {
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID system = nullptr;
  if (!AllocateAndInitializeSid(&nt, 1, SECURITY_LOCAL_SYSTEM_RID, 0, 0, 0, 0, 0, 0, 0, &system)) return false;
  std::unique_ptr<void, decltype(&FreeSid)> systemOwner(system, &FreeSid);

  const DWORD userLength = GetLengthSid(user), systemLength = GetLengthSid(system);
  acl_.assign(24 + userLength + systemLength, 0);
  auto* acl = reinterpret_cast<PACL>(acl_.data());
  if (!InitializeAcl(acl, static_cast<DWORD>(acl_.size()), ACL_REVISION)) return false;
  for (PSID sid : {user, system}) {
    const DWORD length = GetLengthSid(sid);
    std::vector<char> buffer(8 + length);
    auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(buffer.data());
    ace->Header.AceType = ACCESS_ALLOWED_ACE_TYPE;
    ace->Header.AceFlags = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
    ace->Header.AceSize = static_cast<WORD>(8 + length);
    ace->Mask = KEY_ALL_ACCESS;
    if (!CopySid(length, &ace->SidStart, sid)) return false;
    if (!AddAce(acl, ACL_REVISION, MAXDWORD, ace, ace->Header.AceSize)) return false;
  }
  return InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
         SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE);
}
