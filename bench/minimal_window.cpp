// The floor for start-up: the smallest Qt Widgets program with a window like
// Tarnwick's (same size and flags) holding one caption and one text box with
// text, so that fonts and the style load as they do for the real program. It
// opens where Tarnwick opens, centred, so that the pointer of an X server
// without a window manager (in the screen's centre) lies over it alike.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window.setFixedSize(279, 206);
    window.setWindowTitle(QStringLiteral("Minimal"));
    QLabel caption(QStringLiteral("Minimum margin"), &window);
    caption.setGeometry(8, 88, 89, 17);
    QLineEdit box(QStringLiteral("6"), &window);
    box.setGeometry(104, 88, 89, 19);  // where the centred pointer meets Tarnwick's minimum-margin box
    window.move(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(), window.screen()->availableGeometry())
            .topLeft());
    window.show();
    return QApplication::exec();
}
