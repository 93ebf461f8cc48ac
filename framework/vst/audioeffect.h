// Base of a VST 2.x effect: owns the AEffect record the host holds, the
// static entry functions behind it, and the state every effect keeps
// (host callback, editor, sample rate, block size, current program).
#pragma once

#include "aeffect.h"

#include "framework/plugin/fixedtext.h"

#include <memory>
#include <string>

class AEffEditor;

class AudioEffect {
public:
    AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
    // Destroys the attached editor, unless a derived effect has taken it down
    // already, as it must when the editor uses what the derived effect owns.
    virtual ~AudioEffect();
    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;

    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}
    virtual float getParameter(VstInt32 /*index*/) { return 0.0f; }
    // The deprecated accumulating process; does nothing.
    virtual void process(float** /*inputs*/, float** /*outputs*/, VstInt32 /*sampleFrames*/) {}
    virtual void processReplacing(float** /*inputs*/, float** /*outputs*/, VstInt32 /*sampleFrames*/) {}
    virtual void processDoubleReplacing(double** /*inputs*/, double** /*outputs*/, VstInt32 /*sampleFrames*/) {}

    virtual void open() {}
    virtual void close() {}
    virtual void setSampleRate(float rate) { sampleRate = rate; }
    virtual void setBlockSize(VstInt32 size) { blockSize = size; }
    // The host switches processing off (suspend) and on again (resume).
    virtual void suspend() {}
    virtual void resume() {}
    // Takes program numbers 0 to numPrograms - 1 and ignores the rest.
    virtual void setProgram(VstInt32 program);
    virtual VstInt32 getProgram() { return curProgram; }
    virtual void setProgramName(const char* /*name*/) {}
    // name holds at least 25 bytes.
    virtual void getProgramName(char* name) { Framework::copyText(name, 1, std::string()); }
    // The current program (isPreset) or the whole bank as a chunk the host
    // copies; answers its size.
    virtual VstInt32 getChunk(void** /*data*/, bool /*isPreset*/) { return 0; }
    virtual VstInt32 setChunk(void* /*data*/, VstInt32 /*size*/, bool /*isPreset*/) { return 0; }
    // Parameter texts; text holds at least 9 bytes.
    virtual bool getParameterName(VstInt32 /*index*/, char* /*text*/) { return false; }
    virtual bool getParameterDisplay(VstInt32 /*index*/, char* /*text*/) { return false; }
    virtual bool getParameterLabel(VstInt32 /*index*/, char* /*text*/) { return false; }

    virtual AEffect* getAeffect() { return &cEffect; }

protected:
    // Attaches the editor the host may open; the effect owns it.
    void setEditor(std::unique_ptr<AEffEditor> attached);

    audioMasterCallback audioMaster;
    std::unique_ptr<AEffEditor> editor;
    float sampleRate = 44100.0f;
    VstIntPtr blockSize = 1024;
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 curProgram = 0;
    AEffect cEffect;

private:
    static VstIntPtr VSTCALLBACK dispatchEffectClass(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                                     void* ptr, float opt);
    static void VSTCALLBACK setParameterClass(AEffect* e, VstInt32 index, float value);
    static float VSTCALLBACK getParameterClass(AEffect* e, VstInt32 index);
    static void VSTCALLBACK processClass(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames);
    static void VSTCALLBACK processClassReplacing(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames);
    static void VSTCALLBACK processClassDoubleReplacing(AEffect* e, double** inputs, double** outputs,
                                                        VstInt32 sampleFrames);
};
