// The effect instance a host holds: adapts a plug-in P, its editor GUI G and
// the builder B that creates P's parameters and G's controls to the VST 2.x
// interface, and serves as P's way back to the host.
#pragma once

#include "aeffeditor.h"
#include "audioeffectx.h"
#include "denormalguard.h"
#include "framework/plugin/host.h"
#include "plugininfo.h"
#include "vsteditor.h"

#include "framework/gui/hostframe.h"
#include "framework/gui/window.h"
#include "framework/platform/platform.h"
#include "framework/plugin/bankfolder.h"
#include "framework/plugin/midiqueue.h"
#include "framework/plugin/settingsfile.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>

namespace Framework {

template <class P, class G, class B> class VSTplugin : public AudioEffectX, public Host, public Hostframe {
    static_assert(alignof(P) >= 16, "the plug-in's per-sample state needs 16-byte aligned storage");

public:
    VSTplugin(audioMasterCallback audioMaster, Plugininfo description, Programfileios handlers,
              const std::string& defaultSkin)
        : AudioEffectX(audioMaster, description.numPrograms, description.numParams), info(std::move(description))
    {
        if (audioMaster) {
            cEffect.numInputs = info.numInputs;
            cEffect.numOutputs = info.numOutputs;
            if (info.canReplacing)
                cEffect.flags |= effFlagsCanReplacing;
            if (info.canDoubleReplacing)
                cEffect.flags |= effFlagsCanDoubleReplacing;
            if (info.isSynth)
                cEffect.flags |= effFlagsIsSynth;
            cEffect.flags |= effFlagsProgramChunks;
            cEffect.uniqueID = info.uniqueId;
        }
        // The user's own settings; the file beside the module, where earlier
        // versions kept them, gives the first values.
        const std::string own = userFolder(Userdata::settings);
        const std::string file = info.effectName + ".ini";
        settings = std::make_unique<Settingsfile>(own.empty() ? own : own + pathSeparator + file,
                                                  moduleFolder() + pathSeparator + file);
        settings->add("skin", defaultSkin);
        gui = std::make_unique<G>(*settings);
        gui->setHostframe(this);
        plugin = makeAligned(*settings, std::move(handlers), static_cast<Host&>(*this), *gui);
        // Keys added from here on are newer than the first file format: they
        // come after its keys in the file, where earlier readers stop.
        gui->addSettings();
        settings->load();
        plugin->open();
        B(*gui, *plugin).build();
        if (plugin->parameterCount() != info.numParams)
            showError("Params mismatch expected " + std::to_string(info.numParams) + " but was " +
                      std::to_string(plugin->parameterCount()));
        setEditor(std::make_unique<VSTeditor>(this, *gui));
    }

    // Takes the editor down first, since it works on every other part; then
    // writes the settings and takes down the plug-in, its GUI, the settings.
    ~VSTplugin() override
    {
        editor.reset();
        // A destructor that throws ends the host's process: a failed save
        // stays silent.
        try {
            settings->save();
        } catch (...) {
        }
        plugin.reset();
        gui.reset();
        settings.reset();
    }

    // The host closes the effect: the editor window first, then the plug-in.
    void close() override
    {
        if (editor)
            editor->close();
        plugin->stop();
    }

    // Replaces the editor the host may open; it is destroyed before anything
    // it edits.
    void attachEditor(std::unique_ptr<AEffEditor> attached) { setEditor(std::move(attached)); }

    void suspend() override { plugin->suspend(); }

    void setSampleRate(float rate) override
    {
        AudioEffect::setSampleRate(rate);
        plugin->setSampleRate(static_cast<double>(rate));
    }

    void setProgram(VstInt32 program) override
    {
        AudioEffect::setProgram(program);
        plugin->setProgram(program);
    }
    void setProgramName(const char* name) override
    {
        plugin->setProgramName(curProgram, std::string(name, strnlen(name, kVstMaxProgNameLen)));
    }
    void getProgramName(char* name) override
    {
        copyText(name, kVstMaxProgNameLen + 1, plugin->getProgramName(curProgram));
    }
    bool getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* name) override
    {
        copyText(name, kVstMaxProgNameLen + 1, plugin->getProgramName(index));
        return index >= 0 && index < numPrograms;
    }
    VstInt32 getChunk(void** data, bool isPreset) override
    {
        return isPreset ? plugin->getProgramChunk(data) : plugin->getBankChunk(data);
    }
    VstInt32 setChunk(void* data, VstInt32 size, bool isPreset) override
    {
        if (isPreset)
            plugin->setProgramChunk(data, size);
        else
            plugin->setBankChunk(data, size);
        return 0;
    }

    // Hosts pass values unchecked: one that is no number is ignored, others
    // are held to 0..1. Most hosts automate on the audio thread, just before
    // a block: that call must never wait.
    void setParameter(VstInt32 index, float value) override
    {
        if (!std::isfinite(value))
            return;
        const double normalized = static_cast<double>(std::clamp(value, 0.0f, 1.0f));
        if (currentThread() == audioThread.load(std::memory_order_relaxed))
            plugin->setOnAudioThread(normalized, index);
        else
            plugin->setNormalized(normalized, index, true);
    }
    float getParameter(VstInt32 index) override { return static_cast<float>(plugin->getNormalized(index)); }
    bool getParameterName(VstInt32 index, char* text) override
    {
        copyText(text, kVstMaxParamStrLen + 1, plugin->name(index));
        return true;
    }
    bool getParameterDisplay(VstInt32 index, char* text) override
    {
        copyText(text, kVstMaxParamStrLen + 1, plugin->displayText(index));
        return true;
    }
    bool getParameterLabel(VstInt32 index, char* text) override
    {
        copyText(text, kVstMaxParamStrLen + 1, plugin->getUnits(index));
        return true;
    }
    bool canParameterBeAutomated(VstInt32 index) override { return plugin->automatable(index); }

