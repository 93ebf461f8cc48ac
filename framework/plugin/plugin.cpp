#include "plugin.h"

#include "host.h"
#include "linmap.h"
#include "paramlistener.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

namespace Framework {

namespace {

// A value held to map's range; one that is no number takes the range's low
// end. Programs come from files and hosts, and nothing of a malformed one
// may reach the audio.
double inRange(const Map& map, double value)
{
    const double low = std::min(map.min, map.max), high = std::max(map.min, map.max);
    return std::isfinite(value) ? std::clamp(value, low, high) : low;
}

constexpr double noneParked = std::numeric_limits<double>::quiet_NaN();

} // namespace

Plugin::Plugin(Host& host, Paramlistener& listener, Settingsfile& settings, double oversamplingFactor, int controlRate)
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
    const Lock::Guard hold(lock);
    return descriptor(index)->target;
}

double Plugin::targetValue(int index) const
{
    const Paramdescriptor& d = *parameters[static_cast<std::size_t>(index)];
    return d.map->toReal(d.map->toNormalized(d.target));
}

// A value the audio thread set and the tick has not taken yet is the
// parameter's value already.
double Plugin::getNormalized(int index)
{
    const Paramdescriptor* d = descriptor(index);
    if (!d)
        return 0.0;
    const double waiting = parked[static_cast<std::size_t>(index)].load(std::memory_order_relaxed);
    return d->map->toNormalized(std::isnan(waiting) ? target(index) : d->map->toReal(waiting));
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

double Plugin::getDefault(int index)
{
    const Paramdescriptor* d = descriptor(index);
    return d ? d->defaultValue : 0.0;
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
    {
        const Lock::Guard hold(lock);
        // This value is newer than any the audio thread parked for it.
        parked[static_cast<std::size_t>(index)].store(noneParked, std::memory_order_relaxed);
        storeTarget(*d, value);
    }
    if (!fromHost)
        host.automate(index, static_cast<float>(d->map->toNormalized(d->map->toReal(value))));
    lastTouchedIndex.store(index, std::memory_order_relaxed);
    parameterChanged(index, false);
    listener.valueChanged(index, *this);
}

// Only recorded: the next tick takes it with the lock it tries anyway. Were
// the lock taken here too, the audio thread would, on leaving it, wake a
// thread that waits for it (a program or chunk load), which is a system call
// (under Wine maybe a round trip to its server) and may cost the audio
// thread its processor.
void Plugin::setOnAudioThread(double value, int index)
{
    if (!descriptor(index))
        return;
    parked[static_cast<std::size_t>(index)].store(value, std::memory_order_relaxed);
    anyParked.store(true, std::memory_order_release);
}

double Plugin::targetOf(const Paramdescriptor& d, double value)
{
    // The host's copy of a value is a float: when it comes back as the
    // value the parameter has (the echo of automation, a host restoring
    // what it read), the exact real value stays, so programs round-trip
    // bit for bit. Otherwise the value as the map reproduces it.
    if (static_cast<float>(value) == static_cast<float>(d.map->toNormalized(d.target)))
        return d.target;
    return d.map->toReal(d.map->toNormalized(d.map->toReal(value)));
}

void Plugin::storeTarget(Paramdescriptor& d, double value)
{
    const double real = targetOf(d, value);
    // A descriptor is listed once: an entry already waiting picks up the
    // new target, so repeated sets before a tick cannot grow the list.
    if (d.state == Paramdescriptor::idle)
        pending.push_back(&d);
    d.target = real;
    d.state = Paramdescriptor::newTarget;
}

void Plugin::takeParked()
{
    if (!anyParked.exchange(false, std::memory_order_acquire))
        return;
    for (int i = 0; i < parameterCount(); ++i) {
        const double value = parked[static_cast<std::size_t>(i)].exchange(noneParked, std::memory_order_relaxed);
        if (std::isnan(value))
            continue;
        storeTarget(*parameters[static_cast<std::size_t>(i)], value);
        parameterChanged(i, true);
        taken.push_back(i);
    }
}

void Plugin::announceTaken()
{
    for (int index : taken) {
        lastTouchedIndex.store(index, std::memory_order_relaxed);
        listener.valueChanged(index, *this);
    }
    taken.clear();
}

namespace {

unsigned bitOf(Gesture gesture)
{
    return 1u << static_cast<unsigned>(gesture);
}

} // namespace

void Plugin::beginEdit(int index, Gesture by)
{
    if (!descriptor(index))
        return;
    const auto held = std::find_if(editing.begin(), editing.end(), [&](const Edit& e) { return e.index == index; });
    if (held != editing.end()) {
        held->gestures |= bitOf(by);
        return;
    }
    if (editing.empty() && !replaying) {
        if (!history)
            history = std::make_unique<Undohistory>(parameterCount(), undoDepth);
        catchUpHistory();
        takeSnapshot();
        stepEdits.assign(parameters.size(), 0);
        history->begin(snapshot.data());
    }
    if (!stepEdits.empty())
        stepEdits[static_cast<std::size_t>(index)] = 1;
    editing.push_back({index, bitOf(by)});
    host.beginEdit(index);
}

void Plugin::endEdit(Gesture by)
{
    for (auto edit = editing.begin(); edit != editing.end();) {
        edit->gestures &= ~bitOf(by);
        if (edit->gestures != 0) {
            ++edit;
            continue;
        }
        host.endEdit(edit->index);
        edit = editing.erase(edit);
    }
    if (!editing.empty())
        return;
    lastTouchedIndex.store(-1, std::memory_order_relaxed);
    if (history && !replaying) {
        catchUpHistory();
        takeSnapshot();
        history->end(snapshot.data(), stepEdits.data(), stepMark);
    }
}

void Plugin::catchUpHistory()
{
    const unsigned epoch = historyEpoch.load(std::memory_order_relaxed);
    if (epoch == historySeen)
        return;
    historySeen = epoch;
    history->clear();
}

void Plugin::takeSnapshot()
{
    snapshot.resize(parameters.size());
    for (int i = 0; i < parameterCount(); ++i)
        snapshot[static_cast<std::size_t>(i)] = getNormalized(i);
}

bool Plugin::undo()
{
    return replay(true);
}

bool Plugin::redo()
{
    return replay(false);
}

bool Plugin::replay(bool back)
{
    if (!editing.empty() || !history)
        return false;
    catchUpHistory();
    if (!(back ? history->canUndo() : history->canRedo()))
        return false;
    const int* indexes = nullptr;
    const double* values = nullptr;
    const int count = back ? history->undo(indexes, values) : history->redo(indexes, values);
    replaying = true;
    for (int k = 0; k < count; ++k)
        beginEdit(indexes[k], Gesture::command);
    for (int k = 0; k < count; ++k)
        setNormalized(values[k], indexes[k], false);
    endEdit(Gesture::command);
    replaying = false;
    return true;
}

double Plugin::designRate()
{
    return static_cast<double>(host.samplerate()) * oversamplingFactor;
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
    {
        const Lock::Tryguard hold(lock);
        if (!hold)
            return false;
        takeParked();
        follow();
    }
    announceTaken();
    return true;
}

void Plugin::follow()
{
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
    takeOverLive();
}

void Plugin::resetParameters(bool fromLiveValues)
{
    for (int i = 0; i < parameterCount(); ++i) {
        if (fromLiveValues) {
            // The program's value wins over one parked before it, such as
            // the host's echo of the last program's reset.
            Paramdescriptor& d = *parameters[static_cast<std::size_t>(i)];
            const Lock::Guard hold(lock);
            parked[static_cast<std::size_t>(i)].store(noneParked, std::memory_order_relaxed);
            d.target = *d.value;
        }
        setNormalized(getNormalized(i), i, false);
    }
}

void Plugin::clampSlots(double* values, int count) const
{
    for (const auto& d : parameters)
        if (d->slot >= 0 && d->slot < count)
            values[d->slot] = inRange(*d->map, values[d->slot]);
}

void Plugin::copyTargets(double* values, int count) const
{
    // A value the audio thread parked is newer than the target: a host that
    // saves its state right after automating must find it there.
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const Paramdescriptor& d = *parameters[i];
        const double waiting = parked[i].load(std::memory_order_relaxed);
        if (d.slot >= 0 && d.slot < count)
            values[d.slot] = std::isnan(waiting) ? d.target : targetOf(d, waiting);
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
    *descriptor->value = descriptor->target = inRange(*descriptor->map, *descriptor->value);
    parameters.push_back(std::move(descriptor));
    // The tick never allocates: the list holds each descriptor at most once.
    pending.reserve(parameters.size());
    taken.reserve(parameters.size());
    parked = std::make_unique<std::atomic<double>[]>(parameters.size());
    for (std::size_t i = 0; i < parameters.size(); ++i)
        parked[i].store(noneParked, std::memory_order_relaxed);
    return parameterCount() - 1;
}

const Map* Plugin::addMap(std::unique_ptr<Map> map)
{
    maps.push_back(std::move(map));
    return maps.back().get();
}

const Readout* Plugin::addReadout(std::unique_ptr<Readout> readout)
{
    readouts.push_back(std::move(readout));
    return readouts.back().get();
}

} // namespace Framework
