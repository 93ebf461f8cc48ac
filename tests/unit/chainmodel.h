// An independent scalar model of the equalizer's signal chain, one channel at
// a time, for sample-by-sample comparison with the real processor.
#pragma once

#include "eq/filterdesign.h"

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
    double volume = 1.0;
    int mode = 0;

    std::pair<double, double> process(double left, double right)
    {
        double e[2], o[2];
        upsample(up[0], left, e[0], o[0]);
        upsample(up[1], right, e[1], o[1]);
        applyMode(e);
        applyMode(o);
        double out[2];
        for (int ch = 0; ch < 2; ++ch) {
            const double first = bands(ch, e[ch]);
            const double second = bands(ch, o[ch]);
            out[ch] = downsample(down[ch], second, first) * volume;
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
    double bands(int ch, double x)
    {
        for (int b = 6; b >= 0; --b) {
            const Coefficients& k = sections[static_cast<std::size_t>(b)];
            double* h = history[ch][b];
            const double y = k.numerator[0] * x + k.numerator[1] * h[0] + k.numerator[2] * h[1] -
                             k.denominator[1] * h[2] - k.denominator[2] * h[3];
            h[1] = h[0];
            h[0] = x;
            h[3] = h[2];
            h[2] = y;
            x = y;
        }
        return x;
    }

    double c[4];
    Allpass up[2], down[2];
    double history[2][7][4] = {};
};
