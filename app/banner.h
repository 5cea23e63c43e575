// The banner pictures: PNG resources of the program, decoded into bitmaps for the picture box.
#pragma once

#include <windows.h>

#include <string>

#include "common/scoped.h"

constexpr int kBannerCount = 4;

// A displayable bitmap of `png`, or an empty owner when the bytes are not a valid picture.
UniqueBitmap BitmapFromPng(const void* png, size_t size);

// Picture `index` (1..4) from the program's resources.
UniqueBitmap LoadBannerPicture(int index);

// The help page that picture `index` (1..4) advertises: a file beside the program.
std::string BannerPage(const std::string& programDirectory, int index);
