#include "factory.h"

#include "eq/editor/vexbuilder.h"
#include "eq/editor/vexgui.h"
#include "eq/vex.h"
#include "eq/vexparameters.h"
#include "framework/plugin/vstfxpfileio.h"
#include "framework/vst/vstplugin.h"

#include <new>

Framework::Plugininfo vexatoneInfo()
{
    Framework::Plugininfo info;
    info.numParams = Vexparameters::count;
    info.numPrograms = vexProgramCount;
    info.vendorVersion = 2;
    info.uniqueId = vstFourCC('k', '4', 'w', '9');
    info.numMidiInputs = 0;
    info.numMidiOutputs = 0;
    info.numInputs = 2;
    info.numOutputs = 2;
    info.canReplacing = true;
    info.canDoubleReplacing = true;
    info.isSynth = false;
    info.effectName = "Vexatone";
    info.productName = "Vexatone";
    info.shortName = "Vexa";
    info.vendorName = "Hollowbirch";
    info.canDos = {"receiveVstEvents", "receiveVstMidiEvent"};
    return info;
}

AudioEffect* createEffectInstance(audioMasterCallback audioMaster)
{
    // Nothing may unwind into the host: a failure to construct yields null.
    try {
        const Framework::Plugininfo info = vexatoneInfo();
        Framework::Programfileios handlers{
            std::make_shared<Framework::VSTfxpfileio>(info.uniqueId, info.numParams, vexatoneVersion)};
        return new Framework::VSTplugin<Vex, Vexgui, Vexbuilder>(audioMaster, info, std::move(handlers), "Red");
    } catch (...) {
        return nullptr;
    }
}
