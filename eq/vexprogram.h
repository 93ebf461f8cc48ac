// The equalizer's program and bank records. They are the host's program and
// bank chunks byte for byte, so their layouts never change.
#pragma once

enum { vexParameterCount = 39, vexProgramCount = 127 };

// Real values by program slot; the parameter table (vexparameters.h) gives
// each parameter's slot.
struct Vexprogram {
    double values[vexParameterCount];
    char name[24];
};

struct Vexbank {
    Vexprogram programs[vexProgramCount];
    char name[24];
    char folder[260]; // the bank folder the programs came from
    char current[4];  // names the program current when the chunk was taken; 1.0.0 left it unused
};

static_assert(sizeof(Vexprogram) == 336, "program chunk layout");
static_assert(sizeof(Vexbank) == 42960, "bank chunk layout");
