#include "gdiplussession.h"

#include <windows.h>

#include <gdiplus.h>

#include <atomic>

namespace Framework {

namespace {

// Sessions of this module; each DLL copy has its own.
std::atomic<int> sessions{0};

} // namespace

Gdiplussession::~Gdiplussession()
{
    if (!token)
        return;
    --sessions;
    Gdiplus::GdiplusShutdown(token);
}

bool Gdiplussession::start()
{
    if (token)
        return true;
    // Version 1, no debug callback, with the background thread and codecs.
    const Gdiplus::GdiplusStartupInput input;
    ULONG_PTR started = 0;
    if (Gdiplus::GdiplusStartup(&started, &input, nullptr) != Gdiplus::Ok || !started)
        return false;
    token = started;
    ++sessions;
    return true;
}

bool Gdiplussession::anyRunning()
{
    return sessions.load() > 0;
}

} // namespace Framework
