// An effect's editor opened as a host opens it: the size from effEditGetRect,
// a top-level window of that client size, effEditOpen with it; effEditClose
// when it goes.
#pragma once

#include "hostedeffect.h"
#include "hostwindow.h"
#include "picture.h"

#include <memory>

class Hostededitor {
public:
    // Throws std::runtime_error for an effect without an editor, or with an
    // editor rectangle no window can have.
    explicit Hostededitor(Hostedeffect& host);
    ~Hostededitor();
    Hostededitor(const Hostededitor&) = delete;
    Hostededitor& operator=(const Hostededitor&) = delete;

    // The editor's window, or the host window when the editor made none.
    Nativewindow view() const;
    // Invalidates the whole editor and paints it now.
    void repaint() const;
    // What the editor shows.
    Picture picture() const;

private:
    Hostedeffect& host;
    std::unique_ptr<Hostwindow> window;
};
