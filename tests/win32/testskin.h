// The skin the editor tests give a loaded DLL: Red, the default, holding
// only a background of the editor's size.
#pragma once

#include "loadeddll.h"
#include "tools/vsthost/picture.h"

namespace Testskin {

constexpr int width = 800;
constexpr int height = 380;

// The committed test skin's background (tests/data/testskin), which the
// headless snapshot paints too: every pixel opaque and most of them
// different, so that a shifted or scaled copy shows.
Picture background();

// Writes the background as skins\Red\background.png beside the DLL.
bool write(const Loadeddll& dll);
// Writes image as skins\<skin>\<file> beside the DLL, making the folders.
bool writeImage(const Loadeddll& dll, const std::string& skin, const std::string& file, const Picture& image);

// Pixels whose colours differ (alpha aside), outside the curve display at
// (6, 6)-(750, 334), which draws its lines with no image; -1 for pictures
// of other sizes.
int differingPixels(const Picture& a, const Picture& b);

} // namespace Testskin
