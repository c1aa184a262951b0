#include "searchlists.h"

namespace classsearch {

QStringList TimeModes()
{
    return {QStringLiteral("(All)"),        QStringLiteral("AM Only"),
            QStringLiteral("PM Only"),      QStringLiteral("All Weekends"),
            QStringLiteral("All Weekdays"), QStringLiteral("AM + Weekdays"),
            QStringLiteral("PM + Weekends")};
}

} // namespace classsearch
