#include "editor/ruler_scale.h"

#include "document/units.h"

#include <cmath>

namespace vellamo::editor {

using document::truncToInt32;

double rulerStep(double g)
{
    if (g < 2.5)
        return 1;
    if (g < 7.5)
        return 5;
    if (g < 15)
        return 10;
    if (g < 30)
        return 20;
    if (g < 70)
        return 40;
    return 100;
}

namespace {

// No ruler has room for more ticks than this; damaged sizes never make the loop run away.
constexpr int MaxTicks = 100000;

// length: the pixels the millimetre range spans; origin: added to every position;
// drawNegative: whether ticks left of the ruler's start are kept.
RulerScale scale(double mmStart, double mmEnd, int length, int origin, bool drawNegative)
{
    RulerScale s;
    s.mmStart = mmStart;
    s.mmEnd = mmEnd;
    const int n = length / 50;
    const double g = n > 0 ? (mmEnd - mmStart) / n : HUGE_VAL;
    s.step = rulerStep(g);
    if (!(mmEnd > mmStart) || !std::isfinite(mmStart) || !std::isfinite(mmEnd))
        return s;
    const int first = 10 * truncToInt32(mmStart / s.step - 1);
    const int last = 10 * truncToInt32(mmEnd / s.step + 1);
    for (long long k = first; k <= last && s.ticks.size() < MaxTicks; ++k) {
        const int v = truncToInt32(k * s.step / 10);
        const int p = truncToInt32(length * (v - mmStart) / (mmEnd - mmStart));
        if (!drawNegative && p < 0)
            continue;
        const TickKind kind =
            k % 10 == 0 ? TickKind::Labelled : (k % 2 != 0 ? TickKind::Odd : TickKind::Even);
        s.ticks.push_back({p + origin, kind, v});
    }
    return s;
}

}  // namespace

RulerScale horizontalRulerScale(int rulerWidth, int scrollX, int surfaceWidth, double cardWidthMm)
{
    const int c = surfaceWidth / 3;
    if (c <= 0)
        return {};
    const double mmStart = double(scrollX - c) * cardWidthMm / c;
    const double mmEnd = double(rulerWidth + scrollX - 21 - c) * cardWidthMm / c;
    return scale(mmStart, mmEnd, rulerWidth - 21, 20, false);
}

RulerScale verticalRulerScale(int rulerHeight, int scrollY, int surfaceHeight, double cardHeightMm)
{
    const int c = surfaceHeight / 3;
    if (c <= 0)
        return {};
    const double mmStart = double(scrollY - c) * cardHeightMm / c;
    const double mmEnd = double(rulerHeight + scrollY - 1 - c) * cardHeightMm / c;
    return scale(mmStart, mmEnd, rulerHeight - 1, 0, true);
}

}  // namespace vellamo::editor
