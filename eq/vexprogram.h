// The equalizer's program and bank records. They are the host's program and
// bank chunks byte for byte, so their layouts never change.
#pragma once

enum { vexParameterCount = 39, vexProgramCount = 127 };

// Real values by program slot: band k (0..6) at 5k: frequency (Hz), gain
// (dB), width (0..1), on/off, type; then 35 main volume (linear), 36 curve
// scale, 37 zoom, 38 output mode.
struct Vexprogram {
    double values[vexParameterCount];
    char name[24];
};

struct Vexbank {
    Vexprogram programs[vexProgramCount];
    char name[24];
    char folder[260]; // the bank folder the programs came from
    char unused[4];
};

static_assert(sizeof(Vexprogram) == 336, "program chunk layout");
static_assert(sizeof(Vexbank) == 42960, "bank chunk layout");
