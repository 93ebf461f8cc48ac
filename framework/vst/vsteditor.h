// The editor the host sees: answers its size and opens and closes the
// plug-in's editor window inside the host's window.
#pragma once

#include "aeffeditor.h"

namespace Framework {

class Window;

class VSTeditor : public AEffEditor {
public:
    VSTeditor(AudioEffect* effect, Window& window);
    // Closes the window if the host left it open.
    ~VSTeditor() override;

    // A rectangle of the editor's size in device pixels that stays valid
    // after the call; it follows the editor's scale.
    bool getRect(ERect** rect) override;
    // Opens the window in parent, closing one left open before; a null
    // parent opens nothing. Answers false as hosts expect, open or not.
    bool open(void* parent) override;
    void close() override;
    void idle() override;
    // A key the host passes on while the editor has the keyboard: the
    // editor's commands (undo, redo) are taken, other keys left to the host.
    bool onKeyDown(VstInt32 character, VstInt32 virtualKey, VstInt32 modifiers) override;

private:
    void answerSize();

    Window& window;
    ERect rect{};
};

} // namespace Framework
