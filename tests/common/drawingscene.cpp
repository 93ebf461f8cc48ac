#include "drawingscene.h"

#include "framework/gui/skinbitmap.h"

namespace Drawingscene {

void draw(Framework::Window& window, const std::string& folder)
{
    Framework::Skinbitmap opaque(images[0]), translucent(images[1]);
    long long budget = Framework::Skinbitmap::maxSkinPixels;
    opaque.loadFrom(folder, window.scale(), budget);
    translucent.loadFrom(folder, window.scale(), budget);

    window.setColour(0xFF202830);
    window.fillRect(0, 0, width, height);
    window.copyBackground(opaque, 4, 4, 40, 30);
    window.blend(opaque, 0, 0, 64, 48, 60, 4);
    window.blend(translucent, 0, 0, 48, 48, 10, 60);
    window.blend(translucent, 24, 10, 20, 30, 70, 60);
    window.setColour(0x80FFFFFF);
    window.fillRect(100, 70, 30, 20);
    // A clipped fill: only the part inside the clip lands.
    window.setClip(100, 40, 10, 10);
    window.setColour(0xFFFF0000);
    window.fillRect(90, 30, 40, 40);
    window.clearClip();

    const Framework::Point zigzag[] = {{150, 10}, {160, 50}, {170, 20}, {190, 100}};
    window.polyline(zigzag, 4, 0xFF40C0FF, 1.0f);
    const Framework::Point flat[] = {{145, 110}, {195, 110}};
    window.polyline(flat, 2, 0xC0FFFF00, 2.0f);
}

} // namespace Drawingscene
