#include "audioeffectx.h"

#include "aeffeditor.h"

namespace {

// A host's float as a whole number; one no VstInt32 holds (or no number) is 0.
VstInt32 wholeNumber(float value)
{
    return value > -2147483648.0f && value < 2147483648.0f ? static_cast<VstInt32>(value) : 0;
}

} // namespace

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effProcessEvents:
        return ptr ? processEvents(static_cast<const VstEvents*>(ptr)) : 0;
    case effGetOutputProperties:
        return ptr && getOutputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetPlugCategory:
        return getPlugCategory();
    case effEditKeyDown:
        return editor && editor->onKeyDown(index, static_cast<VstInt32>(value), wholeNumber(opt)) ? 1 : 0;
    case effEditKeyUp:
        return editor && editor->onKeyUp(index, static_cast<VstInt32>(value), wholeNumber(opt)) ? 1 : 0;
    case effSetEditKnobMode:
        return editor && editor->setKnobMode(static_cast<VstInt32>(value)) ? 1 : 0;
    case effGetCurrentMidiProgram:
        return -1;
    case effGetSpeakerArrangement:
        // No arrangement of our own: both of the host's pointers become null.
        if (value)
            *reinterpret_cast<void**>(value) = nullptr;
        if (ptr)
            *static_cast<void**>(ptr) = nullptr;
        return 0;
    case effSetTotalSampleToProcess:
        return value;
    case effCanBeAutomated:
        return canParameterBeAutomated(index) ? 1 : 0;
    case effGetProgramNameIndexed:
        return text && getProgramNameIndexed(static_cast<VstInt32>(value), index, text) ? 1 : 0;
    case effGetEffectName:
        return text && getEffectName(text) ? 1 : 0;
    case effGetVendorString:
        return text && getVendorString(text) ? 1 : 0;
    case effGetProductString:
        return text && getProductString(text) ? 1 : 0;
    case effGetVendorVersion:
        return getVendorVersion();
    case effCanDo:
        return text ? canDo(text) : 0;
    case effGetVstVersion:
        return getVstVersion();
    default:
        return opcode < effProcessEvents ? AudioEffect::dispatcher(opcode, index, value, ptr, opt) : 0;
    }
}
