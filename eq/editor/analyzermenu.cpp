#include "analyzermenu.h"

#include "vexgui.h"

#include <iterator>

namespace {

// The items in order, and the taps each shows.
constexpr const char* items[] = {"Off", "Input", "Output", "Input and output"};
constexpr unsigned itemTaps[] = {0, Analyzerfeed::input, Analyzerfeed::output,
                                 Analyzerfeed::input | Analyzerfeed::output};

} // namespace

Analyzermenu::Analyzermenu(std::string title, Vexgui& gui) : Systemmenu(std::move(title), true), gui(gui)
{
    for (const char* item : items)
        addItem(nullptr, item);
}

void Analyzermenu::select(int position)
{
    if (position >= 0 && position < static_cast<int>(std::size(itemTaps)))
        gui.setAnalyzer(itemTaps[position]);
}

void Analyzermenu::prepare()
{
    Systemmenu::prepare();
    for (int position = 0; position < static_cast<int>(std::size(itemTaps)); ++position)
        setChecked(position, itemTaps[position] == gui.analyzer());
}
