#pragma once

#include <QLabel>
#include <QPoint>

#include "scaled_image.h"

// A picture that works as a link: it reports a click of the left mouse button
// (pressed and released over it), and a screen reader sees a link whose press
// action is the same click. The picture and the link cursor are drawn from
// the images made for the screen's scale, again whenever the window moves to
// a screen of another; its tooltip and names are set by its owner.
class LinkPicture : public QLabel {
    Q_OBJECT

public:
    // `hotSpot` is the cursor's at 96 dots per inch, scaled with it.
    LinkPicture(ScaledImage picture, ScaledImage cursor, QPoint hotSpot, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void UseCursorForScale();

    ScaledImage picture_;
    ScaledImage cursor_;
    QPoint hotSpot_;
    qreal cursorRatio_ = 0;
    bool pressed_ = false;
};
