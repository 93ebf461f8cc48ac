#include "eqwindow.h"

#include "displayscale.h"
#include "listfile.h"
#include "analysis.h"

#include "eq/filterdesign.h"
#include "eq/vexdisplay.h"
#include "framework/plugin/paramset.h"
#include "framework/gui/blendcell.h"
#include "framework/gui/pixelfont.h"
#include "framework/gui/skinbitmap.h"

#include <algorithm>
#include <cmath>

using Framework::Binding;
using Framework::Mouseevent;
using Framework::Wheelevent;
namespace Mouse = Framework::Mouse;
using Framework::Window;

namespace {

// A band's parameters, from its first, as the parameter table lays them out.
namespace Param = Vexparameters;

constexpr std::array<std::uint32_t, Eqwindow::bandCount> defaultColours = {
    0x2003FF00, 0x2000FFFE, 0x205C5FA8, 0x20F90000, 0x20FFF600, 0x20F700AE, 0x20CACACA};

// The analyzer's fills when the skin names none: a light grey for the input
// behind a pale blue for the output, faint enough for the curves on top.
constexpr std::uint32_t defaultInputColour = 0x30B4B4B4, defaultOutputColour = 0x4878A0D2;

// The channel sums' colours when the skin names none, by Placement: white
// for both channels (the skin's "main"), then left, right, mid and side.
constexpr std::array<std::uint32_t, Param::placementCount> defaultSumColours = {0xFFFFFFFF, 0xFF4FB8FF, 0xFFFF9A3C,
                                                                                0xFFF0F0F0, 0xFFC080FF};
constexpr const char* sumKeys[Param::placementCount] = {"main", "left", "right", "mid", "side"};
constexpr const char* placementLetters[Param::placementCount] = {"", "L", "R", "M", "S"};

// Gains beyond these mean nothing on any display; they keep sums finite.
constexpr float dbLimit = 1000.0f;

std::uint32_t argbOf(const std::vector<int>& n)
{
    return static_cast<std::uint32_t>(n[0] & 0xFF) << 24 | static_cast<std::uint32_t>(n[1] & 0xFF) << 16 |
           static_cast<std::uint32_t>(n[2] & 0xFF) << 8 | static_cast<std::uint32_t>(n[3] & 0xFF);
}

} // namespace

Eqwindow::Eqwindow(int width, int height, Framework::Skinbitmap* handles, Framework::Skinbitmap* numbers,
                   Framework::Skinbitmap* line, Framework::Skinbitmap* scale, int zoomIndex, int curveIndex,
                   Vexdisplay& display, const Analysis* analysis, const Framework::Pixelfont* font)
    : Bltwidget(width, height, handles), numberImage(numbers), lineImage(line), scaleImage(scale), zoomIndex(zoomIndex),
      curveIndex(curveIndex), display(display), analysis(analysis), font(font), frequencies(Displayscale::points),
      points(Displayscale::points), bandColours(defaultColours), sumColours(defaultSumColours),
      inputColour(defaultInputColour), outputColour(defaultOutputColour)
{
    for (int i = 0; i < Displayscale::points; ++i)
        frequencies[static_cast<std::size_t>(i)] = Displayscale::frequencyAt(i);
    for (auto& curve : bandCurves)
        curve.assign(Displayscale::points, 0.0f);
    for (auto& curve : sumCurves)
        curve.assign(Displayscale::points, 0.0f);
}

double Eqwindow::zoom()
{
    const double z = display.value(zoomIndex);
    return z >= 1.0 ? z : 1.0;
}

Eqwindow::Corner Eqwindow::handleCorner(int x, int y, double s, const Band& band) const
{
    return {x + (width - handleSize) * band.normalizedFrequency, y + s * band.gain + (height - handleSize) * 0.5};
}

Eqwindow::Band Eqwindow::band(Binding& binding, int b) const
{
    Framework::Paramset& set = *binding.paramset;
    const int base = binding.index + Param::perBand * b;
    return {set.getValue(base + Param::on), set.getNormalized(base + Param::frequency),
            set.getValue(base + Param::gain), set.getValue(base + Param::type),
            static_cast<Param::Placement>(
                Param::stepOf(set.getValue(Param::index(b, Param::placement)), Param::placementCount))};
}

