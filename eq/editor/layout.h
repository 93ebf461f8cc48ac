// Where the editor puts the controls the panel art lines up with, in window
// pixels of the 800 by 380 panel.
#pragma once

namespace Layout {

constexpr int width = 800, height = 380;
constexpr int displayX = 6, displayY = 6, displayW = 744, displayH = 328;
constexpr int knobSize = 34, zoomX = 4, curveX = 714, knobY = 342;
constexpr int switchY = 334;                              // the band switches' top
constexpr int selectorX = 100, bandPitch = 80, bands = 7; // band 1's type selector, then every 80
constexpr int optionsX = 50, optionsY = 352, optionsW = 38, optionsH = 20;
constexpr int sliderX = 756, sliderY = 1, sliderW = 40, handleH = 32, travel = 280;
constexpr int readoutX = 758, readoutY = 315, readoutW = 36, readoutH = 17;
constexpr int statusW = 160, statusH = 12;
constexpr int dbLineX = 26, dbRow = 10, dbRows = 15;
constexpr int scaleY = 323, scaleW = 645, scaleH = 11;

// The volume fader runs from -36 dB at the bottom to +12 dB at the top.
constexpr double volumeLow = -36.0, volumeHigh = 12.0;

} // namespace Layout
