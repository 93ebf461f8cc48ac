// The editor's geometry in window pixels of the 800 by 380 panel: where the
// builder places every control and how large its images are, which the
// skin generator draws the panel and the controls to, and which the editor
// tests click at. Every coordinate of the editor is written here once.
#pragma once

#include "displayscale.h"

#include "eq/vexparameters.h"

namespace Layout {

constexpr int width = 800, height = 380;
constexpr int bands = Vexparameters::bandCount;

// The response-curve display, and the frequency scale image drawn in it.
constexpr int displayX = 6, displayY = 6, displayW = 744, displayH = 328;
constexpr int scaleY = displayY + Displayscale::scaleY, scaleW = 645, scaleH = 11;
// The dB grid: the labels' column ends where the lines start.
constexpr int dbLineX = 26, dbRow = 10, dbRows = 15;
// A band handle's cell in the handle image; a press within handleReach of a
// handle's centre takes it.
constexpr int handleSize = 16, handleReach = 24;

// The zoom and curve-scale knobs.
constexpr int knobSize = 34, zoomX = 4, curveX = 714, knobY = 342;

// The band columns, every bandPitch pixels: a switch above a type selector.
constexpr int bandPitch = 80;
constexpr int switchX = 120, switchY = 334, switchW = 36, switchH = 18;
// A band's placement, on its switch right of the band's number.
constexpr int placementX = 27, placementY = 5;
constexpr int selectorX = 100, selectorY = 352, selectorW = 72, selectorH = 24;
constexpr int switchLeft(int band)
{
    return switchX + bandPitch * band;
}
constexpr int selectorLeft(int band)
{
    return selectorX + bandPitch * band;
}

// The "Options" menu's hot zone.
constexpr int optionsX = 50, optionsY = 352, optionsW = 38, optionsH = 20;

// The volume column: fader, typed entry and output-mode selector.
constexpr int sliderX = 756, sliderY = 1, sliderW = 40, handleH = 32, travel = 280;
constexpr int sliderH = handleH + travel;
constexpr int readoutX = 758, readoutY = 315, readoutW = 36, readoutH = 17;
constexpr int outputsX = 757, outputsY = 338, outputsSize = 38;
// The volume fader runs from -36 dB at the bottom to +12 dB at the top.
constexpr double volumeLow = -36.0, volumeHigh = 12.0;

// The status line: its pill-shaped background and the text on it.
constexpr int statusX = 298, statusBackY = 16, statusY = 18, statusW = 160, statusH = 12;
// The compare switch right of it, a short pill of the same look that shows
// the live setting's letter.
constexpr int compareX = statusX + statusW + 4, compareW = 20;
// The program arrows left of it, pills of the same look: previous, next.
constexpr int arrowW = 16;
constexpr int previousX = statusX - 2 * (arrowW + 4), nextX = statusX - (arrowW + 4);

} // namespace Layout
