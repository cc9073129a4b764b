#pragma once

#include <QLabel>

// A picture that works as a link: it reports a click of the left mouse button
// (pressed and released over it), and a screen reader sees a link whose press
// action is the same click. Its cursor, tooltip and names are set by its owner.
class LinkPicture : public QLabel {
    Q_OBJECT

public:
    explicit LinkPicture(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};
