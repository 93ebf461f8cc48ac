// The editor of a plug-in: a fixed-size window over the settings store that
// owns every drawable resource and hears of every parameter change.
#pragma once

#include "resource.h"

#include "framework/plugin/paramlistener.h"

#include <memory>
#include <vector>

namespace Framework {

class Paramset;
class Settingsfile;

class Gui : public Paramlistener {
public:
    Gui(Settingsfile& settings, int width, int height);
    virtual ~Gui();
    Gui(const Gui&) = delete;
    Gui& operator=(const Gui&) = delete;

    int width() const { return windowWidth; }
    int height() const { return windowHeight; }

    void valueChanged(int index, Paramset& set) override;

    // Takes ownership of a resource and answers it for the caller's use.
    template <class R>
    R* addResource(std::unique_ptr<R> resource)
    {
        R* added = resource.get();
        resources.push_back(std::move(resource));
        return added;
    }

protected:
    Settingsfile& settings;

private:
    const int windowWidth;
    const int windowHeight;
    std::vector<std::unique_ptr<Resource>> resources;
};

} // namespace Framework
