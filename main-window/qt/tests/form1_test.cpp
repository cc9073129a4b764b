// The window's behaviour, on Qt's offscreen platform.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "application_font.h"
#include "failure_report.h"
#include "form1.h"
#include "form1_description.h"
#include "window_texts.h"

namespace {

// Keeps every report instead of showing a modal message box.
class RecordingReporter : public FailureReporter {
public:
    void Report(QWidget*, const QString& message) override { messages.append(message); }
    QStringList messages;
};

constexpr QRgb kInputBlue = qRgb(230, 230, 255);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kLightGreen = qRgb(200, 255, 200);
constexpr QRgb kLightRed = qRgb(255, 180, 180);

// QTRY_COMPARE and QTRY_VERIFY, waiting for up to 5 s as they do. Qt 6.8's own
// narrow a std::chrono count to int inside the macro, which -Wconversion
// rejects in the code that uses them.
#define WAIT_COMPARE(actual, expected)                                       \
    do {                                                                     \
        (void)QTest::qWaitFor([&] { return (actual) == (expected); }, 5000); \
        QCOMPARE(actual, expected);                                          \
    } while (false)
#define WAIT_VERIFY(condition) QVERIFY(QTest::qWaitFor([&] { return static_cast<bool>(condition); }, 5000))

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The Qt class that shows each kind of control.
QString QtClassOf(form1::Kind kind) {
    switch (kind) {
    case form1::Kind::TextBox: return QStringLiteral("QLineEdit");
    case form1::Kind::PushButton: return QStringLiteral("QPushButton");
    case form1::Kind::Picture: return QStringLiteral("LinkPicture");
    case form1::Kind::Caption: return QStringLiteral("QLabel");
    case form1::Kind::Line: return QStringLiteral("QFrame");
    }
    return {};
}

QRgb BaseColour(const QWidget* box) { return box->palette().color(QPalette::Base).rgb(); }

// Sets PATH for one test and restores it afterwards.
class ScopedPath {
public:
    explicit ScopedPath(const QString& path) : saved_(qgetenv("PATH")) { qputenv("PATH", path.toUtf8()); }
    ~ScopedPath() { qputenv("PATH", saved_); }
    ScopedPath(const ScopedPath&) = delete;
    ScopedPath& operator=(const ScopedPath&) = delete;

private:
    QByteArray saved_;
};

// For one test, PATH is a folder of its own, empty until PutRecordingOpener
// puts a stand-in for xdg-open there that appends its arguments to a file,
// one per line.
class OpenerFolder {
public:
    void PutRecordingOpener() const {
        QFile script(folder_.filePath(QStringLiteral("xdg-open")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> '%1'\n")
                         .arg(Record())
                         .toUtf8());
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    QStringList Opened() const {
        QFile file(Record());
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

private:
    QString Record() const { return folder_.filePath(QStringLiteral("opened")); }

    QTemporaryDir folder_;
    ScopedPath path_{folder_.path()};
};

// The window as the program shows it, with a recording reporter.
struct Shown {
    RecordingReporter reporter;
    Form1 form{reporter};
    Shown() { form.ShowCentred(); }
    template <typename T = QWidget>
    T* child(const char* name) const {
        return form.findChild<T*>(QString::fromLatin1(name));
    }
    QLineEdit* box(const char* name) const { return child<QLineEdit>(name); }
    // 12 and 8 in the margin's and the current speed's boxes, beside the 6 already there.
    void FillIn12And8() const {
        box("txtDSM")->setText(QStringLiteral("12"));
        box("txtCurSpeed")->setText(QStringLiteral("8"));
    }
};

// Types the three inputs as a person would and clicks Calculate.
void Calculate(Shown& window, const QString& ds, const QString& min, const QString& current) {
    for (const auto& [name, text] : {std::pair{"txtDSM", ds}, {"txtMin", min}, {"txtCurSpeed", current}}) {
        QLineEdit* box = window.box(name);
        box->clear();
        QTest::keyClicks(box, text);
    }
    QTest::mouseClick(window.child<QPushButton>("cmdCalc"), Qt::LeftButton);
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseFittingFont(); }

    void startState() {
        Shown window;
        QVERIFY(QTest::qWaitForWindowActive(&window.form));
        QCOMPARE(QApplication::focusWidget(), window.box("txtDSM"));
        QCOMPARE(window.form.windowTitle(), QStringLiteral("Tarnwick by Velmor"));
        QCOMPARE(window.box("txtDSM")->text(), QString());
        QCOMPARE(window.box("txtMin")->text(), QStringLiteral("6"));
        QCOMPARE(window.box("txtCurSpeed")->text(), QString());
        QCOMPARE(window.box("txtSpeed")->text(), QString());
        for (const char* input : {"txtDSM", "txtMin", "txtCurSpeed"})
            QCOMPARE(BaseColour(window.box(input)), kInputBlue);
        QCOMPARE(BaseColour(window.box("txtSpeed")), kWhite);
        QCOMPARE(window.form.palette().color(QPalette::Window).rgb(), kWhite);
    }

    void controls_data() {
        QTest::addColumn<int>("index");
        for (std::size_t index = 0; index < form1::kControls.size(); ++index)
            QTest::newRow(std::string(form1::kControls[index].name).c_str()) << static_cast<int>(index);
    }

    // Each control of the description, of its kind, where it says and with its text.
    void controls() {
        QFETCH(int, index);
        const form1::Control& described = form1::kControls.at(static_cast<std::size_t>(index));
        const QString text = FromUtf8(described.content);
        const QString kind = QtClassOf(described.kind);

        Shown window;
        const QWidget* control = window.form.findChild<QWidget*>(FromUtf8(described.name));
        QVERIFY(control != nullptr);
        QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
        // At 96 dots per inch; the far edges as left + width or as a rounded
        // edge of their own, which differ by a pixel at most.
        const auto px = [](int twips) { return form1::TwipsToPixels(twips, 96); };
        const form1::Twips& place = described.place;
        const QRect geometry = control->geometry();
        QCOMPARE(geometry.left(), px(place.left));
        QCOMPARE(geometry.top(), px(place.top));
        QVERIFY(std::abs(geometry.left() + geometry.width() - px(place.left + place.width)) <= 1);
        if (described.kind == form1::Kind::Line) {
            QCOMPARE(geometry.height(), form1::kLineWidthPixels);
        } else {
            QVERIFY(std::abs(geometry.top() + geometry.height() - px(place.top + place.height)) <= 1);
        }
        QVERIFY2(!control->testAttribute(Qt::WA_SetFont), "no control sets a font of its own");

        if (const auto* label = qobject_cast<const QLabel*>(control); label && kind == QLatin1String("QLabel")) {
            QCOMPARE(label->text(), text);
            QVERIFY(!label->autoFillBackground());
            QVERIFY2(label->fontMetrics().horizontalAdvance(text) <= geometry.width(), "the caption fits its width");
            QVERIFY2(label->fontMetrics().height() <= geometry.height(), "the caption fits its height");
        } else if (const auto* box = qobject_cast<const QLineEdit*>(control)) {
            QCOMPARE(box->text(), text);
        } else if (const auto* button = qobject_cast<const QPushButton*>(control)) {
            QCOMPARE(button->text(), text);
        }
    }

    void line() {
        Shown window;
        const QWidget* line = window.child("Line1");
        QVERIFY(line->autoFillBackground());
        QCOMPARE(line->palette().color(QPalette::Window).rgb(), qRgb(0, 0, 192));
    }

    void windowKind() {
        Shown window;
        const Qt::WindowFlags flags = window.form.windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        const QSize size(form1::TwipsToPixels(form1::kClientWidth, 96), form1::TwipsToPixels(form1::kClientHeight, 96));
        QCOMPARE(window.form.size(), size);
        QCOMPARE(window.form.minimumSize(), size);
        QCOMPARE(window.form.maximumSize(), size);

        const QList<QSize> iconSizes = window.form.windowIcon().availableSizes();
        for (const QSize size : {QSize(16, 16), QSize(32, 32), QSize(48, 48)}) QVERIFY(iconSizes.contains(size));

        const QRect screen = window.form.screen()->availableGeometry();
        QVERIFY(qAbs(window.form.frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(window.form.frameGeometry().center().y() - screen.center().y()) <= 1);
    }

    void closingEndsTheProgram() {
        Shown window;
        window.box("txtSpeed")->setText(QStringLiteral("16"));
        QTimer giveUp;  // the program did not end
        giveUp.setSingleShot(true);
        connect(&giveUp, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        giveUp.start(5000);
        QTimer closeSoon;  // once the event loop runs
        closeSoon.setSingleShot(true);
        connect(&closeSoon, &QTimer::timeout, &window.form, &QWidget::close);
        closeSoon.start(0);
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(window.reporter.messages, QStringList());
    }

    void tabCycle_data() {
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("tab") << false
                             << QStringList{"txtDSM", "txtMin", "txtCurSpeed", "txtSpeed", "cmdCalc", "txtDSM"};
        QTest::newRow("shift-tab") << true
                                   << QStringList{"txtDSM", "cmdCalc", "txtSpeed", "txtCurSpeed", "txtMin", "txtDSM"};
    }

    void tabCycle() {
        QFETCH(bool, backwards);
        QFETCH(QStringList, order);
        Shown window;
        QVERIFY(QTest::qWaitForWindowActive(&window.form));
        for (const QString& expected : order) {
            QCOMPARE(QApplication::focusWidget()->objectName(), expected);
            QTest::keyClick(QApplication::focusWidget(), backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                            backwards ? Qt::ShiftModifier : Qt::NoModifier);
        }
    }

    void calculation_data() {
        QTest::addColumn<QString>("dsMargin");
        QTest::addColumn<QString>("minMargin");
        QTest::addColumn<QString>("currentSpeed");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QRgb>("colour");
        struct Row {
            const char *name, *dsMargin, *minMargin, *currentSpeed, *result;
            QRgb colour;
        };
        for (const Row& row : {Row{"higher-is-green", "12", "6", "8", "16", kLightGreen},
                               Row{"equal-is-white", "6", "6", "8", "8", kWhite},
                               Row{"lower-is-red", "3", "6", "8", "5.656854", kLightRed},
                               Row{"equal-margins-show-a-loss", "6", "6", "10", "9.999999", kLightRed},
                               Row{"unit-typed-after-speed", "12", "6", "8 Mbps", "16", kLightGreen},
                               Row{"empty-margin-reads-0", "", "6", "1", "0.5", kLightRed}}) {
            QTest::newRow(row.name) << QString::fromUtf8(row.dsMargin) << QString::fromUtf8(row.minMargin)
                                    << QString::fromUtf8(row.currentSpeed) << QString::fromUtf8(row.result)
                                    << row.colour;
        }
    }

    void calculation() {
        QFETCH(QString, dsMargin);
        QFETCH(QString, minMargin);
        QFETCH(QString, currentSpeed);
        QFETCH(QString, result);
        QFETCH(QRgb, colour);
        Shown window;
        Calculate(window, dsMargin, minMargin, currentSpeed);
        QCOMPARE(window.box("txtSpeed")->text(), result);
        QCOMPARE(BaseColour(window.box("txtSpeed")), colour);
        QCOMPARE(window.reporter.messages, QStringList());

        // Nothing is kept between calculations: the same inputs give the same result.
        QTest::mouseClick(window.child<QPushButton>("cmdCalc"), Qt::LeftButton);
        QCOMPARE(window.box("txtSpeed")->text(), result);
        QCOMPARE(BaseColour(window.box("txtSpeed")), colour);
    }

    void accessKey_data() {
        QTest::addColumn<QString>("from");
        for (const char* box : {"txtDSM", "txtMin", "txtCurSpeed", "txtSpeed"}) QTest::newRow(box) << box;
    }

    void accessKey() {
        QFETCH(QString, from);
        Shown window;
        QVERIFY(QTest::qWaitForWindowActive(&window.form));
        window.FillIn12And8();
        auto* box = window.form.findChild<QLineEdit*>(from);
        box->setFocus();
        const QString before = box->text();

        QTest::keyClick(box, Qt::Key_C, Qt::AltModifier);

        WAIT_COMPARE(window.box("txtSpeed")->text(), QStringLiteral("16"));
        QCOMPARE(BaseColour(window.box("txtSpeed")), kLightGreen);
        if (box != window.box("txtSpeed")) QCOMPARE(box->text(), before);
    }

    void enterAndEscapeDoNothing_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("enter") << int(Qt::Key_Return);
        QTest::newRow("keypad-enter") << int(Qt::Key_Enter);
        QTest::newRow("escape") << int(Qt::Key_Escape);
    }

    void enterAndEscapeDoNothing() {
        QFETCH(int, key);
        Shown window;
        QVERIFY(QTest::qWaitForWindowActive(&window.form));
        window.FillIn12And8();
        for (const char* name : {"txtDSM", "txtMin", "txtCurSpeed", "txtSpeed"}) {
            QTest::keyClick(window.box(name), Qt::Key(key));
        }
        QTest::qWait(150);  // longer than a button's animated click
        QVERIFY(window.form.isVisible());
        QCOMPARE(window.box("txtSpeed")->text(), QString());
        QCOMPARE(BaseColour(window.box("txtSpeed")), kWhite);
        QCOMPARE(window.reporter.messages, QStringList());
    }

    void failureIsReportedAndTheWindowCarriesOn() {
        Shown window;
        Calculate(window, QStringLiteral("3"), QStringLiteral("6"), QStringLiteral("8"));

        Calculate(window, QStringLiteral("3"), QStringLiteral("6"), QString());
        QCOMPARE(window.reporter.messages.size(), 1);
        QVERIFY2(window.reporter.messages.front().contains(QStringLiteral("Invalid argument")),
                 qPrintable(window.reporter.messages.front()));
        QVERIFY(window.reporter.messages.front().contains(QStringLiteral("greater than 0")));
        QCOMPARE(window.box("txtSpeed")->text(), QStringLiteral("5.656854"));
        QCOMPARE(BaseColour(window.box("txtSpeed")), kLightRed);

        Calculate(window, QStringLiteral("12"), QStringLiteral("6"), QStringLiteral("8"));
        QCOMPARE(window.box("txtSpeed")->text(), QStringLiteral("16"));
        QCOMPARE(window.reporter.messages.size(), 1);
    }

    void failureMessagesNameTheirKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("words");
        using tarnwick::FailureKind;
        QTest::newRow("invalid-argument") << int(FailureKind::InvalidArgument) << "Invalid argument";
        QTest::newRow("overflow") << int(FailureKind::Overflow) << "Overflow";
        QTest::newRow("invalid-operation") << int(FailureKind::InvalidOperation) << "Invalid operation";
        QTest::newRow("division-by-zero") << int(FailureKind::DivisionByZero) << "Division by zero";
        QTest::newRow("control-access") << int(FailureKind::ControlAccess) << "could not be read or written";
        QTest::newRow("library-lookup") << int(FailureKind::LibraryLookup) << "could not be found";
    }

    void failureMessagesNameTheirKind() {
        QFETCH(int, kind);
        QFETCH(QString, words);
        QVERIFY(
            QString::fromStdString(form1::FailureMessage(static_cast<tarnwick::FailureKind>(kind))).contains(words));
    }

    // The font rule, for platform fonts from smaller than needed to far larger.
    void fittingFont_data() {
        QTest::addColumn<qreal>("points");
        for (const qreal points : {6.0, 7.5, 9.0, 11.0, 14.0, 24.0}) QTest::addRow("%gpt", points) << points;
    }

    void fittingFont() {
        QFETCH(qreal, points);
        QFont platform(QStringLiteral("DejaVu Sans"));
        platform.setPointSizeF(points);
        const QFont fitted = FittingFont(platform);
        QCOMPARE(fitted.family(), platform.family());
        QVERIFY(fitted.pointSizeF() <= points);
        const auto fits = [](const QFont& font) {
            const QFontMetrics metrics(font);
            const auto captions = {"Minimum margin", "Max New Speed:", "Current speed:", "DS Margin", "in Mbps"};
            return metrics.height() <= 17 && std::ranges::all_of(captions, [&](const char* text) {
                       return metrics.horizontalAdvance(QString::fromLatin1(text)) <= 89;
                   });
        };
        QVERIFY(fits(fitted));
        // The largest that fits: a quarter point more would not.
        QFont larger = fitted;
        larger.setPointSizeF(fitted.pointSizeF() + 0.25);
        if (fitted.pointSizeF() < points) QVERIFY(!fits(larger));
    }

    // A platform theme may set the user's font after the window is up (qt6ct does).
    void fontSetLaterIsFittedAgain() {
        Shown window;
        const QFont before = QApplication::font();
        QFont large(QStringLiteral("DejaVu Sans"));
        large.setPointSizeF(14);
        QApplication::setFont(large);
        WAIT_COMPARE(QApplication::font(), FittingFont(large));
        // Widgets take a new application font from the event loop.
        const auto* caption = window.child<QLabel>("Label2");
        WAIT_VERIFY(caption->fontMetrics().horizontalAdvance(caption->text()) <= caption->width());
        QApplication::setFont(before);
        WAIT_COMPARE(QApplication::font(), FittingFont(before));
    }

    // Each box is labelled by its caption alone, which a screen reader says
    // with the unit after it; the units label nothing.
    void captionsAreTiedToTheirBoxes_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("spoken");
        struct Row {
            const char *name, *caption, *box, *spoken;
        };
        for (const Row& row : {Row{"ds-margin", "Label1", "txtDSM", "DS Margin, dB"},
                               Row{"minimum-margin", "Label2", "txtMin", "Minimum margin, dB"},
                               Row{"current-speed", "Label4", "txtCurSpeed", "Current speed:, in Mbps"},
                               Row{"max-new-speed", "Label3", "txtSpeed", "Max New Speed:, in Mbps"},
                               Row{"unit-dB", "Label7", "", ""}, Row{"unit-Mbps", "Label6", "", ""}}) {
            QTest::newRow(row.name) << QString::fromUtf8(row.caption) << QString::fromUtf8(row.box)
                                    << QString::fromUtf8(row.spoken);
        }
    }

    void captionsAreTiedToTheirBoxes() {
        QFETCH(QString, caption);
        QFETCH(QString, box);
        QFETCH(QString, spoken);
        Shown window;
        const auto* label = window.form.findChild<QLabel*>(caption);
        QCOMPARE(label->buddy(), box.isEmpty() ? nullptr : window.form.findChild<QWidget*>(box));
        if (!spoken.isEmpty()) QCOMPARE(label->accessibleName(), spoken);
    }

    // The verdict that the colour shows reaches a screen reader, and the eye
    // that cannot tell the colours apart, in words: none before a calculation.
    void resultIsDescribedInWords() {
        Shown window;
        QLineEdit* result = window.box("txtSpeed");
        QCOMPARE(result->accessibleDescription(), QString());
        QCOMPARE(result->toolTip(), QString());
        Calculate(window, QStringLiteral("50"), QStringLiteral("50"), QStringLiteral("10"));
        QCOMPARE(result->text(), QStringLiteral("10"));
        QCOMPARE(result->accessibleDescription(), QStringLiteral("higher than the current speed"));
        QCOMPARE(result->toolTip(), QStringLiteral("higher than the current speed"));
        Calculate(window, QStringLiteral("6"), QStringLiteral("6"), QStringLiteral("8"));
        QCOMPARE(result->accessibleDescription(), QStringLiteral("equal to the current speed"));
        QCOMPARE(result->toolTip(), QStringLiteral("equal to the current speed"));
        Calculate(window, QStringLiteral("3"), QStringLiteral("6"), QStringLiteral("8"));
        QCOMPARE(result->accessibleDescription(), QStringLiteral("lower than the current speed"));
        QCOMPARE(result->toolTip(), QStringLiteral("lower than the current speed"));
    }

    void logoIsALinkForScreenReaders() {
        const OpenerFolder opener;
        opener.PutRecordingOpener();

        Shown window;
        QAccessibleInterface* link = QAccessible::queryAccessibleInterface(window.child("imgLogo"));
        QVERIFY(link != nullptr);
        QCOMPARE(link->role(), QAccessible::Link);
        QCOMPARE(link->text(QAccessible::Name), QStringLiteral("Velmor.example"));
        QVERIFY(!link->state().focusable);
        QAccessibleActionInterface* actions = link->actionInterface();
        QVERIFY(actions != nullptr);
        QCOMPARE(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        actions->doAction(QAccessibleActionInterface::pressAction());
        WAIT_COMPARE(opener.Opened(), QStringList{"http://www.velmor.example"});
        QCOMPARE(window.reporter.messages, QStringList());
    }

    void logoLooksLikeALink() {
        Shown window;
        auto* logo = window.child<QLabel>("imgLogo");
        // Drawn pixel for pixel from the picture made for its scale (1 here).
        const QImage logoImage(QStringLiteral(":/tarnwick/logo.png"));
        QCOMPARE(logo->grab().toImage().convertToFormat(logoImage.format()), logoImage);
        QCOMPARE(logo->toolTip(), QStringLiteral("Go to Velmor.example"));
        const QCursor cursor = logo->cursor();
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
        QCOMPARE(cursor.hotSpot(), QPoint(6, 0));
        QVERIFY(!logo->accessibleDescription().isEmpty());
    }

    void logoOpensTheHomePageAtEachClick() {
        const OpenerFolder opener;
        opener.PutRecordingOpener();

        Shown window;
        window.box("txtDSM")->setText(QStringLiteral("12"));
        auto* logo = window.child<QLabel>("imgLogo");
        QTest::mouseClick(logo, Qt::LeftButton);
        WAIT_COMPARE(opener.Opened(), QStringList{"http://www.velmor.example"});
        QTest::mouseClick(logo, Qt::LeftButton);
        WAIT_COMPARE(opener.Opened().size(), 2);
        QCOMPARE(opener.Opened().last(), QStringLiteral("http://www.velmor.example"));

        QTest::mouseClick(logo, Qt::RightButton);
        QTest::qWait(200);
        QCOMPARE(opener.Opened().size(), 2);

        QCOMPARE(window.reporter.messages, QStringList());
        QCOMPARE(window.box("txtDSM")->text(), QStringLiteral("12"));
        QCOMPARE(window.box("txtSpeed")->text(), QString());
    }

    void missingOpenerIsReportedAndLookedForAgain() {
        const OpenerFolder opener;

        Shown window;
        auto* logo = window.child<QLabel>("imgLogo");
        QTest::mouseClick(logo, Qt::LeftButton);
        QCOMPARE(window.reporter.messages.size(), 1);
        QCOMPARE(window.reporter.messages.front(),
                 QString::fromStdString(form1::FailureMessage(tarnwick::FailureKind::LibraryLookup)));

        opener.PutRecordingOpener();
        QTest::mouseClick(logo, Qt::LeftButton);
        WAIT_COMPARE(opener.Opened(), QStringList{"http://www.velmor.example"});
        QCOMPARE(window.reporter.messages.size(), 1);
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
