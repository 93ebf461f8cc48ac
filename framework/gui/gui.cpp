#include "gui.h"

#include "hostframe.h"
#include "skinlistener.h"

#include "framework/platform/nativepath.h"
#include "framework/platform/platform.h"
#include "framework/plugin/paramset.h"
#include "framework/plugin/plugin.h"
#include "framework/plugin/settingsfile.h"

#include <boost/filesystem.hpp>

#include <string>

namespace Framework {

namespace {

// A skin is named by one folder inside the skins folder. A name from the
// settings file that could lead elsewhere (separators, a drive, "..") is
// not followed.
bool isPlainFolderName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string::npos;
}

} // namespace

void Gui::remember(const std::string& key, const std::string& value)
{
    if (!settings.set(key, value))
        tell(unsavedSettings);
}

Gui::Gui(Settingsfile& settings, int width, int height)
    : Window(width, height), settings(settings), rootPanel(0, 0, Uicomp::noCondition, nullptr, width, height)
{
}

// The window goes first: its messages reach the tree and the images.
Gui::~Gui()
{
    close();
}

void Gui::paint(int& x, int& y, int& w, int& h)
{
    if (!isVisible() || !background)
        return;
    copyBackground(*background, x, y, w, h);
    // Components outside the rectangle were not restored: blending them
    // again would darken their edges.
    setClip(x, y, w, h);
    bool visible = true;
    rootPanel.draw(*this, visible, x, y, w, h);
    hover.draw(*this);
    clearClip();
}

void Gui::mouse(int& code, int& x, int& y, bool& shift)
{
    // Movement since the last event, measured at the pointer's full
    // resolution in layout pixels (at 200 % a device pixel moves half as far
    // as at 100 %): each event, the release too, carries what it moved, so
    // a gesture ends where the pointer does.
    const double factor = shift ? fineFactor() : dragFactor();
    currentEvent.dx = factor * (lastX - pointerX());
    currentEvent.dy = factor * (lastY - pointerY());
    lastX = pointerX();
    lastY = pointerY();
    currentEvent.x = x;
    currentEvent.y = y;
    currentEvent.code = code;
    currentEvent.shift = shift;
    currentEvent.control = controlHeld();
    currentEvent.alt = altHeld();
    bool visible = true;
    Uicomp* const before = focus;
    if (holdsMouse(focus))
        focus->mouse(*this, visible, currentEvent);
    else
        rootPanel.mouse(*this, visible, currentEvent);
    // The pointer left a component, or one above it took the focus.
    if (before && before != focus)
        before->pointerLeft(*this);
    // A hint waits for a pointer that rests with no button held.
    if (code == Mouse::move && !captured)
        hover.follow(*this, focus);
    else
        hover.hide(*this);
}

void Gui::timerTick()
{
    endWheelEdit(std::chrono::steady_clock::now());
    hover.tick(*this);
}

// The control under the pointer sees it go; the next to have it takes the focus.
void Gui::pointerLeft()
{
    hover.hide(*this);
    if (captured || !focus)
        return;
    Uicomp* const gone = focus;
    focus = nullptr;
    gone->pointerLeft(*this);
}

void Gui::wheel(int& x, int& y, int& notches, bool& shift, bool& control)
{
    hover.hide(*this);
    Wheelevent turn{x, y, notches, shift, control, wheelEdits ? wheelBursts : wheelBursts + 1};
    bool visible = true;
    rootPanel.wheel(*this, visible, turn);
}

void Gui::wheelEdited(Paramset& paramset)
{
    if (wheelEdits && wheelEdits != &paramset)
        wheelEdits->endEdit(Gesture::wheel);
    if (!wheelEdits)
        ++wheelBursts;
    wheelEdits = &paramset;
    lastWheel = std::chrono::steady_clock::now();
}

void Gui::endWheelEdit(std::chrono::steady_clock::time_point now)
{
    if (wheelEdits && now - lastWheel >= wheelPause) {
        wheelEdits->endEdit(Gesture::wheel);
        wheelEdits = nullptr;
    }
}

bool Gui::shortcut(Shortcut command)
{
    if (!history || captured)
        return false;
    endWheelEdit(std::chrono::steady_clock::time_point::max());
    if (command == Shortcut::undo)
        history->undo();
    else
        history->redo();
    return true;
}

