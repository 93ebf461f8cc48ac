// The edit box without a window system: a record of its text, layout and
// focus that tests type into (entryboxes.h).
#include "framework/gui/editbox.h"

#include "entryboxes.h"
#include "framework/gui/window.h"

#include <algorithm>

namespace Framework {

struct Editbox::Native {
    Editbox* box;
    const Window* parent;
    Layout layout;
    std::string text;
    bool selected = true;
    Owner* owner;
};

namespace {

// Every open box, oldest first; the last one has the focus. GUI thread only.
std::vector<Editbox::Native*> openBoxes;

void forget(const Editbox::Native* n)
{
    openBoxes.erase(std::remove(openBoxes.begin(), openBoxes.end(), n), openBoxes.end());
}

bool isListed(const Editbox::Native* n)
{
    return std::find(openBoxes.begin(), openBoxes.end(), n) != openBoxes.end();
}

} // namespace

Editbox::Editbox(Window& parent, const Layout& layout, const std::string& text, Owner& owner)
    : nativePart(new Native{this, &parent, layout, text, true, &owner})
{
    if (parent.handle())
        openBoxes.push_back(nativePart.get());
}

Editbox::~Editbox()
{
    forget(nativePart.get());
}

bool Editbox::isOpen() const
{
    return isListed(nativePart.get());
}

namespace Headless {

std::vector<Editbox*> boxesOver(const Window& window)
{
    std::vector<Editbox*> boxes;
    for (Editbox::Native* n : openBoxes)
        if (n->parent == &window)
            boxes.push_back(n->box);
    return boxes;
}

void typeInto(Editbox& box, const std::string& characters)
{
    Editbox::Native& n = box.native();
    for (char c : characters) {
        if (n.selected)
            n.text.clear();
        n.selected = false;
        if (static_cast<int>(n.text.size()) < n.layout.textLimit)
            n.text += c;
    }
}

void pressEnter(Editbox& box)
{
    Editbox::Native& n = box.native();
    if (isListed(&n))
        n.owner->entered(n.text.substr(0, static_cast<std::size_t>(std::max(n.layout.textLimit, 0))));
}

void pressEscape(Editbox& box)
{
    Editbox::Native& n = box.native();
    if (isListed(&n))
        n.owner->escaped();
}

std::string textOf(const Editbox& box)
{
    return box.native().text;
}

Editbox::Layout layoutOf(const Editbox& box)
{
    return box.native().layout;
}

bool hasFocus(const Editbox& box)
{
    return !openBoxes.empty() && openBoxes.back() == &box.native();
}

void destroyBoxesOver(const Window& window)
{
    // An owner may delete more than its own box: look again after each.
    for (auto boxes = boxesOver(window); !boxes.empty(); boxes = boxesOver(window)) {
        Editbox::Native& n = boxes.front()->native();
        forget(&n);
        n.owner->lost();
    }
}

} // namespace Headless
} // namespace Framework
