#include "form1.h"

#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "failure_report.h"
#include "form1_description.h"
#include "home_page.h"
#include "link_picture.h"
#include "read_png.h"
#include "window_texts.h"

using tarnwick::Box;
using tarnwick::FailureKind;
using tarnwick::RunFailure;

namespace {

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48}) icon.addPixmap(ReadPng(QStringLiteral(":/tarnwick/icon-%1.png").arg(size)));
    return icon;
}

QString Text(std::string_view utf8) { return QString::fromUtf8(utf8); }

QColor ToQColor(tarnwick::Colour colour) { return {colour.r, colour.g, colour.b}; }

// Qt lays out in device-independent pixels, 96 to the inch, and scales them
// to the screen itself.
int Pixels(int twips) { return form1::TwipsToPixels(twips, 96); }

QRect PixelRect(const form1::Control& control) {
    const form1::Twips& place = control.place;
    if (control.kind == form1::Kind::Line) {  // both end points are on the line
        const int left = Pixels(place.left);
        return {left, Pixels(place.top), Pixels(place.left + place.width) - left + 1, form1::kLineWidthPixels};
    }
    return {Pixels(place.left), Pixels(place.top), Pixels(place.width), Pixels(place.height)};
}

void SetColour(QWidget* widget, QPalette::ColorRole role, tarnwick::Colour colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, ToQColor(colour));
    widget->setPalette(palette);
}

}  // namespace

Form1::Form1(FailureReporter& reporter, QWidget* parent) : QWidget(parent), reporter_(reporter), announcer_(this) {
    setWindowTitle(Text(form1::kTitle));
    setFixedSize(Pixels(form1::kClientWidth), Pixels(form1::kClientHeight));
    // A fixed tool window: a small title bar with the close box only.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // Qt does not end the program when a tool window closes; this one is the
    // program's only window, and closing it ends the program.
    setAttribute(Qt::WA_QuitOnClose);
    setWindowIcon(ApplicationIcon());

    // The window's white with dark text, which the captions and the boxes
    // inherit: the theme's text colours are made for the theme's backgrounds.
    // The button keeps the theme's colours throughout.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ToQColor(form1::kBackground));
    palette.setColor(QPalette::WindowText, ToQColor(form1::kText));
    palette.setColor(QPalette::Text, ToQColor(form1::kText));
    setPalette(palette);

    CreateControls();
    boxes_[static_cast<std::size_t>(Box::txtDSM)]->setFocus();
}

void Form1::CreateControls() {
    for (const form1::Control& control : form1::kControls) {
        QWidget* widget = nullptr;
        switch (control.kind) {
        case form1::Kind::TextBox: {
            auto* box = new QLineEdit(Text(control.content), this);
            if (control.colour) SetColour(box, QPalette::Base, *control.colour);
            widget = box;
            break;
        }
        case form1::Kind::PushButton: {
            auto* button = new QPushButton(Text(control.content), this);
            button->setAutoDefault(false);  // Enter in a box does not calculate
            connect(button, &QPushButton::clicked, this, [this] { Dispatch([this] { cmdCalc_Click(); }); });
            widget = button;
            break;
        }
        case form1::Kind::Picture: {
            auto* logo = new LinkPicture(ScaledImage(QStringLiteral(":/tarnwick/logo")),
                                         ScaledImage(QStringLiteral(":/tarnwick/link-cursor")), {6, 0}, this);
            logo->setToolTip(Text(form1::kLogoTooltip));
            logo->setAccessibleName(Text(form1::kLogoLinkName));
            logo->setAccessibleDescription(Text(form1::kLogoLinkDescription));
            connect(logo, &LinkPicture::clicked, this, [this] { Dispatch([this] { imgLogo_Click(); }); });
            widget = logo;
            break;
        }
        case form1::Kind::Caption: widget = new QLabel(Text(control.content), this); break;
        case form1::Kind::Line: {
            auto* line = new QFrame(this);
            line->setFrameShape(QFrame::NoFrame);
            line->setAutoFillBackground(true);
            if (control.colour) SetColour(line, QPalette::Window, *control.colour);
            widget = line;
            break;
        }
        }
        widget->setObjectName(Text(control.name));
        widget->setGeometry(PixelRect(control));
    }

    for (const form1::BoxCaptions& row : form1::kBoxCaptions) {
        auto* box = findChild<QLineEdit*>(Text(row.control));
        boxes_[static_cast<std::size_t>(row.box)] = box;
        auto* name = findChild<QLabel*>(Text(row.name));
        box->setAccessibleName(name->text());
        // The caption is the box's one "labelled by" relation (it has no
        // access key), and screen readers say the box by it: with the unit
        // after it, as the eye reads the row. A second relation, to the unit,
        // made Orca say the unit alone.
        name->setBuddy(box);
        name->setAccessibleName(Text(form1::SpokenCaption(row)));
    }

    QWidget* previous = nullptr;
    for (const std::string_view name : form1::kTabOrder) {
        if (!form1::TakesFocus(form1::ControlNamed(name).kind)) continue;
        auto* widget = findChild<QWidget*>(Text(name));
        if (previous != nullptr) setTabOrder(previous, widget);
        previous = widget;
    }
}

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

// Whatever failure leaves a handler is reported here, in one place; the program goes on running.
template <typename Handler>
void Form1::Dispatch(Handler handler) {
    if (const std::optional<std::string> message = form1::FailureOf(handler)) reporter_.Report(this, Text(*message));
}

void Form1::cmdCalc_Click() { tarnwick::cmdCalc_Click(*this); }

void Form1::imgLogo_Click() { OpenHomePage(shell_, WindowHandle()); }

QLineEdit* Form1::BoxWidget(Box box) const {
    const auto index = static_cast<std::size_t>(box);
    if (index >= boxes_.size() || boxes_[index] == nullptr) throw RunFailure(FailureKind::ControlAccess);
    return boxes_[index];
}

std::string Form1::GetBoxText(Box box) { return BoxWidget(box)->text().toStdString(); }

void Form1::SetBoxBackColour(Box box, tarnwick::Colour colour) {
    QLineEdit* widget = BoxWidget(box);
    SetColour(widget, QPalette::Base, colour);
    // The verdict in words, for those who do not see the colour or cannot
    // tell the pale green from the white: for screen readers and in the
    // tooltip.
    if (box == Box::txtSpeed) {
        verdict_ = form1::VerdictInWords(colour);
        widget->setAccessibleDescription(Text(verdict_));
        widget->setToolTip(Text(verdict_));
    }
}

void Form1::SetBoxText(Box box, std::string_view text) {
    BoxWidget(box)->setText(Text(text));
    if (box == Box::txtSpeed) announcer_.Announce(Text(form1::ResultAnnouncement(text, verdict_)));
}

std::uintptr_t Form1::WindowHandle() {
    const WId handle = winId();
    if (handle == 0) throw RunFailure(FailureKind::ControlAccess);
    return static_cast<std::uintptr_t>(handle);
}
