#pragma once

#include "platform/jet/sql/types.h"

#include <QString>

namespace jet::sql {

// What the translator knows of a Jet function by its name (case ignored, "$" forms included).
struct Builtin
{
    enum class Result { Fixed, FirstArg, SecondOrThird, FirstOrSecond, SumOf, AvgOf };
    const char *name; // lower case, without "$": "ucase"
    bool aggregate;
    Result result;
    JetType type; // for Fixed
    int minArgs, maxArgs;
};

// The function of that name, or nullptr when Jet has none.
const Builtin *findBuiltin(const QString &name);

} // namespace jet::sql
