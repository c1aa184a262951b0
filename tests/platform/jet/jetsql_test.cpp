#include "fixture.h"

#include <QProcess>

using jet::test::DataFileTest;

namespace {

class JetsqlTool : public DataFileTest
{
protected:
    // Runs the tool on the fixture's file with the given input; its output lines.
    QStringList run(const QByteArray &input, const QStringList &options = {})
    {
        db.close();
        QProcess tool;
        tool.start(QStringLiteral(OVIX_JETSQL_PATH), options + QStringList{path});
        EXPECT_TRUE(tool.waitForStarted());
        tool.write(input);
        tool.closeWriteChannel();
        EXPECT_TRUE(tool.waitForFinished(30000));
        EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
        return QString::fromUtf8(tool.readAllStandardOutput())
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
};

} // namespace

TEST_F(JetsqlTool, WritesOneJsonLinePerStatement)
{
    const QStringList lines =
        run("SELECT StudentID, Surname, Born, Balance, Flag FROM Students WHERE Age > 6 "
            "ORDER BY StudentID\n"
            "UPDATE Students SET Age = 1 \\\n WHERE Surname = 'Jones'\n"
            "\n"
            "SELECT * FROM Nowhere\n"
            "SELECT Count(*) FROM Students WHERE Age = 1;\n");
    ASSERT_EQ(lines.size(), 4) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(
        lines[0],
        QStringLiteral(
            "{\"columns\":[\"StudentID\",\"Surname\",\"Born\",\"Balance\",\"Flag\"],"
            "\"types\":[\"COUNTER\",\"TEXT\",\"DATETIME\",\"CURRENCY\",\"YESNO\"],"
            "\"rows\":[[1,\"Smith\",\"2010-01-05\",4.5,null],[2,\"Jones\",null,null,null]]}"));
    EXPECT_EQ(lines[1], QStringLiteral("{\"affected\":1}"));
    EXPECT_TRUE(lines[2].startsWith(
        QStringLiteral("{\"error\":{\"number\":-2147217865,\"description\":\"")))
        << lines[2].toStdString();
    EXPECT_EQ(lines[3],
              QStringLiteral("{\"columns\":[\"Expr1000\"],\"types\":[\"LONG\"],\"rows\":[[1]]}"));
}

TEST_F(JetsqlTool, TranslatesWithoutRunning)
{
    const QStringList lines = run("DELETE FROM Students\n", {QStringLiteral("--translate")});
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith(QLatin1String("DELETE FROM"))) << lines[0].toStdString();
    db.open();
    EXPECT_EQ(scalar(QStringLiteral("SELECT Count(*) FROM Students")).toInt(), 3);
}
