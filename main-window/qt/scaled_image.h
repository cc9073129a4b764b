#pragma once

#include <QPixmap>
#include <QString>

#include <array>
#include <utility>

// A picture drawn for each scale a screen has: 1, 1.5, 2 and 3 times its size
// at 96 dots per inch, in name.png, name@1.5x.png, name@2x.png and
// name@3x.png. For a screen's device-pixel ratio it gives the smallest drawn
// for at least that ratio, so that what is shown is only ever made smaller,
// never blown up (the largest, beyond 3). Each is read when first asked for.
class ScaledImage {
public:
    explicit ScaledImage(QString name) : name_(std::move(name)) {}

    // Its device-pixel ratio set to the scale it was drawn for, so that Qt
    // takes it at the picture's size in device-independent pixels.
    QPixmap ForRatio(qreal ratio);

private:
    static constexpr std::array<qreal, 4> kScales{1, 1.5, 2, 3};
    QString name_;
    std::array<QPixmap, kScales.size()> read_;
};
