// The floating-point status flags, in the one place that reads and clears them.
#pragma once

namespace tarnwick::fp_status {

// Clears every floating-point exception flag.
void Clear() noexcept;

// Throws the RunFailure for the first flag set among invalid operation,
// division by zero and overflow, in that order. Leaves the flags as they are.
void ThrowIfFlagged();

// Returns value after forcing it to be computed, and rounded to its type, at
// this point of the program. Without it the optimiser may move an operation
// across a Clear() or ThrowIfFlagged(), which it treats as unrelated calls,
// and the operation's flags would be lost or counted at the wrong step.
template <typename T>
T Settled(T value) noexcept {
    volatile T held = value;
    return held;
}

}  // namespace tarnwick::fp_status
