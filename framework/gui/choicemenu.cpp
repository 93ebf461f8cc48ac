#include "choicemenu.h"

#include "framework/plugin/paramset.h"

namespace Framework {

Choicemenu::Choicemenu(std::string title, Paramset& paramset, int index, const std::vector<std::string>& items)
    : Systemmenu(std::move(title), true), paramset(paramset), index(index)
{
    for (const std::string& item : items)
        addItem(nullptr, item);
}

void Choicemenu::select(int position)
{
    paramset.beginEdit(index, Gesture::entry);
    paramset.setValue(paramset.getMin(index) + position, index, false);
    paramset.endEdit(Gesture::entry);
}

// A value between steps belongs to the step below it, as the parameter reads.
void Choicemenu::prepare()
{
    Systemmenu::prepare();
    const int current = static_cast<int>(paramset.getValue(index) - paramset.getMin(index));
    for (int position = 0; position < itemCount(); ++position)
        setChecked(position, position == current);
}

} // namespace Framework
