// The equalizer's program and bank as the plug-in holds them. Chunks and
// program files carry them in records of their own, which the record
// layouts read and write.
#pragma once

// The first release's programs held the first 39 values.
enum { vexParameterCount = 48, vexFirstParameterCount = 39, vexProgramCount = 127 };

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
};
