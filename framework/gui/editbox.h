// A native one-line text entry laid over the editor window: it opens with
// its text selected and the keyboard focus, takes at most a number of
// characters, and hands its text to its owner when Enter is pressed, or
// tells it that Escape was. The window system destroys it with its parent window;
// the owner is then told, and must not use the box again but delete it.
// GUI thread only.
#pragma once

#include <memory>
#include <string>

namespace Framework {

class Window;

class Editbox {
public:
    class Owner {
    public:
        // Enter was pressed; the owner may delete the box during the call.
        virtual void entered(const std::string& text) = 0;
        // Escape was pressed: the entry ends, changing nothing; the owner
        // may delete the box during the call.
        virtual void escaped() = 0;
        // The box went with its parent window.
        virtual void lost() = 0;

    protected:
        ~Owner() = default;
    };

    struct Layout {
        int x, y, width, height; // in the parent window's client pixels
        int fontHeight;
        int textLimit;
    };

    // Opens the box on parent showing text; isOpen tells whether it could.
    Editbox(Window& parent, const Layout& layout, const std::string& text, Owner& owner);
    // Closes the box and frees its font, unless they went with the parent.
    ~Editbox();
    Editbox(const Editbox&) = delete;
    Editbox& operator=(const Editbox&) = delete;

    bool isOpen() const;

    struct Native;
    Native& native() const { return *nativePart; }

private:
    std::unique_ptr<Native> nativePart;
};

} // namespace Framework
