#include "default_font.h"

#include <QApplication>
#include <QFont>

void UseDefaultFont() {
    QFont font = QApplication::font();
    font.setPointSizeF(7.5);
    QApplication::setFont(font);
}