void Gui::closing()
{
    hover.hide(*this);
    if (captured && pressedSet)
        pressedSet->endEdit(Gesture::pointer);
    captured = false;
    endWheelEdit(std::chrono::steady_clock::time_point::max());
}

void Gui::addSettings()
{
    // The editor's size in percent, or "screen" to follow the screen's
    // density until the user picks one.
    settings.add("size", "screen");
}

void Gui::graphicsReady()
{
    loadSkin(settings.get("skin"));
}

int Gui::chosenScale() const
{
    const std::string chosen = settings.get("size");
    for (int percent : scales)
        if (chosen == std::to_string(percent))
            return percent;
    return 0;
}

int Gui::preferredScale(void* parent)
{
    const int chosen = chosenScale();
    return chosen != 0 ? chosen : screenScale(screenDpi(parent));
}

int Gui::screenScale(int dpi)
{
    int best = scales.front();
    for (int percent : scales)
        if (percent * 96 <= dpi * 100)
            best = percent;
    return best;
}

void Gui::chooseScale(int percent)
{
    if (!offered(percent))
        return;
    remember("size", std::to_string(percent));
    if (!isOpen() || percent == scale())
        return;
    Hostframe* host = frame();
    if (!host || !host->canResize()) {
        tell("size at next open");
        return;
    }
    setScale(percent);
    host->resize(deviceWidth(), deviceHeight());
}

void Gui::scaleChanged()
{
    if (!skinFolderLoaded.empty())
        loadFolder(skinFolderLoaded);
}

void Gui::valueChanged(int index, Paramset& set)
{
    bool visible = isVisible();
    rootPanel.valueChanged(*this, visible, index, &set);
}

bool Gui::isShown(const Uicomp* component)
{
    return component != &rootPanel || isVisible();
}

bool Gui::holdsMouse(const Uicomp* component)
{
    return captured && component && component == focus;
}

bool Gui::isFocus(const Uicomp* component)
{
    return component == focus;
}

void Gui::setAnchor(int& x, int& y)
{
    currentEvent.anchorX = x;
    currentEvent.anchorY = y;
    // Movement counts from the anchor: from the pointer itself when the
    // anchor is where the event is.
    if (x != currentEvent.x)
        lastX = x;
    if (y != currentEvent.y)
        lastY = y;
}

void Gui::capturePressValues(Paramset& paramset, int index)
{
    pressedSet = &paramset;
    sharedBinding.pressValue = paramset.getValue(index);
    sharedBinding.pressNormalized = paramset.getNormalized(index);
}

void Gui::redraw(Uicomp* component, int& x, int& y, int& w, int& h)
{
    invalidate(x, y, w, h);
    componentRedrawn(component);
}

Skinbitmap* Gui::addBitmap(const std::string& fileName)
{
    bitmaps.push_back(std::make_unique<Skinbitmap>(fileName));
    return bitmaps.back().get();
}

void Gui::setBackground(const std::string& fileName)
{
    background = std::make_unique<Skinbitmap>(fileName);
}

std::string Gui::skinFolder(const std::string& skinName)
{
    return moduleFolder() + pathSeparator + "skins" + pathSeparator + skinName + pathSeparator;
}

bool Gui::loadSkin(const std::string& skinName)
{
    return loadFolder(skinFolder(isPlainFolderName(skinName) ? skinName : settings.defaultValue("skin")));
}

bool Gui::loadFolder(const std::string& folder)
{
    long long budget = Skinbitmap::maxSkinPixels;
    if (background)
        background->loadFrom(folder, scale(), budget);
    bool all = true;
    for (const auto& bitmap : bitmaps)
        all = bitmap->loadFrom(folder, scale(), budget) && all;
    skinFolderLoaded = folder;
    for (Skinlistener* listener : skinListeners)
        listener->skinChanged(folder);
    return all;
}

std::vector<std::string> Gui::skinNames()
{
    return skinNames(moduleFolder() + pathSeparator + "skins");
}

std::vector<std::string> Gui::skinNames(const std::string& skinsFolder)
{
    namespace fs = boost::filesystem;
    std::vector<std::string> names;
    boost::system::error_code error;
    for (fs::directory_iterator entry(nativePath(skinsFolder), error), end; !error && entry != end;
         entry.increment(error)) {
        boost::system::error_code unreadable;
        if (fs::is_directory(entry->status(unreadable)))
            names.push_back(utf8Path(entry->path().filename()));
    }
    return names;
}

} // namespace Framework
