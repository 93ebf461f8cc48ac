// The response-curve display: a thin curve per band, their weighted sum, a
// dB grid with labels, a frequency scale and a draggable handle per band.
// While every band acts on both channels one sum shows; a band on the left
// or right channel brings a sum for each of them instead, a band on mid or
// side one for each of those. It serves a control bound to the band
// parameters (five per band), reads each band's placement and slope as
// well, and takes its curve colours from the skin's "colors.txt". The band
// under the pointer, or else the one touched last, shows its values beside
// its handle; a click on one of them opens an entry for it.
#pragma once

#include "bandentry.h"
#include "bandreadout.h"
#include "layout.h"

#include "eq/vexparameters.h"
#include "framework/gui/bltwidget.h"
#include "framework/gui/skinlistener.h"
#include "framework/gui/window.h"

#include <array>
#include <cstdint>
#include <vector>

class Analysis;
class Vexdisplay;

namespace Framework {
class Pixelfont;
}

class Eqwindow : public Framework::Bltwidget, public Framework::Skinlistener {
public:
    // handles: the 16 x 16 handle cells, a column per band, bands that are
    // on in the top row; numbers, line and scale: the grid's labels and line
    // and the frequency scale.
    Eqwindow(int width, int height, Framework::Skinbitmap* handles, Framework::Skinbitmap* numbers,
             Framework::Skinbitmap* line, Framework::Skinbitmap* scale, int zoomIndex, int curveIndex,
             Vexdisplay& display, const Analysis* analysis = nullptr, const Framework::Pixelfont* font = nullptr);

    void mouse(Framework::Window& surface, int& x, int& y, Framework::Binding& binding,
               Framework::Mouseevent& event) override;
    // The readout follows the handle nearest the pointer; over the readout
    // itself it stays.
    void hover(Framework::Window& surface, int& x, int& y, Framework::Binding& binding,
               Framework::Mouseevent& event) override;
    void draw(Framework::Window& surface, int& x, int& y, int& state, Framework::Binding& binding,
              Framework::Mouseevent& event) override;
    // Over a handle: its band's width as a knob steps, or with Ctrl its
    // gain, 0.5 dB a notch (0.1 with Shift). Nothing away from every handle.
    bool wheel(Framework::Window& surface, int& x, int& y, Framework::Binding& binding,
               Framework::Wheelevent& event) override;
    void skinChanged(const std::string& folder) override;

    // Colours as ARGB.
    std::uint32_t bandColour(int band) const { return bandColours[static_cast<std::size_t>(band)]; }
    std::uint32_t mainColour() const { return sumColours[0]; }
    // The sum's colour for the channels of a placement ("main" for stereo).
    std::uint32_t sumColour(Vexparameters::Placement channels) const
    {
        return sumColours[static_cast<std::size_t>(channels)];
    }
    // The analyzer's fill under its input's and its output's level line.
    std::uint32_t analyzerColour(bool input) const { return input ? inputColour : outputColour; }
    // The band being dragged; -1 when none.
    int selected() const { return selectedBand; }
    // The band whose values show; -1 when none.
    int readoutBand() const { return entry.isOpen() ? entry.band() : hoveredBand >= 0 ? hoveredBand : touchedBand; }
    // The readout as last laid out for a display at (x, y), for the band
    // that shows; false when none shows.
    bool layOutReadout(Framework::Binding& binding, int x, int y);
    const Bandreadout& readout() const { return bandValues; }

    enum { bandCount = Vexparameters::bandCount, handleSize = Layout::handleSize };

private:
    struct Band {
        double on, normalizedFrequency, gain, type;
        Vexparameters::Placement placement;
    };
    Band band(Framework::Binding& binding, int b) const;
    // The top-left corner of a band's handle for a display at (x, y), s
    // pixels per dB.
    struct Corner {
        double x, y;
    };
    Corner handleCorner(int x, int y, double s, const Band& band) const;
    // Half the visible range in dB, and pixels per dB (negative: rows grow
    // downwards).
    double zoom();
    double scale() { return -(height - handleSize) / (2.0 * zoom()); }
    // The nearest handle's band within 24 pixels of (px, py); -1 when none.
    int nearestHandle(Framework::Binding& binding, int x, int y, int px, int py);
    // Opens the entry on the readout's value at a press there; false when
    // the press is elsewhere or on a handle.
    bool openEntry(Framework::Window& surface, Framework::Binding& binding, int x, int y,
                   const Framework::Mouseevent& event);
    // Redraws the readout's box, as placed last.
    void invalidateReadout(Framework::Window& surface);
    // Moves the band whose parameters start at base by a drag's movement:
    // frequency and gain with the left button, width with the right.
    void drag(Framework::Paramset& set, int base, bool left, const Framework::Mouseevent& event);
    void updateCurves(const Band* bands);
    // Walks the grid's lines, up and down from 0 dB, drawing an image's line
    // or label at each.
    void drawGrid(Framework::Window& surface, int x, int y, double s, bool labels);
    void drawCurves(Framework::Window& surface, int x, int y, double s, const Band* bands);
    // Adds each band's curve, weighted, into the sums of the channels it
    // acts on; answers which sums show as Placement bits.
    unsigned addSums(const Band* bands);
    // The placement's letter beside a handle whose band is not on both channels.
    void drawPlacement(Framework::Window& surface, const Corner& corner, Vexparameters::Placement placement);
    // The analyzer's levels, 0 dBFS at the top and its floor at the bottom,
    // as a filled area under a thin line of the same colour; answers the
    // line's colour, 0 when nothing shows.
    std::uint32_t drawAnalysis(Framework::Window& surface, int x, int y);
    // The analyzer's scale at the display's right edge, above the curves.
    void drawAnalysisScale(Framework::Window& surface, int x, int y, std::uint32_t colour);
    // Turns dB into window rows, held to a band around the display.
    void toRows(std::vector<Framework::Point>& points, const std::vector<float>& db, int x, int y, double s);

    Framework::Skinbitmap* const numberImage;
    Framework::Skinbitmap* const lineImage;
    Framework::Skinbitmap* const scaleImage;
    const int zoomIndex;
    const int curveIndex;
    Vexdisplay& display;
    const Analysis* const analysis;
    const Framework::Pixelfont* const font;
    // Gesture state of the control that holds the mouse (see Widget).
    int selectedBand = -1;
    // The wheel burst last turned over the display, and the band it turns.
    int wheelBurst = 0;
    int wheelBand = -1;
    // The band under the pointer and the one the user touched last.
    int hoveredBand = -1;
    int touchedBand = -1;
    // The readout's line under the pointer when it holds a value; -1 when none.
    int hoveredLine = -1;
    Bandreadout bandValues;
    Bandentry entry;
    // Allocated once: per band the dB at every curve point, and the points
    // the lines are drawn through.
    std::vector<double> frequencies;
    std::array<std::vector<float>, bandCount> bandCurves;
    // The sums by Placement: both channels, left, right, mid and side.
    std::array<std::vector<float>, Vexparameters::placementCount> sumCurves;
    std::vector<Framework::Point> points;
    std::array<std::uint32_t, bandCount> bandColours{};
    std::array<std::uint32_t, Vexparameters::placementCount> sumColours{};
    std::uint32_t inputColour, outputColour;
};
