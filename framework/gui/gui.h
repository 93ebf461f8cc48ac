// The editor of a plug-in: a window of fixed size with the component tree
// under its root panel, the skin images and every drawable resource, and the
// mouse state that routes events to components. It hears of every parameter
// change, on any thread, and only asks for redraws then.
#pragma once

#include "hint.h"
#include "igui.h"
#include "panel.h"
#include "resource.h"
#include "skinbitmap.h"
#include "window.h"

#include "framework/plugin/paramlistener.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace Framework {

class Plugin;
class Settingsfile;
class Skinlistener;

class Gui : public Window, public Igui, public Paramlistener {
public:
    Gui(Settingsfile& settings, int width, int height);
    ~Gui() override;

    // Registers the editor's preferences with the settings, after the keys
    // of the first file format.
    virtual void addSettings();

    // Restores the background inside the rectangle, then draws the tree.
    void paint(int& x, int& y, int& w, int& h) override;
    // Scales and routes an event: to the component that holds the mouse, or
    // down the tree from the root.
    void mouse(int& code, int& x, int& y, bool& shift) override;
    // Loads the skin the settings name.
    void graphicsReady() override;
    // The size the user chose, kept in the settings; 0 before any choice
    // (or for a value that names no offered size).
    int chosenScale() const;
    // The size the user chose, or else the one that suits the screen.
    int preferredScale(void* parent) override;
    // The largest offered scale not above a screen density's; at least 100.
    static int screenScale(int dpi);
    // The user chose a size: it is kept in the settings, and an open editor
    // takes it at once where the host resizes its window, at the next open
    // elsewhere (and says so).
    void chooseScale(int percent);
    // Keeps a setting the user chose, telling when it could not be saved.
    void remember(const std::string& key, const std::string& value);
    static constexpr const char* unsavedSettings = "Could not save settings";
    // Hands the turn to the topmost shown component under the pointer.
    void wheel(int& x, int& y, int& notches, bool& shift, bool& control) override;
    // Ends a resting wheel edit, and counts down to the hint.
    void timerTick() override;
    // The hint hides, and the control under the pointer hears it leave.
    void pointerLeft() override;
    // A host may close the editor in the middle of a gesture: it ends there.
    void closing() override;
    // Ends the edit a burst of wheel notches began, once the wheel has
    // rested for wheelPause.
    void endWheelEdit(std::chrono::steady_clock::time_point now);
    static constexpr std::chrono::milliseconds wheelPause{400};

    // The plug-in whose undo history the keyboard commands step through.
    void keepHistory(Plugin& plugin) { history = &plugin; }
    // Undo and redo: a wheel edit still open ends first, so the turns just
    // made are the step undone; nothing while a button is held.
    bool shortcut(Shortcut command) override;

    void valueChanged(int index, Paramset& set) override;
    // Called after a component asked to be redrawn.
    virtual void componentRedrawn(Uicomp* /*component*/) {}
    // Movement scale without and with Shift.
    virtual double dragFactor() { return 1.0; }
    virtual double fineFactor() { return 0.5; }

    // Igui
    bool isShown(const Uicomp* component) override;
    bool holdsMouse(const Uicomp* component) override;
    bool isFocus(const Uicomp* component) override;
    Window& surface() override { return *this; }
    void setFocus(Uicomp* component) override { focus = component; }
    void setAnchor(int& x, int& y) override;
    void capturePressValues(Paramset& paramset, int index) override;
    void redraw(Uicomp* component, int& x, int& y, int& w, int& h) override;
    void captureOn() override { captured = true; }
    void captureOff() override { captured = false; }
    Binding& binding() override { return sharedBinding; }
    Mouseevent& event() override { return currentEvent; }
    void wheelEdited(Paramset& paramset) override;

    Panel& root() { return rootPanel; }
    // The hint about the control under the pointer; the editor gives it its
    // font and colours.
    Hint& hint() { return hover; }

    // Takes ownership of a resource and answers it for the caller's use.
    template <class R> R* addResource(std::unique_ptr<R> resource)
    {
        R* added = resource.get();
        resources.push_back(std::move(resource));
        return added;
    }

    // Skins: images are registered by file name once and loaded from one
    // skin folder at a time.
    Skinbitmap* addBitmap(const std::string& fileName);
    void setBackground(const std::string& fileName);
    void addSkinListener(Skinlistener* listener) { skinListeners.push_back(listener); }
    // Loads every registered image from the skin folder at the scale (the
    // "@2x" file where the scale is above 100 % and the skin has one), then
    // tells the listeners; true when every image of the list loaded.
    bool loadSkin(const std::string& skinName);
    // The skins beside the module: the names of the skins folder's
    // sub-folders, in listing order; none when the folder cannot be read.
    static std::vector<std::string> skinNames();
    // The same for a given skins folder.
    static std::vector<std::string> skinNames(const std::string& skinsFolder);
    // The folder of a skin, ending in a separator.
    static std::string skinFolder(const std::string& skinName);

protected:
    Settingsfile& settings;

private:
    // A new scale needs the images made anew.
    void scaleChanged() override;
    bool loadFolder(const std::string& folder);

    // The folder of the skin loaded last; empty before any.
    std::string skinFolderLoaded;
    // Destroyed in reverse order: the tree before what it draws from.
    std::vector<std::unique_ptr<Skinbitmap>> bitmaps;
    std::unique_ptr<Skinbitmap> background;
    std::vector<std::unique_ptr<Resource>> resources;
    Panel rootPanel;
    std::vector<Skinlistener*> skinListeners;
    Uicomp* focus = nullptr;
    // The pointer at the last event, with its fractions.
    double lastX = 0.0;
    double lastY = 0.0;
    bool captured = false;
    // One binding for every control: each control points it at its own
    // parameter before it hands a call to its widget (Paramctrl::bind), so
    // the press values it keeps belong to the control that holds the mouse.
    Binding sharedBinding;
    Mouseevent currentEvent;
    // The parameter set a wheel burst is editing, and when it last turned.
    Paramset* wheelEdits = nullptr;
    int wheelBursts = 0; // bursts begun so far
    // The parameter set of the last press.
    Paramset* pressedSet = nullptr;
    Plugin* history = nullptr;
    std::chrono::steady_clock::time_point lastWheel;
    Hint hover;
};

} // namespace Framework
