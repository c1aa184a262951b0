#include "platform/jet/sql/builtins.h"

#include <QHash>

namespace jet::sql {

namespace {

using R = Builtin::Result;
using T = JetType;

const Builtin kBuiltins[] = {
    {"ucase", false, R::Fixed, T::Text, 1, 1},
    {"lcase", false, R::Fixed, T::Text, 1, 1},
    {"left", false, R::Fixed, T::Text, 2, 2},
    {"right", false, R::Fixed, T::Text, 2, 2},
    {"mid", false, R::Fixed, T::Text, 2, 3},
    {"len", false, R::Fixed, T::Long, 1, 1},
    {"instr", false, R::Fixed, T::Long, 2, 4},
    {"trim", false, R::Fixed, T::Text, 1, 1},
    {"ltrim", false, R::Fixed, T::Text, 1, 1},
    {"rtrim", false, R::Fixed, T::Text, 1, 1},
    {"replace", false, R::Fixed, T::Text, 3, 6},
    {"space", false, R::Fixed, T::Text, 1, 1},
    {"string", false, R::Fixed, T::Text, 2, 2},
    {"asc", false, R::Fixed, T::Short, 1, 1},
    {"chr", false, R::Fixed, T::Text, 1, 1},
    {"str", false, R::Fixed, T::Text, 1, 1},
    {"val", false, R::Fixed, T::Double, 1, 1},
    {"cstr", false, R::Fixed, T::Text, 1, 1},
    {"cint", false, R::Fixed, T::Short, 1, 1},
    {"clng", false, R::Fixed, T::Long, 1, 1},
    {"cdbl", false, R::Fixed, T::Double, 1, 1},
    {"ccur", false, R::Fixed, T::Currency, 1, 1},
    {"cdate", false, R::Fixed, T::Date, 1, 1},
    {"cbool", false, R::Fixed, T::YesNo, 1, 1},
    {"iif", false, R::SecondOrThird, T::Unknown, 3, 3},
    {"nz", false, R::FirstOrSecond, T::Unknown, 1, 2},
    {"isnull", false, R::Fixed, T::YesNo, 1, 1},
    {"isnumeric", false, R::Fixed, T::YesNo, 1, 1},
    {"isdate", false, R::Fixed, T::YesNo, 1, 1},
    {"format", false, R::Fixed, T::Text, 1, 4},
    {"now", false, R::Fixed, T::Date, 0, 0},
    {"date", false, R::Fixed, T::Date, 0, 0},
    {"time", false, R::Fixed, T::Date, 0, 0},
    {"datevalue", false, R::Fixed, T::Date, 1, 1},
    {"timevalue", false, R::Fixed, T::Date, 1, 1},
    {"dateserial", false, R::Fixed, T::Date, 3, 3},
    {"dateadd", false, R::Fixed, T::Date, 3, 3},
    {"datediff", false, R::Fixed, T::Long, 3, 5},
    {"datepart", false, R::Fixed, T::Long, 2, 4},
    {"year", false, R::Fixed, T::Short, 1, 1},
    {"month", false, R::Fixed, T::Short, 1, 1},
    {"day", false, R::Fixed, T::Short, 1, 1},
    {"hour", false, R::Fixed, T::Short, 1, 1},
    {"minute", false, R::Fixed, T::Short, 1, 1},
    {"second", false, R::Fixed, T::Short, 1, 1},
    {"weekday", false, R::Fixed, T::Short, 1, 2},
    {"int", false, R::FirstArg, T::Unknown, 1, 1},
    {"fix", false, R::FirstArg, T::Unknown, 1, 1},
    {"abs", false, R::FirstArg, T::Unknown, 1, 1},
    {"sgn", false, R::Fixed, T::Short, 1, 1},
    {"round", false, R::FirstArg, T::Unknown, 1, 2},
    {"sum", true, R::SumOf, T::Unknown, 1, 1},
    {"avg", true, R::AvgOf, T::Unknown, 1, 1},
    {"count", true, R::Fixed, T::Long, 1, 1},
    {"min", true, R::FirstArg, T::Unknown, 1, 1},
    {"max", true, R::FirstArg, T::Unknown, 1, 1},
    {"first", true, R::FirstArg, T::Unknown, 1, 1},
    {"last", true, R::FirstArg, T::Unknown, 1, 1},
    {"stdev", true, R::Fixed, T::Double, 1, 1},
    {"var", true, R::Fixed, T::Double, 1, 1},
};

} // namespace

const Builtin *findBuiltin(const QString &name)
{
    static const QHash<QString, const Builtin *> byName = [] {
        QHash<QString, const Builtin *> h;
        for (const Builtin &b : kBuiltins)
            h.insert(QLatin1String(b.name), &b);
        return h;
    }();
    QString key = name.toLower();
    if (key.endsWith(QLatin1Char('$')))
        key.chop(1);
    return byName.value(key, nullptr);
}

} // namespace jet::sql
