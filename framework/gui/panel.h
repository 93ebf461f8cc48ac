// A component that groups others: it draws its shown children in their order
// and hands a mouse event to the topmost shown child that takes it.
#pragma once

#include "clickable.h"

#include <memory>
#include <vector>

namespace Framework {

class Panel : public Clickable {
public:
    Panel(int x, int y, int conditionIndex, Paramset* conditionSet, int width, int height);

    // Appends a child; the panel owns it from then on.
    template <class C> C* add(std::unique_ptr<C> child)
    {
        C* added = child.get();
        children.push_back(std::move(child));
        return added;
    }

    // Takes part only when the painted rectangle lies inside the panel.
    void draw(Igui& gui, bool& visible, int& x, int& y, int& w, int& h) override;
    // Consumes every event strictly inside the panel.
    bool mouse(Igui& gui, bool& visible, Mouseevent& event) override;
    // As the mouse: the topmost shown child under the pointer first, and
    // nothing beneath the panel.
    bool wheel(Igui& gui, bool& visible, Wheelevent& event) override;
    // A change of the panel's own condition redraws it and tells no child.
    bool valueChanged(Igui& gui, bool& visible, int& index, Paramset* paramset) override;
    // The children in drawing order.
    const std::vector<std::unique_ptr<Uicomp>>& components() const { return children; }
    int width() override { return panelWidth; }
    int height() override { return panelHeight; }

private:
    template <class Event, class Take> bool route(Igui& gui, bool& visible, Event& event, Take take);

    const int panelWidth;
    const int panelHeight;
    std::vector<std::unique_ptr<Uicomp>> children;
};

} // namespace Framework
