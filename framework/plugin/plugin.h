// Base of a plug-in behind the host adapter: the parameter list with its
// maps, targets and live values, and the control tick that moves live values
// to their targets inside the audio path.
//
// Threads. The host's audio thread runs the audio path (tick, tickPiece,
// takeOverUntimed, and through them takeOverLive) and, for automation,
// setOnAudioThread; from those it also reaches parameterChanged with
// onAudioThread set and the listener's valueChanged. None of that may wait
// for a lock (locks are only tried), allocate, format text, log or touch a
// file. A value the audio thread sets is parked and taken at the next tick. Every other thread uses setNormalized
// and the getters, which wait on the plug-in lock for short copies.
#pragma once

#include "map.h"
#include "midiqueue.h"
#include "paramdescriptor.h"
#include "paramset.h"
#include "readouts.h"
#include "undohistory.h"

#include "framework/platform/lock.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace Framework {

class Host;
class Paramlistener;
class Settingsfile;

class Plugin : public Paramset {
public:
    Plugin(Host& host, Paramlistener& listener, Settingsfile& settings, double oversamplingFactor, int controlRate);
    ~Plugin() override;
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    double getValue(int index) override;
    // The rate the plug-in's filters run at: the host's times the
    // oversampling factor; 0 before the host has set one.
    double designRate();
    // The target as the host and the editor see it, before the next tick.
    double getNormalized(int index) override;
    double getMax(int index) override;
    double getMin(int index) override;
    std::string getUnits(int index) override;
    std::string getName(int index) override { return name(index); }
    std::string getText(int index) override { return displayText(index); }
    double getDefault(int index) override;
    void beginEdit(int index, Gesture by) override;
    void endEdit(Gesture by) override;
    void setNormalized(double value, int index, bool fromHost) override;
    void setValue(double value, int index, bool fromHost) override;
    // The host's automation on the audio thread: setNormalized from the host,
    // except that it never waits nor takes the lock. The value is parked, the
    // last one per parameter winning, and the next tick takes it; the change
    // is told then. The getters answer it at once.
    void setOnAudioThread(double value, int index);

    // Called once by the adapter right after construction.
    virtual void open() {}
    // Sets the number of samples between control ticks.
    virtual void setSampleRate(double rate);
    // Hooks without effect in this plug-in; the adapter calls stop when the
    // host closes the effect.
    virtual void start() {}
    virtual void stop() {}
    // The host switches processing off; it may not call the audio path
    // again before it switches it on.
    virtual void suspend() {}

    // Runs once per sample on the audio thread; true when a tick ran.
    bool tick()
    {
        if (tickCounter < INT_MAX)
            ++tickCounter;
        const int interval = samplesPerTick.load(std::memory_order_relaxed);
        if (interval < 0 || tickCounter < interval)
            return false;
        tickCounter = 0;
        return followTargets();
    }
    // Block-wise form of tick: runs tick for the first of the next samples
    // (ticked tells its answer), then passes over the samples after it that
    // come before the next tick, at most limit (> 0) samples in all. Answers
    // how many samples it went over: a piece that hears one set of values.
    int tickPiece(int limit, bool& ticked)
    {
        ticked = tick();
        const int interval = samplesPerTick.load(std::memory_order_relaxed);
        const long long untilTick = interval < 0 ? limit : static_cast<long long>(interval) - tickCounter;
        const int quiet = static_cast<int>(std::min<long long>(std::max(untilTick - 1, 0LL), limit - 1));
        tickCounter = static_cast<int>(std::min<long long>(static_cast<long long>(tickCounter) + quiet, INT_MAX));
        return quiet + 1;
    }
    // Before the host has set a sample rate there are no ticks; the audio
    // path calls this once per block instead, so what it hears of the live
    // values still follows programs. Never waits.
    void takeOverUntimed()
    {
        if (samplesPerTick.load(std::memory_order_relaxed) >= 0)
            return;
        {
            const Lock::Tryguard hold(lock);
            if (!hold)
                return;
            takeParked();
            takeOverLive();
        }
        announceTaken();
    }

    // Parameter texts for the host ("" for an index out of range).
    std::string displayText(int index);
    std::string name(int index) const;
    bool automatable(int index) const;

    // Appends a parameter; its index is its position in the list. Its live
    // value is held to its map's range and becomes its target.
    int addParameter(std::unique_ptr<Paramdescriptor> descriptor);
    // Keep a map or a readout that descriptors point to.
    const Map* addMap(std::unique_ptr<Map> map);
    const Readout* addReadout(std::unique_ptr<Readout> readout);
    int parameterCount() const { return static_cast<int>(parameters.size()); }
    // MIDI received from the host; nothing in this plug-in plays it, and the
    // audio path empties it at every block.
    Midiqueue events;

