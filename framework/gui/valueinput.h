// A parameter's value as pixel-font text that the user may retype: a left
// press opens an edit box over the control, and Enter writes the typed
// number, held to the parameter's range, to the parameter the press was on,
// telling when the text was no number or the number was held; Escape
// leaves it as it was.
#pragma once

#include "editbox.h"
#include "widget.h"

#include <memory>
#include <string>

namespace Framework {

class Pixelfont;

class Valueinput : public Widget, private Editbox::Owner {
public:
    // The text fills maxChars cells of font, placed by alignment (0 centre,
    // 1 left, 2 right); the box takes textLimit characters in a system font
    // fontHeight units high.
    Valueinput(int width, int height, int maxChars, int textLimit, int fontHeight, int alignment, Pixelfont& font);

    // A left press opens the entry, replacing one that is open.
    void mouse(Window& surface, int& x, int& y, Binding& binding, Mouseevent& event) override;
    void draw(Window& surface, int& x, int& y, int& state, Binding& binding, Mouseevent& event) override;

    // Writes a typed number, held to the parameter's range.
    virtual void commit(Binding& binding, double& number);
    // The text shown for a real value, also the box's first text.
    virtual std::string format(double& value);

    // The open entry's box; null while none is open.
    Editbox* entry() const { return box.get(); }

    const int maxChars;
    const int textLimit;
    const int fontHeight;
    const int alignment;
    Pixelfont& font; // not owned

private:
    void entered(const std::string& text) override;
    void escaped() override { lost(); }
    void lost() override;
    // Tells that the typed number was held to the parameter's range.
    void heldAt(Binding& binding);

    std::unique_ptr<Editbox> box;
    // Where the open entry is, which tells the user why a text changed
    // nothing or less than typed.
    Window* surface = nullptr;
    // The parameter the open entry writes to.
    std::unique_ptr<Binding> entryTarget;
};

} // namespace Framework
