#pragma once

// The millimetre graduation of the editor's rulers, without widgets: where each tick goes,
// how long it is and which label it carries. 0 mm is the card's left (top) edge.

#include <vector>

namespace vellamo::editor {

enum class TickKind { Labelled, Odd, Even };

struct RulerTick {
    // Pixel position along the ruler, as drawn.
    int position = 0;
    TickKind kind = TickKind::Even;
    // Whole millimetres; the label of a labelled tick.
    int value = 0;
};

struct RulerScale {
    double mmStart = 0;
    double mmEnd = 0;
    // Millimetres between labelled ticks: 1, 5, 10, 20, 40 or 100.
    double step = 0;
    std::vector<RulerTick> ticks;
};

// Millimetres between labelled ticks for g millimetres per 50 pixels.
double rulerStep(double mmPer50Pixels);

// The ruler above the view, `rulerWidth` pixels wide; its x = 20 lies over area pixel scrollX.
RulerScale horizontalRulerScale(int rulerWidth, int scrollX, int surfaceWidth, double cardWidthMm);
// The ruler left of the view, `rulerHeight` pixels high; its y = 0 lies over area pixel scrollY.
RulerScale verticalRulerScale(int rulerHeight, int scrollY, int surfaceHeight, double cardHeightMm);

}  // namespace vellamo::editor
