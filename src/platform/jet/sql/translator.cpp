#include "translator.h"

#include "platform/jet/sql/error.h"

namespace jet::sql {

// Placeholder until the parser lands: hands the statement on unchanged.
Translation translate(const QString &jetSql, const Catalog &)
{
    Translation t;
    const QString head = jetSql.trimmed().section(QLatin1Char(' '), 0, 0).toUpper();
    if (head == QLatin1String("INSERT")) t.kind = Translation::Kind::Insert;
    else if (head == QLatin1String("UPDATE")) t.kind = Translation::Kind::Update;
    else if (head == QLatin1String("DELETE")) t.kind = Translation::Kind::Delete;
    else if (head == QLatin1String("CREATE")) t.kind = Translation::Kind::CreateTable;
    else if (head == QLatin1String("DROP")) t.kind = Translation::Kind::DropTable;
    else if (head == QLatin1String("ALTER")) t.kind = Translation::Kind::AlterTable;
    t.statements.push_back(jetSql);
    return t;
}

} // namespace jet::sql
