#include "plugin.h"

#include "framework/gui/gui.h"
#include "framework/gui/readouts.h"
#include "framework/vst/host.h"
#include "linmap.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace Framework {

Plugin::Plugin(Host& host, Gui& listener, Settingsfile& settings, double oversamplingFactor, int controlRate)
    : host(host), listener(listener), settings(settings), oversamplingFactor(oversamplingFactor),
      controlRate(controlRate)
{
}

Plugin::~Plugin() = default;

Paramdescriptor* Plugin::descriptor(int index) const
{
    return index >= 0 && index < parameterCount() ? parameters[static_cast<std::size_t>(index)].get() : nullptr;
}

double Plugin::target(int index)
{
    lock.enter();
    const double t = descriptor(index)->target;
    lock.leave();
    return t;
}

double Plugin::getNormalized(int index)
{
    const Paramdescriptor* d = descriptor(index);
    return d ? d->map->toNormalized(target(index)) : 0.0;
}

double Plugin::getValue(int index)
{
    const Paramdescriptor* d = descriptor(index);
    return d ? d->map->toReal(getNormalized(index)) : 0.0;
}

double Plugin::getMax(int index)
{
    const Paramdescriptor* d = descriptor(index);
    return d ? d->map->max : 0.0;
}

double Plugin::getMin(int index)
{
    const Paramdescriptor* d = descriptor(index);
    return d ? d->map->min : 0.0;
}

std::string Plugin::getUnits(int index)
{
    const Paramdescriptor* d = descriptor(index);
    return d && d->readout ? d->readout->units() : std::string();
}

void Plugin::setNormalized(double value, int index, bool fromHost)
{
    Paramdescriptor* d = descriptor(index);
    if (!d)
        return;
    // The value as the map reproduces it.
    const double norm = d->map->toNormalized(d->map->toReal(value));
    double real = d->map->toReal(norm);
    lock.enter();
    // The host's copy of a value is a float: when it comes back as the value
    // the parameter has (the echo of automation, a host restoring what it
    // read), the exact real value stays, so programs round-trip bit for bit.
    if (static_cast<float>(value) == static_cast<float>(d->map->toNormalized(d->target)))
        real = d->target;
    // A descriptor is listed once: an entry already waiting picks up the new
    // target, so repeated sets before a tick cannot grow the list.
    if (d->state == Paramdescriptor::idle)
        pending.push_back(d);
    d->target = real;
    d->state = Paramdescriptor::newTarget;
    lock.leave();
    if (!fromHost)
        host.automate(index, static_cast<float>(norm));
    lastTouchedIndex.store(index, std::memory_order_relaxed);
    parameterChanged(index);
    listener.valueChanged(index, *this);
}

void Plugin::setValue(double value, int index, bool fromHost)
{
    const Paramdescriptor* d = descriptor(index);
    if (d)
        setNormalized(d->map->toNormalized(value), index, fromHost);
}

void Plugin::setSampleRate(double rate)
{
    const double whole = rate < static_cast<double>(INT_MAX) ? rate : static_cast<double>(INT_MAX);
    samplesPerTick.store(whole >= 1.0 ? static_cast<int>(whole) / controlRate : 0, std::memory_order_relaxed);
}

bool Plugin::followTargets()
{
    if (!lock.tryEnter())
        return false;
    auto stillPending = pending.begin();
    for (Paramdescriptor* d : pending) {
        if (d->state == Paramdescriptor::newTarget) {
            d->filter->target = d->target;
            d->state = Paramdescriptor::following;
        }
        *d->value = d->filter->next();
        if (d->target == *d->value)
            d->state = Paramdescriptor::idle;
        else
            *stillPending++ = d;
    }
    pending.erase(stillPending, pending.end());
    lock.leave();
    return true;
}

void Plugin::resetParameters(bool fromLiveValues)
{
    for (int i = 0; i < parameterCount(); ++i) {
        if (fromLiveValues) {
            // Programs come from files and hosts: a value outside its range
            // is brought back, one that is no number takes the range's low
            // end, so nothing of it reaches the audio.
            Paramdescriptor& d = *parameters[static_cast<std::size_t>(i)];
            const double low = std::min(d.map->min, d.map->max), high = std::max(d.map->min, d.map->max);
            lock.enter();
            const double live = *d.value;
            *d.value = d.target = std::isfinite(live) ? std::clamp(live, low, high) : low;
            lock.leave();
        }
        setNormalized(getNormalized(i), i, false);
    }
}

void Plugin::copyTargets(void* record, const void* live, std::size_t size) const
{
    const char* begin = static_cast<const char*>(live);
    for (const auto& d : parameters) {
        const char* at = reinterpret_cast<const char*>(d->value);
        if (at >= begin && at + sizeof(double) <= begin + size)
            std::memcpy(static_cast<char*>(record) + (at - begin), &d->target, sizeof(double));
    }
}

void Plugin::programChanged()
{
    host.updatedisplay();
}

std::string Plugin::displayText(int index)
{
    const Paramdescriptor* d = descriptor(index);
    if (!d || !d->readout)
        return std::string();
    const double real = target(index);
    return d->readout->text(d->map->toNormalized(real), real);
}

std::string Plugin::name(int index) const
{
    const Paramdescriptor* d = descriptor(index);
    return d ? d->name : std::string();
}

bool Plugin::automatable(int index) const
{
    const Paramdescriptor* d = descriptor(index);
    return d && d->automatable;
}

int Plugin::addParameter(std::unique_ptr<Paramdescriptor> descriptor)
{
    if (!descriptor->map)
        descriptor->map = addMap(std::make_unique<Linmap>());
    if (!descriptor->value)
        descriptor->value = &descriptor->ownValue;
    if (!descriptor->filter)
        descriptor->filter = std::make_unique<Snapfilter>();
    parameters.push_back(std::move(descriptor));
    // The tick never allocates: the list holds each descriptor at most once.
    pending.reserve(parameters.size());
    return parameterCount() - 1;
}

const Map* Plugin::addMap(std::unique_ptr<Map> map)
{
    maps.push_back(std::move(map));
    return maps.back().get();
}

} // namespace Framework
