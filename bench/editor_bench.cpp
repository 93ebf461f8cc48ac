// The editor's costs on the headless window: a full repaint from the back
// buffer, and what a parameter change costs the thread that makes it.
#include "framework/gui/gui.h"
#include "framework/platform/headless/screen.h"
#include "framework/plugin/paramset.h"
#include "framework/plugin/settingsfile.h"
#include "tempfolder.h"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <filesystem>

using namespace Framework;

namespace {

// A component that fills its square and redraws when its parameter changes,
// as a control does.
class Square : public Uicomp {
public:
    Square(int x, int y, int index) : Uicomp(x, y), index(index) {}
    void draw(Igui& gui, bool&, int&, int&, int&, int&) override
    {
        gui.surface().setColour(0xC0FF8000);
        gui.surface().fillRect(x, y, 34, 34);
    }
    bool valueChanged(Igui& gui, bool& visible, int& changed, Paramset* set) override
    {
        if (Uicomp::valueChanged(gui, visible, changed, set) || changed != index)
            return false;
        redraw(gui);
        return true;
    }
    int width() override { return 34; }
    int height() override { return 34; }

private:
    const int index;
};

// An 800 x 380 editor with a background and 39 controls, one per parameter.
struct Editor {
    Tempfolder dir;
    Settingsfile settings{dir.file("Vexatone.ini")};
    Gui gui{settings, 800, 380};
    Paramset values;

    Editor()
    {
        settings.add("skin", "Red");
        std::filesystem::create_directories(dir.file("skins/Red"));
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 800, 380);
        cairo_t* c = cairo_create(s);
        cairo_set_source_rgb(c, 0.2, 0.1, 0.1);
        cairo_paint(c);
        cairo_destroy(c);
        cairo_surface_write_to_png(s, dir.file("skins/Red/background.png").c_str());
        cairo_surface_destroy(s);
        gui.setBackground("background.png");
        for (int i = 0; i < 39; ++i)
            gui.root().add(std::make_unique<Square>(10 + 40 * (i % 19), 10 + 40 * (i / 19), i));
    }
};

void FullRepaint(benchmark::State& state)
{
    Editor editor;
    editor.gui.open(Headless::parentWindow());
    for (auto _ : state)
        Headless::paintAll(editor.gui);
}
BENCHMARK(FullRepaint)->Unit(benchmark::kMicrosecond);

// What a parameter change costs the thread that makes it: with the editor
// closed, and open (a redraw request, no drawing).
void ValueChangedClosed(benchmark::State& state)
{
    Editor editor;
    for (auto _ : state)
        editor.gui.valueChanged(17, editor.values);
}
BENCHMARK(ValueChangedClosed);

void ValueChangedOpen(benchmark::State& state)
{
    Editor editor;
    editor.gui.open(Headless::parentWindow());
    int pending = 0;
    for (auto _ : state) {
        editor.gui.valueChanged(17, editor.values);
        // The headless window keeps a record of requests; it is emptied now
        // and then, as paints would.
        if (++pending == 4096) {
            Headless::takeInvalidated(editor.gui);
            pending = 0;
        }
    }
}
BENCHMARK(ValueChangedOpen);

} // namespace

BENCHMARK_MAIN();
