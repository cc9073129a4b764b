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

#include "application_font.h"
#include "failure_report.h"
#include "form1.h"
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

QRgb BaseColour(const QWidget* box) { return box->palette().color(QPalette::Base).rgb(); }

// A stand-in for xdg-open that appends its arguments to a file, one per line.
void WriteRecordingOpener(const QString& folder, const QString& record) {
    const QString path = folder + QStringLiteral("/xdg-open");
    QFile script(path);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(
        QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> '%1'\n").arg(record).toUtf8());
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

QStringList RecordedLines(const QString& record) {
    QFile file(record);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

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
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");

        // Pixels at 96 dots per inch, from the window's description.
        QTest::newRow("txtCurSpeed") << "txtCurSpeed"
                                     << "QLineEdit" << QRect(104, 112, 89, 19) << "";
        QTest::newRow("cmdCalc") << "cmdCalc"
                                 << "QPushButton" << QRect(200, 176, 73, 25) << "&Calculate";
        QTest::newRow("txtSpeed") << "txtSpeed"
                                  << "QLineEdit" << QRect(104, 152, 89, 19) << "";
        QTest::newRow("txtMin") << "txtMin"
                                << "QLineEdit" << QRect(104, 88, 89, 19) << "6";
        QTest::newRow("txtDSM") << "txtDSM"
                                << "QLineEdit" << QRect(104, 64, 89, 19) << "";
        QTest::newRow("imgLogo") << "imgLogo"
                                 << "LinkPicture" << QRect(8, 8, 137, 41) << "";
        QTest::newRow("Label8") << "Label8"
                                << "QLabel" << QRect(200, 88, 25, 17) << "dB";
        QTest::newRow("Label7") << "Label7"
                                << "QLabel" << QRect(200, 64, 25, 17) << "dB";
        QTest::newRow("Label6") << "Label6"
                                << "QLabel" << QRect(200, 152, 41, 17) << "in Mbps";
        QTest::newRow("Label5") << "Label5"
                                << "QLabel" << QRect(200, 112, 41, 17) << "in Mbps";
        QTest::newRow("Line1") << "Line1"
                               << "QFrame" << QRect(8, 144, 265, 2) << "";
        QTest::newRow("Label4") << "Label4"
                                << "QLabel" << QRect(8, 112, 89, 17) << "Current speed:";
        QTest::newRow("Label3") << "Label3"
                                << "QLabel" << QRect(8, 152, 89, 17) << "Max New Speed:";
        QTest::newRow("Label2") << "Label2"
                                << "QLabel" << QRect(8, 88, 89, 17) << "Minimum margin";
        QTest::newRow("Label1") << "Label1"
                                << "QLabel" << QRect(8, 64, 65, 17) << "DS Margin";
    }

    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);

        Shown window;
        const QWidget* control = window.form.findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
        QCOMPARE(control->geometry(), geometry);
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
        QCOMPARE(window.form.size(), QSize(279, 206));
        QCOMPARE(window.form.minimumSize(), QSize(279, 206));
        QCOMPARE(window.form.maximumSize(), QSize(279, 206));

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
        QTest::newRow("higher-is-green") << "12"
                                         << "6"
                                         << "8"
                                         << "16" << kLightGreen;
        QTest::newRow("equal-is-white") << "6"
                                        << "6"
                                        << "8"
                                        << "8" << kWhite;
        QTest::newRow("lower-is-red") << "3"
                                      << "6"
                                      << "8"
                                      << "5.656854" << kLightRed;
        QTest::newRow("equal-margins-show-a-loss") << "6"
                                                   << "6"
                                                   << "10"
                                                   << "9.999999" << kLightRed;
        QTest::newRow("unit-typed-after-speed") << "12"
                                                << "6"
                                                << "8 Mbps"
                                                << "16" << kLightGreen;
        QTest::newRow("empty-margin-reads-0") << ""
                                              << "6"
                                              << "1"
                                              << "0.5" << kLightRed;
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
        window.box("txtDSM")->setText(QStringLiteral("12"));
        window.box("txtCurSpeed")->setText(QStringLiteral("8"));
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
        window.box("txtDSM")->setText(QStringLiteral("12"));
        window.box("txtCurSpeed")->setText(QStringLiteral("8"));
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
        QTest::newRow("ds-margin") << "Label1"
                                   << "txtDSM"
                                   << "DS Margin, dB";
        QTest::newRow("minimum-margin") << "Label2"
                                        << "txtMin"
                                        << "Minimum margin, dB";
        QTest::newRow("current-speed") << "Label4"
                                       << "txtCurSpeed"
                                       << "Current speed:, in Mbps";
        QTest::newRow("max-new-speed") << "Label3"
                                       << "txtSpeed"
                                       << "Max New Speed:, in Mbps";
        QTest::newRow("unit-dB") << "Label7" << QString() << QString();
        QTest::newRow("unit-Mbps") << "Label6" << QString() << QString();
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
        QTemporaryDir folder;
        const QString record = folder.filePath(QStringLiteral("opened"));
        WriteRecordingOpener(folder.path(), record);
        const ScopedPath path(folder.path());

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
        WAIT_COMPARE(RecordedLines(record), QStringList{"http://www.velmor.example"});
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
        QTemporaryDir folder;
        const QString record = folder.filePath(QStringLiteral("opened"));
        WriteRecordingOpener(folder.path(), record);
        const ScopedPath path(folder.path());

        Shown window;
        window.box("txtDSM")->setText(QStringLiteral("12"));
        auto* logo = window.child<QLabel>("imgLogo");
        QTest::mouseClick(logo, Qt::LeftButton);
        WAIT_COMPARE(RecordedLines(record), QStringList{"http://www.velmor.example"});
        QTest::mouseClick(logo, Qt::LeftButton);
        WAIT_COMPARE(RecordedLines(record).size(), 2);
        QCOMPARE(RecordedLines(record).last(), QStringLiteral("http://www.velmor.example"));

        QTest::mouseClick(logo, Qt::RightButton);
        QTest::qWait(200);
        QCOMPARE(RecordedLines(record).size(), 2);

        QCOMPARE(window.reporter.messages, QStringList());
        QCOMPARE(window.box("txtDSM")->text(), QStringLiteral("12"));
        QCOMPARE(window.box("txtSpeed")->text(), QString());
    }

    void missingOpenerIsReportedAndLookedForAgain() {
        QTemporaryDir folder;
        const QString record = folder.filePath(QStringLiteral("opened"));
        const ScopedPath path(folder.path());

        Shown window;
        auto* logo = window.child<QLabel>("imgLogo");
        QTest::mouseClick(logo, Qt::LeftButton);
        QCOMPARE(window.reporter.messages.size(), 1);
        QCOMPARE(window.reporter.messages.front(),
                 QString::fromStdString(form1::FailureMessage(tarnwick::FailureKind::LibraryLookup)));

        WriteRecordingOpener(folder.path(), record);
        QTest::mouseClick(logo, Qt::LeftButton);
        WAIT_COMPARE(RecordedLines(record), QStringList{"http://www.velmor.example"});
        QCOMPARE(window.reporter.messages.size(), 1);
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
