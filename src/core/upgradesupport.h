#pragma once

#include "core/errorinfo.h"
#include "platform/jet/connection.h"
#include "platform/jet/sql/error.h"
#include "platform/vb/error.h"

#include <QString>
#include <exception>
#include <memory>
#include <optional>

// What the upgrade steps share: catching a failure as a number and a description, the
// "Data Error" box, and the second connection a step opens to the same file.
namespace imodData::detail {

using Failure = core::ErrorInfo;

// The failure of the exception being handled.
inline Failure currentFailure()
{
    return core::currentError();
}

// Runs f; the failure it raised, or nothing.
template <typename F> std::optional<Failure> capture(F &&f)
{
    try {
        f();
        return std::nullopt;
    } catch (...) {
        return currentFailure();
    }
}

QString shortAppName();

// A warning box titled "Data Error".
void dataErrorBox(const QString &text);

// Runs a statement without a box of its own; true when it succeeded.
bool exec(const QString &sql);
// The form of the lookup steps: sentence, line break, "Err#n - description.", line break,
// "Please contact <app> support.".
void stepErrorBox(const QString &sentence, const Failure &f);
// The form of the core steps: sentence "(Err#n - description). Please contact <app> support."
void tableErrorBox(const QString &sentence, const Failure &f);

// A second connection to the open data file (the connection string of the shared one).
std::unique_ptr<jet::Connection> openOwnConnection();

} // namespace imodData::detail