    void resume() override
    {
        if (audioMaster && canDo("receiveVstMidiEvent") == 1)
            audioMaster(&cEffect, audioMasterWantMidi, 0, 1, nullptr, 0.0f);
    }

    VstInt32 processEvents(const VstEvents* events) override
    {
        // The list is declared with two entries but holds numEvents.
        VstEvent* const* list = events->events;
        for (VstInt32 i = 0; i < events->numEvents; ++i) {
            const VstEvent* event = list[i];
            if (!event || event->type != kVstMidiType)
                continue;
            const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
            const int status = static_cast<unsigned char>(midi->midiData[0]) & 0xF0;
            Midievent received;
            received.deltaFrames = midi->deltaFrames;
            received.kind = status == 0xB0   ? Midievent::controlChange
                            : status == 0x90 ? Midievent::noteOn
                            : status == 0x80 ? Midievent::noteOff
                                             : Midievent::other;
            received.data1 = midi->midiData[1] & 0x7F;
            received.data2 = midi->midiData[2] & 0x7F;
            plugin->events.add(received);
        }
        return 1;
    }

    // Output pins are labelled with the short name and their number.
    bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override
    {
        if (index < 0 || index >= info.numOutputs)
            return false;
        copyText(properties->label, info.shortName + std::to_string(index + 1));
        properties->flags = index < 2 ? kVstPinIsActive | kVstPinIsStereo : kVstPinIsActive;
        return true;
    }
    // The editor's window, for hosts of our own and tests.
    Window* editorWindow() { return gui.get(); }
    // The MIDI events received since the last processed block.
    const Midiqueue& receivedEvents() const { return plugin->events; }

    VstInt32 getPlugCategory() override { return info.isSynth ? kPlugCategSynth : kPlugCategUnknown; }

    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override
    {
        process<float>(inputs, outputs, sampleFrames);
    }
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override
    {
        process<double>(inputs, outputs, sampleFrames);
    }

    bool getEffectName(char* name) override
    {
        copyText(name, kVstMaxEffectNameLen + 1, info.effectName);
        return true;
    }
    bool getVendorString(char* text) override
    {
        copyText(text, kVstMaxVendorStrLen + 1, info.vendorName);
        return true;
    }
    bool getProductString(char* text) override
    {
        copyText(text, kVstMaxProductStrLen + 1, info.productName);
        return true;
    }
    VstInt32 getVendorVersion() override { return info.vendorVersion; }
    VstInt32 canDo(const char* text) override
    {
        for (const std::string& capability : info.canDos)
            if (capability == text)
                return 1;
        return -1;
    }

    // Host
    void automate(std::int32_t index, float value) override
    {
        setParameter(index, value);
        if (audioMaster)
            audioMaster(&cEffect, audioMasterAutomate, index, 0, nullptr, value);
    }
    // Hostframe: hosts that resize their window for the editor say so.
    bool canResize() override
    {
        return audioMaster && audioMaster(&cEffect, audioMasterCanDo, 0, 0, const_cast<char*>("sizeWindow"), 0.0f) == 1;
    }
    bool resize(int width, int height) override
    {
        return audioMaster && audioMaster(&cEffect, audioMasterSizeWindow, width, height, nullptr, 0.0f) != 0;
    }
    void beginEdit(std::int32_t index) override
    {
        if (audioMaster)
            audioMaster(&cEffect, audioMasterBeginEdit, index, 0, nullptr, 0.0f);
    }
    void endEdit(std::int32_t index) override
    {
        if (audioMaster)
            audioMaster(&cEffect, audioMasterEndEdit, index, 0, nullptr, 0.0f);
    }
    void reserved(std::int32_t /*unused*/) override {}
    const float& samplerate() override { return sampleRate; }
    std::int32_t& program() override { return curProgram; }
    void updatedisplay() override
    {
        if (audioMaster)
            audioMaster(&cEffect, audioMasterUpdateDisplay, 0, 0, nullptr, 0.0f);
    }

private:
    // The plug-in's signal state is processed in 16-byte pairs. Plain new
    // cannot be trusted with that on 32-bit Windows, whose heap only
    // guarantees 8 bytes, so the storage is asked for explicitly.
    struct Aligneddelete {
        void operator()(P* p) const
        {
            p->~P();
            ::operator delete (p, std::align_val_t{alignof(P)});
        }
    };
    using Pluginpointer = std::unique_ptr<P, Aligneddelete>;

    template <class... Args> static Pluginpointer makeAligned(Args&&... args)
    {
        void* storage = ::operator new (sizeof(P), std::align_val_t{alignof(P)});
        try {
            return Pluginpointer(new (storage) P(std::forward<Args>(args)...));
        } catch (...) {
            ::operator delete (storage, std::align_val_t{alignof(P)});
            throw;
        }
    }

    // The plug-in processes the block; the MIDI received for it is dropped
    // once the block is done.
    template <class Sample> void process(Sample** inputs, Sample** outputs, VstInt32 sampleFrames)
    {
        audioThread.store(currentThread(), std::memory_order_relaxed);
        P& p = *plugin;
        if (inputs && outputs && inputs[0] && inputs[1] && outputs[0] && outputs[1] && sampleFrames > 0) {
            const Denormalguard guard;
            p.process(inputs, outputs, sampleFrames);
        }
        p.events.clear();
    }

    // The thread that processed the last block.
    std::atomic<std::uintptr_t> audioThread{0};
    Pluginpointer plugin;
    std::unique_ptr<G> gui;
    std::unique_ptr<Settingsfile> settings;
    Plugininfo info;
};

} // namespace Framework
