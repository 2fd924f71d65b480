#pragma once

#include <QString>

// The outcome of a dialog's OK checks: empty when every check passed, else the message of the first check
// that failed and the control that gets the keyboard focus (0: the focus stays where it is).
struct CDialogCheck {
    QString message;
    int focus = 0;

    bool Passed() const { return message.isEmpty(); }
    static CDialogCheck Fail(const QString &text, int control = 0) { return {text, control}; }
};

// The number boxes of the dialogs: a box that does not hold a number of its kind stops the OK with the
// kind's message, and the dialog's values keep what they held.
namespace DialogNumbers {

inline const QString kIntegerMessage = QStringLiteral("Please enter an integer.");
inline const QString kUnsignedMessage = QStringLiteral("Please enter a positive integer.");
inline const QString kNumberMessage = QStringLiteral("Please enter a number.");

// Blanks at both ends are allowed; false when the text is not a number of the kind.
bool ParseInt(const QString &text, int &out);
bool ParseUnsigned(const QString &text, int &out);
bool ParseDouble(const QString &text, double &out);
// The text a number box shows for a value: up to six significant digits, no exponent for ordinary values.
QString FormatDouble(double value);

} // namespace DialogNumbers