int Eqwindow::nearestHandle(Binding& binding, int x, int y, int px, int py)
{
    const double s = scale();
    int nearest = -1;
    double best = Layout::handleReach;
    for (int b = 0; b < bandCount; ++b) {
        const Corner corner = handleCorner(x, y, s, band(binding, b));
        const double d = std::hypot(px - (corner.x + handleSize / 2), py - (corner.y + handleSize / 2));
        if (d < best || (nearest < 0 && d == best)) {
            best = d;
            nearest = b;
        }
    }
    return nearest;
}

void Eqwindow::mouse(Window& window, int& x, int& y, Binding& binding, Mouseevent& event)
{
    const int listened = display.listened();
    const int shown = readoutBand();
    Framework::Paramset& set = *binding.paramset;
    if (event.code == Mouse::leftDown && !event.control && !event.alt && openEntry(window, binding, x, y, event)) {
        // A click on a value of the readout types it: no other gesture.
        return;
    }
    if (Mouse::isPress(event.code)) {
        const int b = nearestHandle(binding, x, y, event.x, event.y);
        if (b >= 0)
            touchedBand = b;
    }
    if (event.code == Mouse::leftDown && event.control) {
        // Ctrl+click: the band's frequency, gain and width return to their defaults.
        const int b = nearestHandle(binding, x, y, event.x, event.y);
        for (const int p : {Param::frequency, Param::gain, Param::width})
            if (b >= 0) {
                const int i = binding.index + Param::perBand * b + p;
                set.beginEdit(i, Framework::Gesture::pointer);
                set.setValue(set.getDefault(i), i, false);
            }
    } else if (event.code == Mouse::leftDown || event.code == Mouse::rightDown) {
        const int b = nearestHandle(binding, x, y, event.x, event.y);
        if (b >= 0 && set.getNormalized(binding.index + Param::perBand * b + Param::on) > 0.5) {
            selectedBand = b;
            // Alt with the press: the band is heard alone until the release.
            if (event.alt)
                display.listen(b);
            const int base = binding.index + Param::perBand * b;
            if (event.code == Mouse::leftDown) {
                set.beginEdit(base + Param::frequency, Framework::Gesture::pointer);
                set.beginEdit(base + Param::gain, Framework::Gesture::pointer);
            } else {
                set.beginEdit(base + Param::width, Framework::Gesture::pointer);
            }
        }
    } else if (Mouse::isRelease(event.code)) {
        // The release carries the last movement: the handle ends under the pointer.
        if (selectedBand >= 0)
            drag(set, binding.index + Param::perBand * selectedBand, event.code == Mouse::leftUp, event);
        if (selectedBand >= 0 && display.listened() == selectedBand)
            display.listen(Solo::none);
        selectedBand = -1;
    } else if (event.code == Mouse::leftDouble) {
        const int b = nearestHandle(binding, x, y, event.x, event.y);
        if (b >= 0) {
            const int p = binding.index + Param::perBand * b + Param::on;
            set.beginEdit(p, Framework::Gesture::pointer);
            set.setNormalized(1.0 - set.getNormalized(p), p, false);
        }
    } else if (Mouse::isDrag(event.code) && selectedBand >= 0) {
        drag(set, binding.index + Param::perBand * selectedBand, event.code == Mouse::leftDrag, event);
    }
    // The solo mark shows from the press to the release; the readout moves
    // to the band pressed.
    if (display.listened() != listened || readoutBand() != shown)
        window.invalidate(x, y, width, height);
}

