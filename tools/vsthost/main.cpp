// vsthost: a small console host for VST 2.x effects. It loads a plug-in DLL,
// completes the version handshake and prints what the effect says it is.
#include "framework/vst/aeffect.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

VstIntPtr VSTCALLBACK hostCallback(AEffect* /*effect*/, VstInt32 opcode, VstInt32 /*index*/, VstIntPtr /*value*/,
                                   void* /*ptr*/, float /*opt*/)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

using Entry = AEffect*(VSTCALLBACK*)(audioMasterCallback);

std::string text(AEffect* effect, VstInt32 opcode)
{
    char buffer[256] = {};
    effect->dispatcher(effect, opcode, 0, 0, buffer, 0.0f);
    return buffer;
}

std::string fourCC(VstInt32 id)
{
    std::string s;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((static_cast<std::uint32_t>(id) >> shift) & 0xFF);
        s += (c >= 32 && c < 127) ? c : '?';
    }
    return s;
}

int info(const char* path)
{
    HMODULE module = LoadLibraryA(path);
    if (!module) {
        std::fprintf(stderr, "vsthost: cannot load %s (error %lu)\n", path, GetLastError());
        return 1;
    }
    auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "VSTPluginMain")));
    if (!entry)
        entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "main")));
    if (!entry) {
        std::fprintf(stderr, "vsthost: %s exports no VST 2.x entry point\n", path);
        FreeLibrary(module);
        return 1;
    }
    AEffect* effect = entry(hostCallback);
    if (!effect || effect->magic != kEffectMagic) {
        std::fprintf(stderr, "vsthost: %s did not hand out an effect\n", path);
        FreeLibrary(module);
        return 1;
    }
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    std::printf("plug-in   %s\n", path);
    std::printf("effect    %s\n", text(effect, effGetEffectName).c_str());
    std::printf("product   %s\n", text(effect, effGetProductString).c_str());
    std::printf("vendor    %s (version %ld)\n", text(effect, effGetVendorString).c_str(),
                static_cast<long>(effect->dispatcher(effect, effGetVendorVersion, 0, 0, nullptr, 0.0f)));
    std::printf("unique ID '%s' (0x%08lX), version %ld\n", fourCC(effect->uniqueID).c_str(),
                static_cast<unsigned long>(static_cast<std::uint32_t>(effect->uniqueID)),
                static_cast<long>(effect->version));
    std::printf("I/O       %ld in, %ld out\n", static_cast<long>(effect->numInputs),
                static_cast<long>(effect->numOutputs));
    std::printf("counts    %ld parameters, %ld programs\n", static_cast<long>(effect->numParams),
                static_cast<long>(effect->numPrograms));
    std::printf("flags     0x%lX\n", static_cast<unsigned long>(effect->flags));
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    FreeLibrary(module);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vsthost PLUGIN.dll\n");
        return 2;
    }
    return info(argv[1]);
}
