// A row of segments as Hstack draws it, one of which has variants that
// follow a second parameter: at its steps after the first the whole row is
// drawn from that step's rows of the variants image (a base row and a
// highlighted row per step, the second step's first), at the first from the
// stack's own image. The wheel over that segment steps the second
// parameter; elsewhere it steps the choice.
#pragma once

#include "hstack.h"

namespace Framework {

class Variantstack : public Hstack {
public:
    Variantstack(int width, int height, Skinbitmap* bitmap, Skinbitmap* variants, int segment, int variantIndex);

    bool wheel(Window& surface, int& x, int& y, Binding& binding, Wheelevent& event) override;
    void draw(Window& surface, int& x, int& y, int& state, Binding& binding, Mouseevent& event) override;

    const int segment;
    const int variantIndex;

private:
    Skinbitmap* const variants; // not owned
};

} // namespace Framework
