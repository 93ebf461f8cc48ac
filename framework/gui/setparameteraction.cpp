#include "setparameteraction.h"

#include "framework/plugin/paramset.h"

namespace Framework {

void Setparameteraction::execute()
{
    paramset.setNormalized(value, index, false);
}

} // namespace Framework
