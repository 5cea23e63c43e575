// The program's resources as built into sysclean.exe: version block, manifest, icons, banners.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/png_image.h"
#include "tests/driver/gui_driver.h"

namespace {

struct Module {
  Module() {
    path = gui::TestProgramFolder() + "\\sysclean.exe";
    h = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  }
  ~Module() { if (h) FreeLibrary(h); }
  std::string Resource(LPCSTR type, int id) const {
    HRSRC r = FindResourceA(h, MAKEINTRESOURCEA(id), type);
    if (!r) return std::string();
    const char* p = static_cast<const char*>(LockResource(LoadResource(h, r)));
    return std::string(p, SizeofResource(h, r));
  }
  std::string path;
  HMODULE h = nullptr;
};

#pragma pack(push, 2)
struct GroupIconEntry {  // one entry of an RT_GROUP_ICON directory
  BYTE width, height, colors, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

}  // namespace

TEST(Resources, VersionBlockDescribesTheProgram) {
  Module m;
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(m.path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(m.path.c_str(), 0, size, block.data()));
  char* text = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\080404b0\\FileDescription",
                             reinterpret_cast<void**>(&text), &len));
  EXPECT_STREQ(text, "系统垃圾及历史记录清理器。");
}

TEST(Resources, ManifestAsksForAdministratorAndCommonControls6) {
  Module m;
  ASSERT_NE(m.h, nullptr);
  std::string manifest = m.Resource(RT_MANIFEST, 1);
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  for (const char* os : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                         "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {
    EXPECT_NE(manifest.find(os), std::string::npos) << os;
  }
}

TEST(Resources, EachBigButtonHasA32BitIconOfItsSize) {
  Module m;
  for (int button = 1; button <= 10; ++button) {
    std::string dir = m.Resource(RT_GROUP_ICON, 100 + button);
    ASSERT_GE(dir.size(), 6u) << button;
    WORD count = *reinterpret_cast<const WORD*>(dir.data() + 4);
    int want = (button == 8 || button == 10) ? 60 : 64;
    bool found = false;
    for (WORD i = 0; i < count; ++i) {
      auto* e = reinterpret_cast<const GroupIconEntry*>(dir.data() + 6 + i * sizeof(GroupIconEntry));
      if (e->width == want && e->height == want && e->bitCount == 32) found = true;
    }
    EXPECT_TRUE(found) << "button " << button << " has no 32-bit " << want << "x" << want << " icon";
  }
}

TEST(Resources, BannersAre450By150Rgb) {
  Module m;
  for (int i = 1; i <= 4; ++i) {
    std::string png = m.Resource(RT_RCDATA, 200 + i);
    ASSERT_GT(png.size(), 33u);
    // IHDR: bit depth 8, colour type 2 (RGB, no alpha), interlace 0.
    EXPECT_EQ(png[24], 8);
    EXPECT_EQ(png[25], 2);
    EXPECT_EQ(png[28], 0);
    auto image = DecodePng(reinterpret_cast<const uint8_t*>(png.data()), png.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 450);
    EXPECT_EQ(image->height, 150);
  }
}
