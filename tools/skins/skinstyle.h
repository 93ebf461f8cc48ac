// The palette of one skin: every colour its images are drawn in.
#pragma once

#include "colour.h"

#include <array>
#include <string>
#include <vector>

struct Skinstyle {
    std::string name;
    Colour panelTop, panelBottom;                // the panel's gradient
    Colour displayTop, displayBottom;            // the response display's gradient
    Colour bezelDark, bezelLight;                // edges of recessed areas
    Colour gridMajor, gridMinor;                 // the display's frequency lines
    Colour ink;                                  // status and readout text
    Colour label, dim;                           // panel lettering, scales
    Colour accent;                               // pointers and marks
    Colour litTop, litBottom, litInk;            // a chosen segment: body and symbol
    Colour capTop, capBottom, capEdge, capShine; // knobs, buttons, fader
    Colour well;                                 // inside recessed boxes
    Colour pill, pillEdge;                       // behind the status line
    Colour hint, hintEdge;                       // the display's readout and the hints
    Colour card, cardEdge;                       // the about box
    std::array<Colour, 7> bands;                 // opaque band colours
    int bandAlpha = 120;                         // the band curves' opacity
    Colour main;                                 // the summed curve
    Colour left, right, mid, side;               // the channels' sums, when bands act on one
    Colour analyzerIn, analyzerOut;              // the spectrum's fills (lines 3x as opaque)
    int grain = 0;                               // panel texture strength
    int density = 1;                             // image pixels per layout pixel

    static Skinstyle red();
    static Skinstyle ivory();
    static std::vector<Skinstyle> all() { return {red(), ivory()}; }
};
