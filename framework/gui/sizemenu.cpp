#include "sizemenu.h"

#include "gui.h"

#include <string>

namespace Framework {

Sizemenu::Sizemenu(std::string title, Gui& gui) : Systemmenu(std::move(title), true), gui(gui)
{
    for (int percent : Window::scales)
        addItem(nullptr, std::to_string(percent) + "%");
}

void Sizemenu::select(int position)
{
    if (position >= 0 && position < static_cast<int>(Window::scales.size()))
        gui.chooseScale(Window::scales[static_cast<std::size_t>(position)]);
}

void Sizemenu::prepare()
{
    Systemmenu::prepare();
    const int chosen = gui.chosenScale();
    const int checked = chosen != 0 ? chosen : gui.scale();
    for (std::size_t position = 0; position < Window::scales.size(); ++position)
        setChecked(static_cast<int>(position), Window::scales[position] == checked);
}

} // namespace Framework
