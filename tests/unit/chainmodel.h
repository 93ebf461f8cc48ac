// An independent scalar model of the equalizer's signal chain, one channel at
// a time (a band on mid or side converts to and from them around itself), for
// sample-by-sample comparison with the real processor.
#pragma once

#include "eq/filterdesign.h"
#include "eq/vexparameters.h"

#include <array>
#include <cmath>
#include <utility>

class Chainmodel {
public:
    Chainmodel()
    {
        Filterdesign::designHalfband(4, static_cast<double>(0.45f), c);
        for (auto& band : sections)
            band = Coefficients::identity();
    }

    std::array<Coefficients, 7> sections;
    // Sections that follow a band's first, and the part each band acts on.
    std::array<std::array<Coefficients, 3>, 7> further{};
    std::array<int, 7> furtherCount{};
    std::array<Vexparameters::Placement, 7> placement{};
    double volume = 1.0;
    int mode = 0;

    std::pair<double, double> process(double left, double right)
    {
        double e[2], o[2];
        upsample(up[0], left, e[0], o[0]);
        upsample(up[1], right, e[1], o[1]);
        applyMode(e);
        applyMode(o);
        bands(e);
        bands(o);
        double out[2];
        for (int ch = 0; ch < 2; ++ch) {
            out[ch] = downsample(down[ch], o[ch], e[ch]) * volume;
            if (std::fabs(out[ch]) < 1e-12)
                out[ch] = 0.0;
        }
        return {out[0], out[1]};
    }

private:
    struct Allpass {
        double x[4] = {}, y[4] = {};
    };
    double stage(Allpass& s, int i, double in)
    {
        const double out = (in - s.y[i]) * c[i] + s.x[i];
        s.x[i] = in;
        s.y[i] = out;
        return out;
    }
    void upsample(Allpass& s, double x, double& e, double& o)
    {
        const double e1 = stage(s, 0, x);
        const double o1 = stage(s, 1, x);
        e = stage(s, 2, e1);
        o = stage(s, 3, o1);
    }
    double downsample(Allpass& s, double pathA, double pathB)
    {
        const double a = stage(s, 2, stage(s, 0, pathA));
        const double b = stage(s, 3, stage(s, 1, pathB));
        return (a + b) * 0.5;
    }
    void applyMode(double* pair) const
    {
        if (mode == 1)
            pair[0] = pair[1];
        else if (mode == 2)
            pair[0] = pair[1] = (pair[0] + pair[1]) * 0.5;
        else if (mode == 3)
            pair[1] = pair[0];
    }
    void bands(double* pair)
    {
        using P = Vexparameters::Placement;
        for (int b = 6; b >= 0; --b) {
            const auto u = static_cast<std::size_t>(b);
            const P p = placement[u];
            const bool midSide = p == P::mid || p == P::side;
            if (midSide) {
                const double l = pair[0], r = pair[1];
                pair[0] = (l + r) * 0.5;
                pair[1] = (l - r) * 0.5;
            }
            for (int ch = 0; ch < 2; ++ch) {
                const bool acts = p == P::stereo || (ch == 0) == (p == P::left || p == P::mid);
                for (int k = 0; acts && k <= furtherCount[u]; ++k)
                    pair[ch] = section(k == 0 ? sections[u] : further[u][static_cast<std::size_t>(k - 1)],
                                       history[ch][b][k], pair[ch]);
            }
            if (midSide) {
                const double m = pair[0], s = pair[1];
                pair[0] = m + s;
                pair[1] = m - s;
            }
        }
    }
    static double section(const Coefficients& k, double* h, double x)
    {
        const double y = k.numerator[0] * x + k.numerator[1] * h[0] + k.numerator[2] * h[1] - k.denominator[1] * h[2] -
                         k.denominator[2] * h[3];
        h[1] = h[0];
        h[0] = x;
        h[3] = h[2];
        h[2] = y;
        return y;
    }

    double c[4];
    Allpass up[2], down[2];
    double history[2][7][4][4] = {};
};
