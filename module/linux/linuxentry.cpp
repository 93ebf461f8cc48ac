// The Linux module's second name for its entry point: older hosts look up
// "main". A C++ function cannot be called main outside the program, so this
// one takes the name at the assembler level.
#include "module/entry.h"

extern "C" AEffect* vexatoneMain(audioMasterCallback audioMaster) __asm__("main");

extern "C" AEffect* vexatoneMain(audioMasterCallback audioMaster)
{
    return VSTPluginMain(audioMaster);
}