bool Eqwindow::openEntry(Window& surface, Binding& binding, int x, int y, const Mouseevent& event)
{
    if (!font || !layOutReadout(binding, x, y) || !bandValues.contains(event.x, event.y))
        return false;
    // A press on a handle itself still takes the handle.
    const int b = nearestHandle(binding, x, y, event.x, event.y);
    if (b >= 0) {
        const Corner corner = handleCorner(x, y, scale(), band(binding, b));
        if (std::hypot(event.x - (corner.x + handleSize / 2), event.y - (corner.y + handleSize / 2)) <= handleSize / 2)
            return false;
    }
    const int line = bandValues.lineAt(event.y);
    const Bandreadout::Value value = bandValues.valueOf(line);
    if (value == Bandreadout::Value::none)
        return false;
    std::string text = bandValues.text(line);
    // The width's line opens on its Q alone.
    if (value == Bandreadout::Value::width)
        text = text.substr(2, text.find("  ") - 2);
    const int shown = readoutBand();
    const int top = bandValues.lineTop(line) - 4;
    entry.open(surface, {bandValues.x() + 1, top, bandValues.width() - 2, font->glyphHeight() + 8, 12, 16}, text,
               *binding.paramset, shown, value, display.designRate());
    touchedBand = shown;
    return true;
}

void Eqwindow::hover(Window& surface, int& x, int& y, Binding& binding, Mouseevent& event)
{
    const bool inside = event.x > x && event.x < x + width && event.y > y && event.y < y + height;
    int b = -1, line = -1;
    if (inside && layOutReadout(binding, x, y) && bandValues.contains(event.x, event.y)) {
        b = readoutBand();
        line = bandValues.lineAt(event.y);
        if (bandValues.valueOf(line) == Bandreadout::Value::none)
            line = -1;
    } else if (inside) {
        b = nearestHandle(binding, x, y, event.x, event.y);
    }
    if (b == hoveredBand && line == hoveredLine)
        return;
    hoveredLine = line;
    // The box where it was, and where it goes.
    if (layOutReadout(binding, x, y))
        invalidateReadout(surface);
    hoveredBand = b;
    if (layOutReadout(binding, x, y))
        invalidateReadout(surface);
}

bool Eqwindow::layOutReadout(Binding& binding, int x, int y)
{
    const int b = readoutBand();
    if (b < 0 || !font)
        return false;
    double values[Param::bandValueCount];
    Framework::Paramset& set = *binding.paramset;
    Param::readBand(
        b, [&set](int i) { return set.getValue(i); }, values);
    bandValues.compose(values, b, set.getValue(Param::curve), display.designRate());
    // The side that hides no other band's handle, the right one when both do.
    const double s = scale();
    auto hidesHandle = [&] {
        for (int other = 0; other < bandCount; ++other) {
            const Corner c = handleCorner(x, y, s, band(binding, other));
            if (other != b && bandValues.overlaps(static_cast<int>(c.x), static_cast<int>(c.y), handleSize, handleSize))
                return true;
        }
        return false;
    };
    const Corner corner = handleCorner(x, y, s, band(binding, b));
    for (const bool leftward : {false, true, false}) {
        bandValues.place(*font, static_cast<int>(corner.x), static_cast<int>(corner.y), x + 2, y + 2, x + width - 2,
                         y + height - 2, leftward);
        if (!hidesHandle())
            break;
    }
    return true;
}

void Eqwindow::invalidateReadout(Window& surface)
{
    surface.invalidate(bandValues.x(), bandValues.y(), bandValues.width(), bandValues.height());
}

void Eqwindow::drag(Framework::Paramset& set, int base, bool left, const Mouseevent& event)
{
    if (event.dx == 0.0 && event.dy == 0.0)
        return;
    if (left) {
        set.setNormalized(unitClamped(set.getNormalized(base + Param::frequency) - event.dx / (width - handleSize)),
                          base + Param::frequency, false);
        const double z = zoom();
        set.setValue(std::clamp(set.getValue(base + Param::gain) - event.dy / scale(), -z, z), base + Param::gain,
                     false);
    } else {
        set.setNormalized(unitClamped(set.getNormalized(base + Param::width) - event.dy / (height - handleSize)),
                          base + Param::width, false);
    }
}

