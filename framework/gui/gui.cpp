#include "gui.h"

namespace Framework {

Gui::Gui(Settingsfile& settings, int width, int height)
    : settings(settings), windowWidth(width), windowHeight(height)
{
}

Gui::~Gui() = default;

void Gui::valueChanged(int /*index*/, Paramset& /*set*/) {}

} // namespace Framework
