#include "AxisBars.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "MotionTransform.h"

AxisBars::AxisBars(QWidget* parent)
    : QWidget(parent) {
    setMinimumSize(120, 6 * 18);
}

void AxisBars::set(const std::array<float, 6>& faint, const std::array<float, 6>& strong) {
    faint_ = faint;
    strong_ = strong;
    update();
}

void AxisBars::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int row = height() / 6;
    const int middle = width() / 2;
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(middle, 0, middle, height());
    for (int i = 0; i < 6; ++i) {
        bar(painter, i * row, row, faint_[size_t(i)], QColor(120, 120, 120, 70));
        bar(painter, i * row, row, strong_[size_t(i)],
            i < 3 ? QColor(40, 110, 200) : QColor(200, 90, 40));
    }
}

void AxisBars::bar(QPainter& painter, int top, int row, float value, const QColor& colour) {
    const int middle = width() / 2;
    const float fraction = std::clamp(value / DeviceScale::full_deflection, -1.0f, 1.0f);
    const int length = static_cast<int>(std::lround(fraction * float(middle - 2)));
    painter.fillRect(
        QRect(length < 0 ? middle + length : middle, top + 3, std::abs(length), row - 6), colour);
}