// The wheel over a handle changes its width, which leaves the handle where
// it is; with Ctrl its gain. A burst of turns stays with the band it began on.
bool Eqwindow::wheel(Window&, int& x, int& y, Binding& binding, Wheelevent& event)
{
    if (event.burst != wheelBurst) {
        wheelBurst = event.burst;
        wheelBand = nearestHandle(binding, x, y, event.x, event.y);
        if (wheelBand >= 0)
            touchedBand = wheelBand;
    }
    if (wheelBand < 0)
        return false;
    Framework::Paramset& set = *binding.paramset;
    const int base = binding.index + Param::perBand * wheelBand;
    if (!event.control) {
        Binding widthBinding = binding;
        widthBinding.index = base + Param::width;
        return stepNormalized(widthBinding, event);
    }
    const int g = base + Param::gain;
    set.beginEdit(g, Framework::Gesture::wheel);
    set.setValue(std::clamp(set.getValue(g) + (event.shift ? 0.1 : 0.5) * event.notches, set.getMin(g), set.getMax(g)),
                 g, false);
    return true;
}

void Eqwindow::draw(Window& surface, int& x, int& y, int&, Binding& binding, Mouseevent&)
{
    Band bands[bandCount];
    for (int b = 0; b < bandCount; ++b)
        bands[b] = band(binding, b);
    // One zoom for the whole paint, so grid, curves and handles agree.
    const double s = scale();
    surface.setClip(x, y, width, height);
    drawGrid(surface, x, y, s, false);
    const std::uint32_t analyzerLine = drawAnalysis(surface, x, y);
    updateCurves(bands);
    drawCurves(surface, x, y, s, bands);
    for (int b = 0; b < bandCount; ++b) {
        const Corner corner = handleCorner(x, y, s, bands[b]);
        blendPart(surface, handleSize * b, bands[b].on > 0.5 ? 0 : handleSize, handleSize, handleSize,
                  static_cast<int>(corner.x), static_cast<int>(corner.y));
        drawPlacement(surface, corner, bands[b].placement);
        if (b == display.listened() && font)
            Framework::drawText("solo", *font, surface, static_cast<int>(corner.x) - 4,
                                static_cast<int>(corner.y) - font->glyphHeight() - 2, 1, 1);
    }
    drawGrid(surface, x, y, s, true);
    if (analyzerLine)
        drawAnalysisScale(surface, x, y, analyzerLine);
    if (scaleImage)
        Framework::blendCell(surface, scaleImage, 0, 0, scaleImage->width(), scaleImage->height(),
                             x + Displayscale::scaleX, y + Displayscale::scaleY);
    if (layOutReadout(binding, x, y))
        bandValues.draw(surface, *font, hoveredLine);
    surface.clearClip();
}

// Lines at +-3, +-6, then every 6 dB to +-36; 0 dB has none.
void Eqwindow::drawGrid(Window& surface, int x, int y, double s, bool labels)
{
    const Framework::Skinbitmap* image = labels ? numberImage : lineImage;
    if (!image)
        return;
    const double centre = height / 2 + y - 5;
    double step = 3.0 * s, up = centre, down = centre;
    const int middle = (image->height() - 10) / 2;
    for (int n = 1; n <= 7; ++n) {
        up += step;
        down -= step;
        for (const auto& [row, sourceRow] : {std::pair<double, int>{up, middle - 10 * n}, {down, middle + 10 * n}}) {
            const int r = static_cast<int>(row);
            if (labels)
                Framework::blendCell(surface, image, 0, sourceRow, image->width(), 10, x, r);
            else
                Framework::blendCell(surface, image, 0, 0, image->width(), image->height(), x + 20, r + 4);
        }
        if (n == 2)
            step = 6.0 * s;
    }
}

