#include "window_texts.h"

#include "home_page.h"

namespace form1 {

namespace {

// What to do when no program to open web pages could be found.
std::string OpenerAdvice() {
    const std::string page(kHomePageUrl);
#ifdef _WIN32
    return "Visit " + page + " in your web browser.";
#else
    return "Install xdg-utils, or visit " + page + " in your web browser.";
#endif
}

}  // namespace

std::string FailureMessage(tarnwick::FailureKind kind) {
    using tarnwick::FailureKind;
    switch (kind) {
    case FailureKind::InvalidArgument:
        return "Invalid argument: the speed cannot be estimated from a current speed of 0 or less.\n\n"
               "Type the current speed as a number greater than 0, such as 8.";
    case FailureKind::Overflow:
        return "Overflow: a number is too large.\n\n"
               "Type numbers between -3.4E+38 and 3.4E+38.";
    case FailureKind::InvalidOperation:
        return "Invalid operation: the two margins are too large to be compared.\n\n"
               "Type margins between -3.4E+38 and 3.4E+38.";
    case FailureKind::DivisionByZero: return "Division by zero.\n\nCheck the numbers typed and calculate again.";
    case FailureKind::ControlAccess: return "A box of the window could not be read or written.\n\nTry again.";
    case FailureKind::LibraryLookup: return "The program that opens web pages could not be found.\n\n" + OpenerAdvice();
    }
    return UnexpectedFailureMessage("an unknown kind of failure");
}

std::string UnexpectedFailureMessage(std::string_view description) {
    return "Unexpected failure: " + std::string(description) +
           ".\n\nThe program goes on running; the boxes keep what they show.";
}

std::string CurrentFailureMessage() {
    try {
        throw;
    } catch (const tarnwick::RunFailure& failure) {
        return FailureMessage(failure.kind());
    } catch (const std::exception& failure) {
        return UnexpectedFailureMessage(failure.what());
    } catch (...) {
        return UnexpectedFailureMessage("an unknown exception");
    }
}

std::string SpokenCaption(const BoxCaptions& row) {
    return std::string(ControlNamed(row.name).content) + ", " + std::string(ControlNamed(row.unit).content);
}

std::string ResultAnnouncement(std::string_view result, std::string_view verdict) {
    std::string announcement =
        std::string(result) + " " + std::string(ControlNamed(CaptionsOf("txtSpeed")->unit).content);
    if (!verdict.empty()) announcement += ", " + std::string(verdict);
    return announcement;
}

std::string_view VerdictInWords(tarnwick::Colour colour) {
    using tarnwick::SpeedVerdict;
    if (colour == tarnwick::VerdictColour(SpeedVerdict::Higher)) return "higher than the current speed";
    if (colour == tarnwick::VerdictColour(SpeedVerdict::Equal)) return "equal to the current speed";
    if (colour == tarnwick::VerdictColour(SpeedVerdict::Lower)) return "lower than the current speed";
    return {};
}

}  // namespace form1
