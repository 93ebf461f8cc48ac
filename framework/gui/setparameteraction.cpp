#include "setparameteraction.h"

#include "framework/plugin/paramset.h"

namespace Framework {

void Setparameteraction::execute()
{
    paramset.beginEdit(index);
    paramset.setNormalized(value, index, false);
    paramset.endEdit();
}

} // namespace Framework
