// The one way widgets and the pixel font draw from an image strip: a cell of
// the strip blended onto the surface.
#pragma once

namespace Framework {

class Skinbitmap;
class Window;

// Blends the w x h cell of strip at (sourceX, sourceY) over the surface at
// (x, y). A cell that does not lie wholly inside the strip draws nothing, as
// does a missing or empty strip.
void blendCell(Window& surface, const Skinbitmap* strip, int sourceX, int sourceY, int w, int h, int x, int y);

} // namespace Framework
