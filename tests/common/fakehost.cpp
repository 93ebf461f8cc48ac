#include "fakehost.h"

namespace Fakehost {

namespace {
std::vector<Hostcall> recorded;
VstIntPtr versionAnswer = 2400;
} // namespace

VstIntPtr VSTCALLBACK callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* /*ptr*/,
                               float opt)
{
    recorded.push_back({effect, opcode, index, value, opt});
    return opcode == audioMasterVersion ? versionAnswer : 0;
}

void reset(VstIntPtr version)
{
    recorded.clear();
    versionAnswer = version;
}

const std::vector<Hostcall>& calls()
{
    return recorded;
}

std::vector<Hostcall> callsOf(VstInt32 opcode)
{
    std::vector<Hostcall> found;
    for (const Hostcall& call : recorded)
        if (call.opcode == opcode)
            found.push_back(call);
    return found;
}

} // namespace Fakehost
