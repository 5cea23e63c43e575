// Small fixtures for the Windows tests: files with given content, and URL cache entries.
#pragma once

#include <windows.h>

#include <string>

namespace fx {

// The folder for one test's files (made when missing): <test program folder>\<group>\<name>.
std::string FixtureFolder(const std::string& group, const std::string& name);

bool WriteBytes(const std::string& path, const std::string& bytes);
// A file of `size` bytes, each `fill`.
void MakeFile(const std::string& path, size_t size = 10, char fill = 'x');
// The whole content of a file, or "<missing>".
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);

// An entry of the URL cache, committed as the browser does, with a small file behind it.
bool AddCacheEntry(const char* url, DWORD type);
bool CacheHas(const char* url);

}  // namespace fx
