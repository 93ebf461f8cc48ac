#include "solo.h"

void Solo::follow(int band, const Coefficients& section, int fadeFrames)
{
    step = 1.0 / (fadeFrames > 0 ? fadeFrames : 1);
    nextBand = band;
    next = section;
    if (mix == 0.0)
        startNext();
    else if (band == heardBand)
        heard = section;
    on = band != none && band == heardBand;
}

void Solo::startNext()
{
    heardBand = nextBand;
    heard = next;
    on = heardBand != none;
    for (auto& channel : history)
        for (auto& pair : channel)
            pair[0] = pair[1] = 0.0;
}

void Solo::run(const double (*in)[2], double (*out)[2], int count)
{
    for (int i = 0; i < count; ++i) {
        mix = on ? (mix + step < 1.0 ? mix + step : 1.0) : (mix - step > 0.0 ? mix - step : 0.0);
        if (mix == 0.0 && !on && nextBand != none)
            startNext();
        const double* b = heard.numerator;
        const double* a = heard.denominator;
        for (int c = 0; c < 2; ++c) {
            double(*h)[2] = history[c];
            const double x = in[i][c];
            const double y = b[0] * x + b[1] * h[0][0] + b[2] * h[0][1] - a[1] * h[1][0] - a[2] * h[1][1];
            h[0][1] = h[0][0];
            h[0][0] = x;
            h[1][1] = h[1][0];
            h[1][0] = y;
            out[i][c] += mix * (y - out[i][c]);
        }
    }
}
