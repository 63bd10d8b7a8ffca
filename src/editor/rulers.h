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

class HorizontalRuler : public QWidget {
public:
    explicit HorizontalRuler(RulerSource source, QWidget* parent = nullptr);
    // The ruler as TRulerPaint draws it.
    QImage picture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RulerSource m_source;
};

class VerticalRuler : public QWidget {
public:
    explicit VerticalRuler(RulerSource source, QWidget* parent = nullptr);
    QImage picture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RulerSource m_source;
};

inline constexpr int RulerThickness = 20;

}  // namespace vellamo::editor
