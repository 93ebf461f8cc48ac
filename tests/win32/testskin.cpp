#include "testskin.h"

namespace Testskin {

Picture background()
{
    return Picture::load(besideExecutable("testskin\\background.png"));
}

bool write(const Loadeddll& dll)
{
    return writeImage(dll, "Red", "background.png", background());
}

bool writeImage(const Loadeddll& dll, const std::string& skin, const std::string& file, const Picture& image)
{
    const std::string skins = dll.folder() + "\\skins";
    CreateDirectoryA(skins.c_str(), nullptr);
    CreateDirectoryA((skins + "\\" + skin).c_str(), nullptr);
    return image.save(skins + "\\" + skin + "\\" + file);
}

int differingPixels(const Picture& a, const Picture& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return -1;
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing +=
                !(x >= 6 && x < 750 && y >= 6 && y < 334) && (a.at(x, y) & 0xFFFFFF) != (b.at(x, y) & 0xFFFFFF);
    return differing;
}

} // namespace Testskin
