#include "error.h"

namespace vb {

Error::Error(long number, QString description)
    : std::runtime_error(description.isEmpty() ? describe(number).toStdString()
                                               : description.toStdString())
    , m_number(number)
    , m_description(description.isEmpty() ? describe(number) : std::move(description))
{}

QString Error::describe(long number)
{
    switch (number) {
    case 3: return QStringLiteral("Return without GoSub");
    case 5: return QStringLiteral("Invalid procedure call or argument");
    case 6: return QStringLiteral("Overflow");
    case 7: return QStringLiteral("Out of memory");
    case 9: return QStringLiteral("Subscript out of range");
    case 10: return QStringLiteral("This array is fixed or temporarily locked");
    case 11: return QStringLiteral("Division by zero");
    case 13: return QStringLiteral("Type mismatch");
    case 52: return QStringLiteral("Bad file name or number");
    case 53: return QStringLiteral("File not found");
    case 55: return QStringLiteral("File already open");
    case 57: return QStringLiteral("Device I/O error");
    case 58: return QStringLiteral("File already exists");
    case 61: return QStringLiteral("Disk full");
    case 62: return QStringLiteral("Input past end of file");
    case 70: return QStringLiteral("Permission denied");
    case 75: return QStringLiteral("Path/File access error");
    case 76: return QStringLiteral("Path not found");
    case 91: return QStringLiteral("Object variable or With block variable not set");
    case 94: return QStringLiteral("Invalid use of Null");
    case 380: return QStringLiteral("Invalid property value");
    case 424: return QStringLiteral("Object required");
    case 438: return QStringLiteral("Object doesn't support this property or method");
    case 440: return QStringLiteral("Automation error");
    case 482: return QStringLiteral("Printer error");
    case 484:
        return QStringLiteral("Problem getting printer information from the system. Make sure the "
                              "printer is set up correctly");
    default: return {};
    }
}

} // namespace vb
