// A short text about the control under the pointer (its name and value),
// shown once the pointer has rested on it for about half a second: a
// filled box with the text in the skin's pixel font, below the control, or
// above it where there is no room, inside the window and never over the
// control. It hides when the pointer leaves the control or the window, at
// any press or wheel turn, and when the editor closes. It is drawn over the
// painted tree and costs nothing while no pointer rests.
#pragma once

#include <cstdint>
#include <string>

namespace Framework {

class Pixelfont;
class Uicomp;
class Window;

// The ARGB colours of a box that holds text: as a skin names them, or 0
// where it names none, which suits the box to the font's glyphs: dark under
// light glyphs, light under dark ones.
struct Boxcolours {
    std::uint32_t fill = 0, edge = 0;
    Boxcolours suiting(const Pixelfont& font) const;
};

class Hint {
public:
    // Ticks of the window's timer (about 60 a second) before it shows.
    static constexpr int delayTicks = 30;
    // Space between the control and the box, and around the text.
    static constexpr int gap = 3, padding = 3;

    // No font, no hint.
    void setFont(const Pixelfont* pixelfont) { font = pixelfont; }
    void setColours(Boxcolours skinColours) { colours = skinColours; }
    // The pointer moved over target (null: over none) with no button held:
    // a new target hides the hint and starts the wait.
    void follow(Window& window, Uicomp* target);
    // Hides the hint and forgets its target.
    void hide(Window& window);
    // A tick of the timer: the wait ends, and the hint shows where the
    // target has something to say.
    void tick(Window& window);
    // Draws the hint over whatever the paint drew.
    void draw(Window& window) const;

    bool shown() const { return showing; }
    const std::string& text() const { return words; }
    int x() const { return boxX; }
    int y() const { return boxY; }
    int width() const { return boxW; }
    int height() const { return boxH; }

private:
    // Below or above the target's rectangle, inside the window.
    void place(const Window& window);

    const Pixelfont* font = nullptr;
    Boxcolours colours;
    Uicomp* resting = nullptr;
    int countdown = 0;
    bool showing = false;
    std::string words;
    int boxX = 0, boxY = 0, boxW = 0, boxH = 0;
};

// A box of fill colour inside a one-pixel frame of edge colour.
void drawFramedBox(Window& window, int x, int y, int w, int h, std::uint32_t fill, std::uint32_t edge);

} // namespace Framework
