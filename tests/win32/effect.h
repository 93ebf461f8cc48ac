// An effect instance of a loaded DLL, made with the recording host callback,
// that is closed when it goes, unless closed already.
#pragma once

#include "loadeddll.h"
#include "tools/vsthost/hostwindow.h"

class Effect {
public:
    explicit Effect(const Loadeddll& dll);
    ~Effect() { close(); }
    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;

    AEffect* operator->() const { return e; }
    explicit operator bool() const { return e != nullptr; }

    VstIntPtr call(VstInt32 opcode, void* ptr = nullptr) const { return e->dispatcher(e, opcode, 0, 0, ptr, 0.0f); }
    VstIntPtr open(const Hostwindow& host) const { return call(effEditOpen, host.handle()); }
    VstIntPtr closeEditor() const { return call(effEditClose); }
    // The editor's rectangle, or null.
    ERect* rect() const;
    // effClose, once.
    void close();

    // The parameter as the host reads and sets it, normalized.
    float get(VstInt32 index) const { return e->getParameter(e, index); }
    void set(VstInt32 index, float value) const { e->setParameter(e, index, value); }

private:
    AEffect* e;
};
