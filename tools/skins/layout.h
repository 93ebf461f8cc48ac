// Where the editor puts its controls on the 800 by 380 panel, in window
// pixels: the art is drawn to fit them.
#pragma once

namespace Layout {

constexpr int width = 800, height = 380;
constexpr int displayX = 6, displayY = 6, displayW = 744, displayH = 328;
constexpr int knobSize = 34, zoomX = 4, curveX = 714, knobY = 342;
constexpr int switchX = 120, switchY = 334, switchW = 36, switchH = 18;
constexpr int selectorX = 100, selectorY = 352, selectorW = 72, selectorH = 24;
constexpr int bandPitch = 80, bands = 7;
constexpr int optionsX = 50, optionsY = 352, optionsW = 38, optionsH = 20;
constexpr int sliderX = 756, sliderY = 1, sliderW = 40, sliderH = 312, handleH = 32, travel = 280;
constexpr int readoutX = 758, readoutY = 315, readoutW = 36, readoutH = 17;
constexpr int outputX = 757, outputY = 338, outputSize = 38;
constexpr int statusX = 298, statusY = 16, statusW = 160, statusH = 12, statusTextY = 18;
constexpr int dbLineX = 26, dbRow = 10, dbRows = 15;
constexpr int scaleX = 105, scaleY = 323, scaleW = 645, scaleH = 11;

// The volume fader runs from -36 dB at the bottom to +12 dB at the top.
constexpr double volumeLow = -36.0, volumeHigh = 12.0;

} // namespace Layout
