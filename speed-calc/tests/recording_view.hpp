// An in-memory window for the Calculate action: it holds the four boxes,
// records every operation in order, and can fail any one of them. Like a GUI
// toolkit may, it leaves floating-point flags raised by every operation,
// completed or failed, where the processor keeps them; the action must clear them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "fp_status.hpp"
#include "speed_calc.hpp"

namespace tarnwick::testing {

class RecordingView : public CalcView {
public:
    RecordingView(std::string dsMargin, std::string minMargin, std::string currentSpeed)
        : text_{{Box::txtDSM, std::move(dsMargin)},
                {Box::txtMin, std::move(minMargin)},
                {Box::txtCurSpeed, std::move(currentSpeed)},
                {Box::txtSpeed, ""}} {}

    std::string GetBoxText(Box box) override {
        Record("read " + Name(box));
        return text_.at(box);
    }
    void SetBoxBackColour(Box box, Colour colour) override {
        Record("colour " + Name(box));
        colour_[box] = colour;
    }
    void SetBoxText(Box box, std::string_view text) override {
        Record("write " + Name(box));
        text_[box] = text;
    }

    // Makes the operation with this index (0 for the first) fail with ControlAccess.
    void FailOperation(std::size_t index) { failingOperation_ = index; }

    const std::vector<std::string>& operations() const { return operations_; }
    const std::string& text(Box box) const { return text_.at(box); }
    Colour colour(Box box) const { return colour_.at(box); }
    void Show(Box box, std::string text, Colour colour) {
        text_[box] = std::move(text);
        colour_[box] = colour;
    }

private:
    static std::string Name(Box box) {
        switch (box) {
        case Box::txtDSM: return "txtDSM";
        case Box::txtMin: return "txtMin";
        case Box::txtCurSpeed: return "txtCurSpeed";
        case Box::txtSpeed: return "txtSpeed";
        }
        return "?";
    }
    void Record(std::string operation) {
        FpStatus{}.Raise(kInvalidOperation | kDivisionByZero | kOverflow);
        operations_.push_back(std::move(operation));
        if (operations_.size() - 1 == failingOperation_) throw RunFailure(FailureKind::ControlAccess);
    }

    std::map<Box, std::string> text_;
    std::map<Box, Colour> colour_{{Box::txtSpeed, Colour{255, 255, 255}}};
    std::vector<std::string> operations_;
    std::size_t failingOperation_ = static_cast<std::size_t>(-1);
};

}  // namespace tarnwick::testing
