// The about box: a card in the middle of an otherwise clear panel.
#pragma once

#include "painter.h"
#include "skinstyle.h"

#include <memory>

class Aboutart {
public:
    static std::unique_ptr<Painter> aboutbox(const Skinstyle& style);
};
