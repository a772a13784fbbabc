// SPDX-License-Identifier: MIT
#include "toolkit/errors.h"

namespace tk {

QString ErrorText(int number)
{
    switch (number) {
    case errInvalidArgument: return QStringLiteral("Invalid procedure call or argument");
    case errOverflow: return QStringLiteral("Overflow");
    case errOutOfMemory: return QStringLiteral("Out of memory");
    case errSubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case errTypeMismatch: return QStringLiteral("Type mismatch");
    case errFileNotFound: return QStringLiteral("File not found");
    }
    return QStringLiteral("Application-defined or object-defined error");
}

RuntimeError::RuntimeError(int number)
    : number_(number),
      what_(QStringLiteral("Run-time error '%1': %2").arg(number).arg(ErrorText(number)).toUtf8())
{
}

} // namespace tk