    int lastTouched() const { return lastTouchedIndex.load(std::memory_order_relaxed); }

    // Undo and redo on the editor's thread. Every user action that begins
    // and ends edits (from the first gesture that opens one to the end of
    // the last) is one step of the parameters its gestures began; the
    // host's automation is not, and a program change starts a new history.
    // A step is undone as bracketed automation of what it changed.
    // Nothing happens while a gesture is open. Answers whether a step was
    // undone (redone).
    virtual bool undo();
    virtual bool redo();
    bool canUndo() const { return historyCurrent() && history->canUndo(); }
    bool canRedo() const { return historyCurrent() && history->canRedo(); }
    // The steps kept.
    static constexpr int undoDepth = 100;
    int tickInterval() const { return samplesPerTick.load(std::memory_order_relaxed); }

protected:
    // What a parameter change means to the plug-in; runs on the setter's
    // thread. With onAudioThread it runs on the audio thread, maybe with the
    // plug-in lock held, and may only mark what needs doing (atomics).
    virtual void parameterChanged(int /*index*/, bool /*onAudioThread*/) {}
    virtual void programChanged();
    // Runs on the audio thread with the plug-in lock held, after a tick has
    // moved live values: the moment to copy live values the audio path reads.
    virtual void takeOverLive() {}

    // Sends every parameter through setNormalized as a change from inside the
    // plug-in. With fromLiveValues the targets are first taken from the live
    // values (after a program was copied into the edit buffer).
    void resetParameters(bool fromLiveValues);

    // Program records hold parameter values by slot. These hold every slot
    // of values (count doubles) to its parameter's range, and write each
    // parameter's target into its slot. The caller holds the lock for the
    // latter.
    void clampSlots(double* values, int count) const;
    void copyTargets(double* values, int count) const;

    // While not 0, the mark of the step that ends: undoing or redoing it
    // does more than set parameters, which the subclass's undo and redo
    // read from the mark.
    int stepMark = 0;
    int undoMark() const { return historyCurrent() ? history->undoMark() : 0; }
    int redoMark() const { return historyCurrent() ? history->redoMark() : 0; }
    // The values are no longer what the history's steps changed (another
    // program, a chunk): it is dropped, with the step of any gesture still
    // open, when the editor's thread next reaches it. Any thread.
    void startNewHistory() { historyEpoch.fetch_add(1, std::memory_order_relaxed); }

    Paramdescriptor* descriptor(int index) const;
    double target(int index);
    // The real value getValue answers, for callers that hold the lock.
    double targetValue(int index) const;

    Host& host;
    Paramlistener& listener;
    Settingsfile& settings;
    const double oversamplingFactor;
    Lock lock;

private:
    // Moves pending live values to their targets unless the lock is busy.
    bool followTargets();
    // Moves pending live values one step; the caller holds the lock.
    void follow();
    // Makes value (normalized) the descriptor's target; the caller holds the lock.
    void storeTarget(Paramdescriptor& d, double value);
    // The real value a normalized one becomes as d's target.
    static double targetOf(const Paramdescriptor& d, double value);
    // Audio thread, lock held: parked values become targets.
    void takeParked();
    // Audio thread, lock released: tells what it stored (each parameter at
    // most once, so the list never grows past its reserve).
    void announceTaken();

    const int controlRate;
    std::vector<std::unique_ptr<Paramdescriptor>> parameters;
    std::vector<std::unique_ptr<Map>> maps;
    std::vector<std::unique_ptr<Readout>> readouts;
    std::vector<Paramdescriptor*> pending;
    // Per parameter, the value the audio thread could not store; NaN for none.
    std::unique_ptr<std::atomic<double>[]> parked;
    std::atomic<bool> anyParked{false};
    std::vector<int> taken; // audio thread only
    // The parameters open gestures began, in order, with the gestures that
    // hold each; editor thread only.
    struct Edit {
        int index;
        unsigned gestures; // a bit per Gesture that holds it
    };
    std::vector<Edit> editing;
    // Made when the first gesture begins, once every parameter exists.
    std::unique_ptr<Undohistory> history;
    std::vector<double> snapshot;
    // Per parameter, whether the open step's gestures began on it.
    std::vector<char> stepEdits;
    bool replaying = false;
    // Counts startNewHistory calls; historySeen, on the editor's thread,
    // those the history has caught up with.
    std::atomic<unsigned> historyEpoch{0};
    unsigned historySeen = 0;
    bool historyCurrent() const { return history && historyEpoch.load(std::memory_order_relaxed) == historySeen; }
    void catchUpHistory();
    void takeSnapshot();
    // Undoes (back) or redoes a step as one command.
    bool replay(bool back);
    std::atomic<int> samplesPerTick{-1};
    int tickCounter = -1;
    std::atomic<int> lastTouchedIndex{-1};
};

} // namespace Framework
