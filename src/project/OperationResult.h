// How an operation of the document ended: the one result shape of every change and every long
// operation. Whatever went wrong has been reported through the feedback channel before the
// result is returned, so a caller only decides what to do next (close a dialog, keep it open,
// redraw).
#pragma once

namespace qmk {

class OperationResult {
public:
    enum Value {
        Done,          // the change was made
        Cancelled,     // the person stopped it (Cancel, or "No" to its question); nothing changed
        Failed,        // it could not be made; the report was given and the project is as it was
        Refused,       // the document was busy with another operation; nothing changed
        InputRefused,  // what was asked for is not acceptable (reported): a dialog stays open
    };

    constexpr OperationResult(Value value) : value_(value) {}  // NOLINT: a result is its value
    constexpr Value value() const { return value_; }
    constexpr bool done() const { return value_ == Done; }
    constexpr explicit operator bool() const { return done(); }
    constexpr bool operator==(const OperationResult&) const = default;

private:
    Value value_;
};

} // namespace qmk
