// Marks the components that take part in mouse dispatch: panels and the
// components that can hold the mouse.
#pragma once

#include "uicomp.h"

namespace Framework {

class Clickable : public Uicomp {
public:
    using Uicomp::Uicomp;
};

} // namespace Framework
