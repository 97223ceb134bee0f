// The failures a calculation can end with. Each carries the text the user is shown; the window
// that ran the calculation decides the title of the message box.
#pragma once

#include <stdexcept>

namespace qb {

inline constexpr const char* kWrongEntry = "Wrong entry, try again";
inline constexpr const char* kFortyYearLimit = "Wrong entry, 40 Years limit.";

// A calculation the program refuses to finish; the user is shown userMessage().
class CalculationRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    virtual const char* userMessage() const { return what(); }
};

// A run-time failure inside a calculation: division by zero, overflow, a row past the end of a
// table, a text that is not in a list. The user sees "Wrong entry, try again".
class CalculationError : public CalculationRefusal {
public:
    explicit CalculationError(const char* detail) : CalculationRefusal(detail) {}
    const char* userMessage() const override { return kWrongEntry; }
};

class OverflowError : public CalculationError {
public:
    OverflowError() : CalculationError("overflow") {}
};

// The term is 41 years or more.
class TermLimitError : public CalculationRefusal {
public:
    TermLimitError() : CalculationRefusal(kFortyYearLimit) {}
};

} // namespace qb
