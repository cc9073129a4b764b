#pragma once

#include <QPixmap>
#include <QString>

// One of the program's PNG images, read by Qt's built-in reader. Left to
// itself, QImageReader first asks every image-format plugin whether it reads
// PNG, which loads them all and slows the start.
QPixmap ReadPng(const QString& path);
