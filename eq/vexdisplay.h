// What the editor shows of the equalizer besides its parameters' values:
// each band's response for the curve display, and the status line.
//
// The equalizer only records what changed, on whatever thread changed it,
// without waiting or allocating, so the audio thread may record too. The
// editor's thread designs the curves and composes the text when it reads
// them.
#pragma once

#include "filterdesign.h"
#include "solo.h"
#include "vexparameters.h"
#include "vexprogram.h"

#include "framework/platform/lock.h"
#include "framework/plugin/recallableplugin.h"
#include "framework/plugin/textprovider.h"

#include <atomic>
#include <string>

class Vexdisplay final : public Framework::Textprovider {
public:
    using Equalizer = Framework::Recallableplugin<Vexprogram, Vexbank>;

    // Reads the equalizer's parameters through its plug-in side, and tells
    // solo which band the editor listens to.
    Vexdisplay(Equalizer& equalizer, Solo& solo);

    // Recorders; any thread. A band's placement and slope change its curve
    // but not its summary on the status line.
    void bandChanged(int band);
    void bandPlaced(int band) { bandDirty[band].store(true, std::memory_order_relaxed); }
    void curveScaleChanged();
    // A program was loaded: its name becomes the status line. Not for the
    // audio thread.
    void programLoaded(const std::string& name);
    // The loaded program's name shows again (after an undo, say), marked
    // " *" while the live values differ from the program.
    void showProgram() { subject.store(programSubject, std::memory_order_release); }
    // A message for the user, shown as it stands until the next change. Not
    // for the audio thread.
    void tell(const std::string& message);

    // The editor's side. Listening to a band alone: the editor ends it
    // with the gesture that began it and when it closes.
    void listen(int band) { solo.listen(band); }
    int listened() const { return solo.listened(); }
    bool isBandDirty(int band) const { return bandDirty[band].load(std::memory_order_relaxed); }
    // The sections of the band's unscaled response, from its current values
    // (a steep high- or low-pass has several); answers how many it wrote
    // and clears the band's dirty flag.
    int bandCurve(int band, Coefficients (&sections)[Filterdesign::maxBandSections]);
    // The rate the bands' filters run at; 0 before the host has set one.
    double designRate();
    // A parameter's real value.
    double value(int index);
    // The status line: the last changed band's summary, the curve scale, a
    // message, or the loaded program's name with its edited mark.
    std::string text(const void* requester) override;

private:
    enum { noSubject = -1, curveSubject = Vexparameters::bandCount, messageSubject, programSubject };

    std::string bandSummary(int band);

    Equalizer& vex;
    Solo& solo;
    std::atomic<bool> bandDirty[Vexparameters::bandCount];
    std::atomic<int> subject{noSubject};
    Framework::Lock nameLock;
    std::string message;
    std::string programName;
};
