// The history stores against real keys and folders that the test makes in the bench's prefix.
#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cleanops/history_store.h"
#include "tests/driver/fixture_files.h"

using fx::Exists;
using fx::MakeFile;

namespace {

const char kTyped[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
const char kRecentDocs[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";

void MakeKey(HKEY root, const std::string& path, const char* value = "v") {
  HKEY k = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr), ERROR_SUCCESS) << path;
  RegSetValueExA(k, value, 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
  RegCloseKey(k);
}

bool KeyExists(HKEY root, const std::string& path) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

bool ValueExists(HKEY root, const std::string& key, const char* value) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  bool found = RegQueryValueExA(k, value, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(k);
  return found;
}

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, csidl, TRUE);
  return path;
}

// A shell folder holding a file, a read-only file, a sub-folder and a desktop.ini.
void FillFolder(const std::string& folder) {
  CreateDirectoryA(folder.c_str(), nullptr);
  MakeFile(folder + "\\desktop.ini");
  MakeFile(folder + "\\entry.lnk");
  MakeFile(folder + "\\ro.url");
  SetFileAttributesA((folder + "\\ro.url").c_str(), FILE_ATTRIBUTE_READONLY);
  CreateDirectoryA((folder + "\\sub").c_str(), nullptr);
  MakeFile(folder + "\\sub\\inner.lnk");
}

void ExpectOnlyDesktopIni(const std::string& folder) {
  EXPECT_TRUE(Exists(folder + "\\desktop.ini")) << folder;
  for (const char* gone : {"\\entry.lnk", "\\ro.url", "\\sub"}) EXPECT_FALSE(Exists(folder + gone)) << folder << gone;
}

}  // namespace

TEST(HistoryStore, KeyKindsDeleteTheirKeyTreeAndNothingElse) {
  struct Case { int32_t kind; const char* key; } cases[] = {
      {0, kTyped},
      {2, "Software\\Microsoft\\Internet Explorer\\IntelliForms"},
      {4, "Software\\Microsoft\\RAS Autodial\\Addresses"},
      {5, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU"},
      {10, kTyped}, {-1, kTyped},
  };
  MakeKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Keep");
  for (const Case& c : cases) {
    MakeKey(HKEY_CURRENT_USER, c.key, "url1");
    MakeKey(HKEY_CURRENT_USER, std::string(c.key) + "\\sub");
    EXPECT_TRUE(ClearHistoryStore(c.kind)) << c.kind;
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, c.key)) << c.kind;
    EXPECT_FALSE(ClearHistoryStore(c.kind)) << c.kind << ": the key is gone now";
  }
  MakeKey(HKEY_CURRENT_USER, kTyped);
  EXPECT_TRUE(ClearHistoryStore());
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTyped));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Keep"));
}

TEST(HistoryStore, FolderKindsEmptyTheirShellFolderAndKeepDesktopIni) {
  struct Case { int32_t kind; int csidl; } cases[] = {{3, CSIDL_FAVORITES}, {7, CSIDL_NETHOOD}, {6, CSIDL_RECENT}};
  MakeKey(HKEY_CURRENT_USER, kRecentDocs, "MRUListEx");
  for (const Case& c : cases) {
    std::string folder = ShellFolder(c.csidl);
    ASSERT_FALSE(folder.empty()) << c.kind;
    FillFolder(folder);
    EXPECT_TRUE(ClearHistoryStore(c.kind)) << c.kind;
    ExpectOnlyDesktopIni(folder);
  }
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRecentDocs));
}

TEST(HistoryStore, RecentDocsStayWhenTheRecentFolderCannotBeListed) {
  const char shellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  HKEY k = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, shellFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr), ERROR_SUCCESS);
  char old[MAX_PATH] = {};
  DWORD size = sizeof old, type = 0;
  bool hadOld = RegQueryValueExA(k, "Recent", nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
  const char missing[] = "C:\\no-such-recent-folder";
  RegSetValueExA(k, "Recent", 0, REG_SZ, reinterpret_cast<const BYTE*>(missing), sizeof missing);
  MakeKey(HKEY_CURRENT_USER, kRecentDocs, "MRUListEx");

  EXPECT_FALSE(ClearHistoryStore(6));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kRecentDocs));

  if (hadOld) RegSetValueExA(k, "Recent", 0, type, reinterpret_cast<BYTE*>(old), size);
  else RegDeleteValueA(k, "Recent");
  RegCloseKey(k);
}

TEST(HistoryStore, TelnetValuesGoAndTheKeyStays) {
  const char telnet[] = "Software\\Microsoft\\Telnet";
  SHDeleteKeyA(HKEY_CURRENT_USER, telnet);
  EXPECT_TRUE(ClearHistoryStore(8));  // no key at all: success
  for (const char* v : {"Machine1", "Service8", "TermType3", "LastMachine", "LastTermType", "Machine9", "Other"}) {
    MakeKey(HKEY_CURRENT_USER, telnet, v);
  }
  EXPECT_TRUE(ClearHistoryStore(8));
  for (const char* gone : {"Machine1", "Service8", "TermType3", "LastMachine", "LastTermType"}) {
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, telnet, gone)) << gone;
  }
  EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, telnet, "Machine9"));
  EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, telnet, "Other"));
}

TEST(HistoryStore, VisitedPagesWipeIndexDatInBothHistoryFolders) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  std::string winHistory = std::string(windows) + "\\History";
  std::string shellHistory = ShellFolder(CSIDL_HISTORY);
  ASSERT_FALSE(shellHistory.empty());
  FillFolder(winHistory);
  FillFolder(shellHistory);
  MakeFile(shellHistory + "\\index.dat", 1000);
  EXPECT_TRUE(ClearHistoryStore(9));
  ExpectOnlyDesktopIni(winHistory);
  ExpectOnlyDesktopIni(shellHistory);
  EXPECT_FALSE(Exists(shellHistory + "\\index.dat"));
}

