#include "fakehost.h"

#include <cstring>

namespace Fakehost {

namespace {
std::vector<Hostcall> recorded;
VstIntPtr versionAnswer = 2400;
bool resizing = false;
bool echoing = false;
} // namespace

VstIntPtr VSTCALLBACK callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    recorded.push_back({effect, opcode, index, value, opt});
    if (opcode == audioMasterVersion)
        return versionAnswer;
    if (opcode == audioMasterAutomate && echoing && effect)
        effect->setParameter(effect, index, opt);
    if (opcode == audioMasterCanDo && ptr && std::strcmp(static_cast<const char*>(ptr), "sizeWindow") == 0)
        return resizing ? 1 : 0;
    return opcode == audioMasterSizeWindow && resizing ? 1 : 0;
}

void reset(VstIntPtr version)
{
    recorded.clear();
    versionAnswer = version;
    resizing = false;
    echoing = false;
}

void echoes(bool echo)
{
    echoing = echo;
}

void resizes(bool resizes)
{
    resizing = resizes;
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
