#include "form1.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QScreen>
#include <QStyle>

#include "failure_report.h"
#include "home_page.h"
#include "ui_Form1.h"

using tarnwick::Box;
using tarnwick::FailureKind;
using tarnwick::RunFailure;

namespace {

// One of the program's PNG images, read by Qt's built-in reader. Left to
// itself, QImageReader first asks every image-format plugin whether it reads
// PNG, which loads them all and slows the start.
QPixmap ReadPng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48}) icon.addPixmap(ReadPng(QStringLiteral(":/tarnwick/icon-%1.png").arg(size)));
    return icon;
}

}  // namespace

Form1::Form1(FailureReporter& reporter, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::Form1>()), reporter_(reporter) {
    ui_->setupUi(this);

    // A fixed tool window: a small title bar with the close box only.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // Qt does not end the program when a tool window closes; this one is the
    // program's only window, and closing it ends the program.
    setAttribute(Qt::WA_QuitOnClose);
    setWindowIcon(ApplicationIcon());
    ui_->imgLogo->setCursor(QCursor(ReadPng(QStringLiteral(":/tarnwick/link-cursor.png")), 6, 0));
    ui_->txtDSM->setFocus();

    connect(ui_->cmdCalc, &QPushButton::clicked, this, [this] { Dispatch([this] { cmdCalc_Click(); }); });
    connect(ui_->imgLogo, &LinkPicture::clicked, this, [this] { Dispatch([this] { imgLogo_Click(); }); });
}

Form1::~Form1() = default;

void Form1::ShowCentred() {
    // Shown first: the size of the window's frame is known only then.
    show();
    if (const QScreen* screen = this->screen()) {
        const QRect whole =
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frameGeometry().size(), screen->availableGeometry());
        move(whole.topLeft());
    }
    activateWindow();
}

// No code of the program catches a failure: it leaves the handler, which stops
// at the failing step, and is reported here, in one place. The program goes on
// running, and the boxes keep what the handler wrote before it stopped.
template <typename Handler>
void Form1::Dispatch(Handler handler) {
    try {
        handler();
    } catch (const RunFailure& failure) {
        reporter_.Report(this, FailureMessage(failure.kind()));
    } catch (const std::exception& failure) {
        reporter_.Report(this, UnexpectedFailureMessage(failure.what()));
    } catch (...) {
        reporter_.Report(this, UnexpectedFailureMessage("an unknown exception"));
    }
}

void Form1::cmdCalc_Click() { tarnwick::cmdCalc_Click(*this); }

void Form1::imgLogo_Click() { OpenHomePage(shell_, WindowHandle()); }

QLineEdit* Form1::BoxWidget(Box box) const {
    QLineEdit* widget = nullptr;
    switch (box) {
    case Box::txtDSM: widget = ui_->txtDSM; break;
    case Box::txtMin: widget = ui_->txtMin; break;
    case Box::txtCurSpeed: widget = ui_->txtCurSpeed; break;
    case Box::txtSpeed: widget = ui_->txtSpeed; break;
    }
    if (widget == nullptr) throw RunFailure(FailureKind::ControlAccess);
    return widget;
}

std::string Form1::GetBoxText(Box box) { return BoxWidget(box)->text().toStdString(); }

void Form1::SetBoxBackColour(Box box, tarnwick::Colour colour) {
    QLineEdit* widget = BoxWidget(box);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, QColor(colour.r, colour.g, colour.b));
    widget->setPalette(palette);
}

void Form1::SetBoxText(Box box, std::string_view text) { BoxWidget(box)->setText(QString::fromUtf8(text)); }

std::uintptr_t Form1::WindowHandle() {
    const WId handle = winId();
    if (handle == 0) throw RunFailure(FailureKind::ControlAccess);
    return static_cast<std::uintptr_t>(handle);
}