TEST(HistoryStore, GrantDescriptorHoldsTheUserThenLocalSystem) {
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID user = nullptr;
  ASSERT_TRUE(AllocateAndInitializeSid(&nt, 5, 21, 1, 2, 3, 1000, 0, 0, 0, &user));
  GrantDescriptor grant;
  ASSERT_TRUE(grant.Build(user));
  const std::vector<char>& bytes = grant.acl();
  auto* acl = reinterpret_cast<const ACL*>(bytes.data());
  EXPECT_EQ(acl->AclRevision, ACL_REVISION);
  EXPECT_EQ(acl->AclSize, 24 + GetLengthSid(user) + 12);  // S-1-5-18 is 12 bytes long
  EXPECT_EQ(acl->AceCount, 2);
  const char* p = bytes.data() + sizeof(ACL);
  for (int i = 0; i < 2; ++i) {
    auto* ace = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(p);
    EXPECT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
    EXPECT_EQ(ace->Header.AceFlags, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
    EXPECT_EQ(ace->Mask, static_cast<DWORD>(KEY_ALL_ACCESS));
    PSID sid = const_cast<DWORD*>(&ace->SidStart);
    EXPECT_EQ(ace->Header.AceSize, 8 + GetLengthSid(sid));
    if (i == 0) {
      EXPECT_TRUE(EqualSid(sid, user));
    } else {
      EXPECT_EQ(*GetSidSubAuthorityCount(sid), 1);
      EXPECT_EQ(*GetSidSubAuthority(sid, 0), static_cast<DWORD>(SECURITY_LOCAL_SYSTEM_RID));
    }
    p += ace->Header.AceSize;
  }
  SECURITY_DESCRIPTOR_CONTROL control;
  DWORD revision;
  ASSERT_TRUE(GetSecurityDescriptorControl(grant.get(), &control, &revision));
  EXPECT_EQ(revision, 1u);
  EXPECT_TRUE(control & SE_DACL_PRESENT);
  EXPECT_FALSE(control & SE_DACL_DEFAULTED);
  FreeSid(user);
}

namespace {

std::string UserProtectedStorageKey() {
  HANDLE token;
  OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
  char buf[256];
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, buf, sizeof buf, &size);
  CloseHandle(token);
  PSID sid = reinterpret_cast<TOKEN_USER*>(buf)->User.Sid;
  std::string text = "S-1-" + std::to_string(GetSidIdentifierAuthority(sid)->Value[5]);
  for (UCHAR i = 0; i < *GetSidSubAuthorityCount(sid); ++i) text += "-" + std::to_string(*GetSidSubAuthority(sid, i));
  return "Software\\Microsoft\\Protected Storage System Provider\\" + text;
}

}  // namespace

TEST(HistoryStore, FormDataDeletesTheDataKeyAndRestoresTheUserKeysDacl) {
  const std::string k0 = UserProtectedStorageKey();
  const std::string k1 = k0 + "\\Data\\e161255a-37c3-11d2-bcaa-00c04fd929db";
  SHDeleteKeyA(HKEY_CURRENT_USER, k0.c_str());
  MakeKey(HKEY_CURRENT_USER, k1 + "\\item\\deeper");
  MakeKey(HKEY_CURRENT_USER, k0 + "\\Data\\other");
  std::vector<char> before = ReadKeyDacl(HKEY_CURRENT_USER, k0);

  EXPECT_TRUE(ClearHistoryStore(1));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, k1));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, k0 + "\\Data\\other"));
  EXPECT_EQ(ReadKeyDacl(HKEY_CURRENT_USER, k0), before);

  // Without the data key: nothing to delete, a failure, and K0's DACL as it was.
  EXPECT_FALSE(ClearHistoryStore(1));
  EXPECT_EQ(ReadKeyDacl(HKEY_CURRENT_USER, k0), before);
  SHDeleteKeyA(HKEY_CURRENT_USER, k0.c_str());
}

TEST(DeleteRegistryItem, ValueFirstThenKey) {
  const std::string base = "Software\\SyscleanTest\\Items";
  SHDeleteKeyA(HKEY_CURRENT_USER, base.c_str());
  MakeKey(HKEY_CURRENT_USER, base + "\\A", "B");
  EXPECT_TRUE(DeleteRegistryItem(3, base + "\\A\\B"));  // the value B
  EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, base + "\\A", "B"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, base + "\\A"));

  MakeKey(HKEY_CURRENT_USER, base + "\\A\\B");
  EXPECT_TRUE(DeleteRegistryItem(0, base + "\\A\\B"));  // root 0: the current user; no value B, so the key
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + "\\A\\B"));

  MakeKey(HKEY_CURRENT_USER, base + "\\C", "C");
  EXPECT_TRUE(DeleteRegistryItem(6, base + "\\C\\C"));
  EXPECT_FALSE(DeleteRegistryItem(3, base + "\\C\\missing"));

  // A trailing backslash names the key's default value, then the key as a whole.
  HKEY k = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, (base + "\\D").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
  RegSetValueExA(k, "", 0, REG_SZ, reinterpret_cast<const BYTE*>("d"), 2);
  RegCloseKey(k);
  EXPECT_TRUE(DeleteRegistryItem(3, base + "\\D\\"));
  EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, base + "\\D", ""));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, base + "\\D"));

  // Without a backslash: a value of the root, then a key of the root.
  MakeKey(HKEY_CURRENT_USER, "SyscleanTestTop");
  EXPECT_TRUE(DeleteRegistryItem(3, "SyscleanTestTop"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "SyscleanTestTop"));
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\SyscleanTest");
}
