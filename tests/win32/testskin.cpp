#include "testskin.h"

namespace Testskin {

Picture background()
{
    Picture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.at(x, y) = 0xFF000000u | (x * 7 & 0xFF) << 16 | (y * 5 & 0xFF) << 8 | ((x + 3 * y) & 0xFF);
    return picture;
}

bool write(const Loadeddll& dll)
{
    const std::string skins = dll.folder() + "\\skins";
    CreateDirectoryA(skins.c_str(), nullptr);
    CreateDirectoryA((skins + "\\Red").c_str(), nullptr);
    return background().save(skins + "\\Red\\background.png");
}

int differingPixels(const Picture& a, const Picture& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return -1;
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += (a.at(x, y) & 0xFFFFFF) != (b.at(x, y) & 0xFFFFFF);
    return differing;
}

} // namespace Testskin
