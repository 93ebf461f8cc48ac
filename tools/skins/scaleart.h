// Lettering and scales: the pixel font strip, the status line's backing,
// the display's dB grid line and numbers, and the frequency scale.
#pragma once

#include "painter.h"
#include "skinstyle.h"

#include <memory>

class Scaleart {
public:
    static std::unique_ptr<Painter> font(const Skinstyle& style);
    static std::unique_ptr<Painter> statusBack(const Skinstyle& style);
    static std::unique_ptr<Painter> dbLine(const Skinstyle& style);
    // 15 rows of 10 pixels from +36 dB down to -36 dB, 0 in the middle.
    static std::unique_ptr<Painter> dbNumbers(const Skinstyle& style);
    static std::unique_ptr<Painter> frequencies(const Skinstyle& style);
};
