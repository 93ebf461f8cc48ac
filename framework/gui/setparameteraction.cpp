#include "setparameteraction.h"

#include "framework/plugin/paramset.h"

namespace Framework {

void Setparameteraction::execute()
{
    paramset.beginEdit(index, Gesture::entry);
    paramset.setNormalized(value, index, false);
    paramset.endEdit(Gesture::entry);
}

} // namespace Framework
