#pragma once

#include <QWidget>
#include <array>

// Six bars from the middle, one a device axis (tx ty tz rx ry rz) or view
// axis, to full deflection each way: a strong set over a faint one.
class AxisBars : public QWidget {
public:
    explicit AxisBars(QWidget* parent);
    void set(const std::array<float, 6>& faint, const std::array<float, 6>& strong);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void bar(QPainter& painter, int top, int row, float value, const QColor& colour);

    std::array<float, 6> faint_{};
    std::array<float, 6> strong_{};
};