// A band's magnitudes are evaluated only after it changed. A band that is
// off stays flagged, so it reads as flat until it is on again.
void Eqwindow::updateCurves(const Band* bands)
{
    const double fs = display.designRate();
    for (int b = 0; b < bandCount; ++b) {
        if (!display.isBandDirty(b))
            continue;
        std::vector<float>& curve = bandCurves[static_cast<std::size_t>(b)];
        if (bands[b].on <= 0.5) {
            std::fill(curve.begin(), curve.end(), 0.0f);
            continue;
        }
        Coefficients sections[Filterdesign::maxBandSections];
        const int n = display.bandCurve(b, sections);
        for (std::size_t i = 0; i < curve.size(); ++i) {
            // No rate yet: the filters pass everything.
            double db = 0.0;
            for (int k = 0; k < n && fs > 0.0; ++k)
                db += Filterdesign::magnitudeDb(sections[k], frequencies[i] / fs);
            curve[i] = std::isnan(db) ? 0.0f : static_cast<float>(std::clamp(db, -1.0 * dbLimit, 1.0 * dbLimit));
        }
        // The bell's peak meets its handle.
        const int k = static_cast<int>((width - handleSize) * bands[b].normalizedFrequency) + handleSize / 2;
        if (static_cast<int>(bands[b].type) == 1 && k >= 0 && k < static_cast<int>(curve.size()))
            curve[static_cast<std::size_t>(k)] = static_cast<float>(bands[b].gain);
    }
}

// Each band is drawn unscaled; then the sums of the channels in use.
void Eqwindow::drawCurves(Window& surface, int x, int y, double s, const Band* bands)
{
    for (int b = 0; b < bandCount; ++b) {
        const std::uint32_t colour = bandColours[static_cast<std::size_t>(b)];
        if (colour >> 24 == 0)
            continue;
        toRows(points, bandCurves[static_cast<std::size_t>(b)], x, y, s);
        surface.graph(points.data(), static_cast<int>(points.size()), colour, 3.0f);
    }
    const unsigned shown = addSums(bands);
    for (std::size_t p = 0; p < sumCurves.size(); ++p)
        if (shown & 1u << p) {
            toRows(points, sumCurves[p], x, y, s);
            surface.graph(points.data(), static_cast<int>(points.size()), sumColours[p], 2.0f);
        }
}

// The sums weigh the bands by "curve +-", except a high-pass on the first
// band or a low-pass on the last, which always count whole. A band on both
// channels counts in every sum; a band that is off changes none.
unsigned Eqwindow::addSums(const Band* bands)
{
    using Param::Placement;
    unsigned used = 0;
    for (int b = 0; b < bandCount; ++b)
        if (bands[b].on > 0.5)
            used |= 1u << static_cast<int>(bands[b].placement);
    // A channel's pair shows whole: left with right, mid with side.
    auto bit = [](Placement p) { return 1u << static_cast<int>(p); };
    const unsigned leftRight = bit(Placement::left) | bit(Placement::right);
    const unsigned midSide = bit(Placement::mid) | bit(Placement::side);
    unsigned shown = (used & leftRight ? leftRight : 0u) | (used & midSide ? midSide : 0u);
    if (!shown)
        shown = bit(Placement::stereo);
    // Only the sums shown are added up.
    for (std::size_t q = 0; q < sumCurves.size(); ++q)
        if (shown & 1u << q)
            std::fill(sumCurves[q].begin(), sumCurves[q].end(), 0.0f);
    const double curveScale = display.value(curveIndex);
    for (int b = 0; b < bandCount; ++b) {
        const int kind = static_cast<int>(bands[b].type);
        const bool whole = (b == 0 && kind == 0) || (b == bandCount - 1 && kind == 2);
        const float w = static_cast<float>(whole ? 1.0 : curveScale);
        const std::size_t p = static_cast<std::size_t>(bands[b].placement);
        const std::vector<float>& curve = bandCurves[static_cast<std::size_t>(b)];
        for (std::size_t q = 0; q < sumCurves.size(); ++q)
            if ((shown & 1u << q) && (q == p || p == 0))
                for (std::size_t i = 0; i < curve.size(); ++i)
                    sumCurves[q][i] += w * curve[i];
    }
    return shown;
}

void Eqwindow::drawPlacement(Window& surface, const Corner& corner, Param::Placement placement)
{
    const char* letter = placementLetters[static_cast<int>(placement)];
    if (!font || !*letter)
        return;
    Framework::drawText(letter, *font, surface, static_cast<int>(corner.x) + handleSize + 1,
                        static_cast<int>(corner.y) + (handleSize - font->glyphHeight()) / 2, 1, 1);
}

