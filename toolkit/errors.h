// SPDX-License-Identifier: MIT
// Run-time errors. An operation that fails throws tk::RuntimeError with the
// toolkit's number and text; whatever a handler lets escape is reported once
// and ends the program (see tk::Handle in application.h).
#pragma once

#include <QString>
#include <exception>

namespace tk {

enum ErrorNumber : int {
    errInvalidArgument = 5,   // "Invalid procedure call or argument"
    errOverflow = 6,
    errOutOfMemory = 7,
    errSubscriptOutOfRange = 9,
    errTypeMismatch = 13,
    errFileNotFound = 53,
};

// The toolkit's own text for an error number.
QString ErrorText(int number);

class RuntimeError : public std::exception {
public:
    explicit RuntimeError(int number);
    int Number() const { return number_; }
    QString Description() const { return ErrorText(number_); }
    const char* what() const noexcept override { return what_.constData(); }

private:
    int number_;
    QByteArray what_;
};

// Thrown by End() when the installed end handler returns (tests): it unwinds the
// handler that called End, so nothing after End runs, as in the real program.
struct ProgramEnded {};

} // namespace tk
