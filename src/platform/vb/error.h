#pragma once

#include <QString>
#include <stdexcept>

namespace vb {

// A runtime error with its number and description, as the program's error
// handlers see it ("(Err#" number " - " description ")").
class Error : public std::runtime_error
{
public:
    explicit Error(long number, QString description = {});

    long number() const noexcept { return m_number; }
    const QString &description() const noexcept { return m_description; }

    // The runtime's own description of a runtime error number; empty when unknown.
    static QString describe(long number);

private:
    long m_number;
    QString m_description;
};

// Runtime error numbers that the program tests for.
namespace err {
constexpr long InvalidProcedureCall = 5;
constexpr long Overflow = 6;
constexpr long OutOfMemory = 7;
constexpr long SubscriptOutOfRange = 9;
constexpr long DivisionByZero = 11;
constexpr long TypeMismatch = 13;
constexpr long FileNotFound = 53;
constexpr long FileAlreadyOpen = 55;
constexpr long FileAlreadyExists = 58;
constexpr long PermissionDenied = 70;
constexpr long PathNotFound = 76;
constexpr long ObjectVariableNotSet = 91;
constexpr long InvalidUseOfNull = 94;
constexpr long ObjectDoesNotSupport = 438;
constexpr long PrinterError = 482;
constexpr long PrinterDriverProblem = 484;
constexpr long ApplicationDefined = 1004;
} // namespace err

} // namespace vb
