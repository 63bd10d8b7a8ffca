#pragma once

// TRuler and LRuler: the millimetre rulers above and left of the editor's view. Each is drawn
// off-screen and copied in one go.

#include <QWidget>
#include <functional>

namespace vellamo::editor {

// What a ruler needs to know of the view: scroll position, surface size and card length.
struct RulerSource {
    std::function<int()> scroll;
    std::function<int()> surfaceLength;
    std::function<double()> cardLengthMm;
};

// Both rulers paint their picture, drawn off-screen, in one copy.
class Ruler : public QWidget {
public:
    Ruler(RulerSource source, QWidget* parent) : QWidget(parent), m_source(std::move(source)) {}
    virtual QImage picture() const = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
    RulerSource m_source;
};

class HorizontalRuler : public Ruler {
public:
    explicit HorizontalRuler(RulerSource source, QWidget* parent = nullptr);
    // The ruler as TRulerPaint draws it.
    QImage picture() const override;
};

class VerticalRuler : public Ruler {
public:
    explicit VerticalRuler(RulerSource source, QWidget* parent = nullptr);
    // The ruler as LRulerPaint draws it.
    QImage picture() const override;
};

inline constexpr int RulerThickness = 20;

}  // namespace vellamo::editor
