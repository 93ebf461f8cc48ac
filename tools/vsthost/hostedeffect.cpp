#include "hostedeffect.h"

#include <stdexcept>

#if !defined(_WIN32)
#include <dlfcn.h>
#endif

namespace {

// This host answers only the version it speaks.
VstIntPtr VSTCALLBACK hostCallback(AEffect* /*effect*/, VstInt32 opcode, VstInt32 /*index*/, VstIntPtr /*value*/,
                                   void* /*ptr*/, float /*opt*/)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

#if defined(_WIN32)
constexpr const char* wrongArchitecture = sizeof(void*) == 4
                                              ? ": not a 32-bit DLL; 64-bit plug-ins need the 64-bit vsthost"
                                              : ": not a 64-bit DLL; 32-bit plug-ins need the 32-bit vsthost";
#endif

using Entry = AEffect*(VSTCALLBACK*)(audioMasterCallback);

// More channels than any effect of ours has; a larger count is garbage.
constexpr VstInt32 maximumChannels = 64;

// What makes an effect unusable to a host, or null.
const char* problemWith(const AEffect* effect)
{
    if (!effect)
        return "handed out no effect";
    if (effect->magic != kEffectMagic)
        return "handed out something that is no effect";
    if (!effect->dispatcher || !effect->setParameter)
        return "handed out an incomplete effect";
    if (effect->numParams < 0 || effect->numPrograms < 0)
        return "reports negative counts";
    if (effect->numInputs < 0 || effect->numInputs > maximumChannels || effect->numOutputs < 0 ||
        effect->numOutputs > maximumChannels)
        return "reports impossible channel counts";
    return nullptr;
}

} // namespace

#if defined(_WIN32)
Hostedeffect::Hostedeffect(const std::string& path)
{
    module = LoadLibraryA(path.c_str());
    if (!module) {
        const DWORD error = GetLastError();
        throw std::runtime_error(path + ": cannot load the DLL (error " + std::to_string(error) + ")" +
                                 (error == ERROR_BAD_EXE_FORMAT ? wrongArchitecture : ""));
    }
    auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "VSTPluginMain")));
    if (!entry)
        entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "main")));
    AEffect* candidate = entry ? entry(hostCallback) : nullptr;
    const char* problem = !entry ? "exports no VST 2.x entry point" : problemWith(candidate);
    if (problem) {
        FreeLibrary(module);
        throw std::runtime_error(path + ": " + problem);
    }
    aeffect = candidate;
    dispatch(effOpen);
}

Hostedeffect::~Hostedeffect()
{
    suspend();
    dispatch(effClose);
    FreeLibrary(module);
}
#else
Hostedeffect::Hostedeffect(const std::string& path)
{
    // A name without a slash would be searched for in the library path.
    const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* error = dlerror();
        throw std::runtime_error(path + ": cannot load the library (" + (error ? error : "unknown error") + ")");
    }
    auto entry = reinterpret_cast<Entry>(dlsym(module, "VSTPluginMain"));
    if (!entry)
        entry = reinterpret_cast<Entry>(dlsym(module, "main"));
    AEffect* candidate = entry ? entry(hostCallback) : nullptr;
    const char* problem = !entry ? "exports no VST 2.x entry point" : problemWith(candidate);
    if (problem) {
        dlclose(module);
        throw std::runtime_error(path + ": " + problem);
    }
    aeffect = candidate;
    dispatch(effOpen);
}

Hostedeffect::~Hostedeffect()
{
    suspend();
    dispatch(effClose);
    dlclose(module);
}
#endif

VstIntPtr Hostedeffect::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return aeffect->dispatcher(aeffect, opcode, index, value, ptr, opt);
}

std::string Hostedeffect::text(VstInt32 opcode, VstInt32 index)
{
    // Effects write past the documented string lengths; leave them room.
    char buffer[256] = {};
    dispatch(opcode, index, 0, buffer);
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
}

int Hostedeffect::parameterIndex(const std::string& name)
{
    for (VstInt32 i = 0; i < aeffect->numParams; ++i)
        if (text(effGetParamName, i) == name)
            return i;
    return -1;
}

void Hostedeffect::setParameter(int index, float value)
{
    aeffect->setParameter(aeffect, index, value);
}

float Hostedeffect::getParameter(int index)
{
    return aeffect->getParameter(aeffect, index);
}

void Hostedeffect::resume()
{
    dispatch(effMainsChanged, 0, 1);
    running = true;
}

void Hostedeffect::suspend()
{
    if (running)
        dispatch(effMainsChanged, 0, 0);
    running = false;
}

void Hostedeffect::process(float** inputs, float** outputs, VstInt32 frames)
{
    aeffect->processReplacing(aeffect, inputs, outputs, frames);
}