// A level at the floor lies just below the display, so silence draws
// nothing; a tap whose every level is there is not drawn at all.
std::uint32_t Eqwindow::drawAnalysis(Window& surface, int x, int y)
{
    if (!analysis)
        return 0;
    const double rowsPerDb = height / static_cast<double>(Analysis::topDb - Analysis::floorDb);
    const float below = static_cast<float>(y + height + 2);
    std::uint32_t scaleColour = 0;
    for (const Analyzerfeed::Tap tap : {Analyzerfeed::input, Analyzerfeed::output}) {
        const std::uint32_t colour = analyzerColour(tap == Analyzerfeed::input);
        if (!analysis->shows(tap) || analysis->silent(tap) || colour >> 24 == 0)
            continue;
        const std::vector<float>& levels = analysis->levels(tap);
        const std::size_t n = std::min(levels.size(), points.size());
        for (std::size_t i = 0; i < n; ++i) {
            const double level = std::min(levels[i], Analysis::topDb + 12.0f);
            points[i] = {static_cast<float>(x + i),
                         level <= Analysis::floorDb ? below
                                                    : static_cast<float>(y + (Analysis::topDb - level) * rowsPerDb)};
        }
        surface.fillBelow(points.data(), static_cast<int>(n), below, colour);
        // The line: the fill's colour, three times as opaque.
        const std::uint32_t alpha = std::min<std::uint32_t>(255, 3 * (colour >> 24));
        scaleColour = alpha << 24 | (colour & 0xFFFFFF);
        surface.graph(points.data(), static_cast<int>(n), scaleColour, 1.0f);
    }
    return scaleColour;
}

// A tick and a label every 24 dB from -12 dBFS, which keeps them off the
// curves' 0 dB line at -48 dBFS.
void Eqwindow::drawAnalysisScale(Window& surface, int x, int y, std::uint32_t colour)
{
    const int right = x + width - 1;
    for (int level = 12; level < -Analysis::floorDb; level += 24) {
        const float row = static_cast<float>(y + level * height / (Analysis::topDb - Analysis::floorDb));
        const Framework::Point tick[2] = {{static_cast<float>(right - 5), row}, {static_cast<float>(right), row}};
        surface.graph(tick, 2, colour, 1.0f);
        if (font)
            Framework::drawText("-" + std::to_string(level), *font, surface, right - 7 - 3 * font->glyphWidth,
                                static_cast<int>(row) - font->glyphHeight() / 2, 3, 2);
    }
}

// 0 dB lies one row above the handles' centre row.
void Eqwindow::toRows(std::vector<Framework::Point>& line, const std::vector<float>& db, int x, int y, double s)
{
    const double step = static_cast<double>(width) / Displayscale::points;
    // Just outside the display the lines are clipped away.
    const double top = y - 4.0, bottom = y + height + 4.0;
    const double zero = height * 0.5 + (y - 1);
    for (std::size_t i = 0; i < line.size(); ++i)
        line[i] = {static_cast<float>(x + i * step), static_cast<float>(std::clamp(db[i] * s + zero, top, bottom))};
}

void Eqwindow::skinChanged(const std::string& folder)
{
    const Listfile colours(folder + "colors.txt");
    bandColours = defaultColours;
    for (int n = 1; n <= bandCount; ++n) {
        const std::vector<int> numbers = colours.numbers("band-" + std::to_string(n));
        if (numbers.size() != 4) {
            bandColours = defaultColours;
            break;
        }
        bandColours[static_cast<std::size_t>(n - 1)] = argbOf(numbers);
    }
    for (std::size_t p = 0; p < sumColours.size(); ++p) {
        const std::vector<int> numbers = colours.numbers(sumKeys[p]);
        sumColours[p] = numbers.size() == 4 ? argbOf(numbers) : defaultSumColours[p];
    }
    bandValues.colours = {colours.colour("hint", 0), colours.colour("hint-edge", 0)};
    const std::vector<int> in = colours.numbers("analyzer-in"), out = colours.numbers("analyzer-out");
    inputColour = in.size() == 4 ? argbOf(in) : defaultInputColour;
    outputColour = out.size() == 4 ? argbOf(out) : defaultOutputColour;
}
