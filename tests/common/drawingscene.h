// One drawing made through every operation of the editor window, so that the
// Windows back end can be held against the headless one pixel by pixel.
#pragma once

#include "framework/gui/window.h"

#include <string>

namespace Drawingscene {

constexpr int width = 200;
constexpr int height = 120;

// The scene's images, in tests/data/scene.
const char* const images[] = {"opaque.png", "translucent.png"};

// Draws the scene into window's back buffer from the images in folder
// (ending in a separator). Blends and copies land on exact pixels; the
// polylines are anti-aliased, so back ends may differ slightly there.
void draw(Framework::Window& window, const std::string& folder);

// The rectangle that holds only blends, copies and fills.
constexpr int exactWidth = 140;

} // namespace Drawingscene
