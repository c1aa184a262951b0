#include "classviewfixture.h"

#include "assessments/imodassessments.h"
#include "classes/view/classview.h"
#include "platform/vb/currency.h"

#include <QMap>

using namespace classview;

namespace {

BookingLine booking(const QString &status)
{
    BookingLine b;
    b.bookingId = 7;
    b.studentId = 3;
    b.firstName = QStringLiteral("Ann");
    b.lastName = QStringLiteral("Lee");
    b.status = status;
    b.bookingNotes = QString();
    b.studentNotes = QString();
    return b;
}

struct LineCase
{
    const char *name;
    const char *status;
    bool cancelDate;
    const char *studentNotes;
    const char *bookingNotes;
    QColor row;
    const char *flag;
    bool redFlag;
};

const QColor White(255, 255, 255), Aqua(128, 255, 255), Green(128, 255, 128),
    Pink(255, 128, 128), Purple(192, 0, 192), DarkRed(192, 0, 0);

} // namespace

class StudentLineTest : public ::testing::TestWithParam<LineCase>
{};

TEST_P(StudentLineTest, ColoursAndFlag)
{
    const LineCase &c = GetParam();
    BookingLine b = booking(QString::fromLatin1(c.status));
    if (c.cancelDate)
        b.cancelDate = QDate(2026, 3, 1);
    b.studentNotes = QString::fromLatin1(c.studentNotes);
    b.bookingNotes = QString::fromLatin1(c.bookingNotes);
    const GridLine line = StudentLine(b, QDate(2026, 2, 1));
    EXPECT_EQ(line.rowColor, c.row);
    EXPECT_EQ(line.cells.value(9), QString::fromLatin1(c.flag));
    EXPECT_EQ(line.flagColor.isValid() ? line.flagColor : line.rowColor,
              c.redFlag ? NotesRed : c.row);
    EXPECT_EQ(line.cells.mid(0, 4), QStringList({"7", "3", "", "Ann Lee"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StudentLineTest,
    ::testing::Values(
        LineCase{"Confirmed", "Confirmed", false, "", "", White, "", false},
        LineCase{"Tentative", "Tentative", false, "", "", Aqua, "", false},
        LineCase{"Moved", "Moved", false, "", "", Green, "", false},
        LineCase{"Cancelled", "Cancelled", false, "", "", Pink, "", false},
        LineCase{"NoShow", "No Show", false, "", "", Purple, "", false},
        LineCase{"OtherWord", "Catch Up", false, "", "", DarkRed, "", false},
        LineCase{"PendingCancellation", "Confirmed", true, "", "", Pink, "C", false},
        LineCase{"CancelledWithDate", "Cancelled", true, "", "", Pink, "", false},
        LineCase{"StudentNotes", "Confirmed", false, "Asthma", "", White, "N", true},
        LineCase{"BookingNotesOnly", "Tentative", false, "", "Pays Friday", Aqua, "N", false},
        LineCase{"AllThree", "Confirmed", true, "Asthma", "Pays Friday", Pink, "C", true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(StudentLine, NameAgeAndOwingCells)
{
    BookingLine b = booking(QStringLiteral("Confirmed"));
    b.firstName = QVariant();
    b.dateOfBirth = QDateTime(QDate(2019, 1, 10), QTime());
    b.homePhone = QStringLiteral("9555 0101");
    b.parentsName = QStringLiteral("Jo & Sam <b>");
    const QDate today(2026, 9, 1);
    // No first name: a blank before the last name; no owing without ledger rows.
    GridLine line = StudentLine(b, today);
    EXPECT_EQ(line.cells[3], QStringLiteral(" Lee"));
    EXPECT_EQ(line.cells[2], QStringLiteral("7½"));
    EXPECT_EQ(line.cells[4], QStringLiteral("9555 0101"));
    EXPECT_EQ(line.cells[7], QStringLiteral("Jo & Sam <b>"));
    EXPECT_EQ(line.cells[8], QString());
    b.owing = QVariant::fromValue(vb::Currency(12.5));
    EXPECT_EQ(StudentLine(b, today).cells[8], QStringLiteral("$12.50"));
    b.owing = -3;
    EXPECT_EQ(StudentLine(b, today).cells[8], QStringLiteral("-$3.00"));
}

TEST(StudentLine, WhichBookingsShow)
{
    struct
    {
        const char *status;
        bool showAll, shown;
    } cases[] = {{"Confirmed", false, true}, {"Tentative", false, true}, {"Moved", false, false},
                 {"No Show", false, false},  {"Moved", true, true},      {"Cancelled", true, true},
                 {"Waiting", true, false},   {"Waiting", false, false}};
    for (const auto &c : cases)
        EXPECT_EQ(ShownInStudentList(QString::fromLatin1(c.status), c.showAll), c.shown)
            << c.status << " " << c.showAll;
}

TEST_F(ClassViewTest, StudentListReadsNetOwingAndLeavesOutCatchUps)
{
    const qint32 p = addProgram(QStringLiteral("Summer"));
    const qint32 c = addClass(p), other = addClass(p);
    const qint32 ann = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const qint32 paying = addBookingRow(c, ann, QStringLiteral("Confirmed"));
    addLedgerRow(paying, QStringLiteral("100"), QStringLiteral("30"), QStringLiteral("5"),
                 QStringLiteral("0.5"));
    addLedgerRow(paying, QStringLiteral("10"), QStringLiteral("0"));
    const qint32 none = addBookingRow(c, ann, QStringLiteral("Moved"));
    addBookingRow(c, ann, QStringLiteral("Confirmed"), 3); // a catch-up
    addBookingRow(other, ann, QStringLiteral("Confirmed"));

    QMap<qint32, QString> owing;
    ReadStudentList(c, [&](const BookingLine &b) { owing.insert(b.bookingId.toInt(), OwingText(b.owing)); });
    EXPECT_EQ(owing, (QMap<qint32, QString>{{paying, "$74.50"}, {none, ""}}));
}

TEST_F(ClassViewTest, WaitingListOldestFirstYellowWithBookingNotesOnly)
{
    const qint32 p = addProgram(QStringLiteral("Summer"));
    const qint32 c = addClass(p);
    const qint32 zed = addStudent(QStringLiteral("Zed"), QStringLiteral("Young"));
    const qint32 amy = addStudent(QStringLiteral("Amy"), QStringLiteral("Ash"));
    setStudent(amy, QStringLiteral("Notes = 'Allergic'"));
    const qint32 first = addBookingRow(c, zed, QStringLiteral("Waiting"), 0, QStringLiteral("12.5"));
    addBookingRow(c, amy, QStringLiteral("Confirmed"));
    const qint32 second = addBookingRow(c, amy, QStringLiteral("Waiting"));
    setBooking(first, QStringLiteral("Notes = 'Call after 5'"));

    QList<GridLine> lines;
    ReadWaitingList(c, [&](const BookingLine &b) { lines << WaitingLine(b); });
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].cells[0], QString::number(first));
    EXPECT_EQ(lines[1].cells[0], QString::number(second));
    EXPECT_EQ(lines[0].cells[3], QStringLiteral("Zed Young"));
    EXPECT_EQ(lines[0].cells[8], QStringLiteral("$12.50"));
    EXPECT_EQ(lines[0].cells[9], QStringLiteral("N"));
    EXPECT_EQ(lines[1].cells[9], QString()) << "the student's notes are not flagged here";
    for (const GridLine &l : lines) {
        EXPECT_EQ(l.rowColor, QColor(255, 255, 0));
        EXPECT_FALSE(l.flagColor.isValid());
    }
}

TEST_F(ClassViewTest, CatchUpsBySessionWhateverTheirStatus)
{
    const qint32 p = addProgram(QStringLiteral("Summer"));
    const qint32 c = addClass(p);
    const qint32 ann = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const qint32 bob = addStudent(QStringLiteral("Bob"), QStringLiteral("Ng"));
    setStudent(bob, QStringLiteral("Notes = 'Hearing aid'"));
    const qint32 five = addBookingRow(c, ann, QStringLiteral("Catch Up"), 5);
    const qint32 two = addBookingRow(c, bob, QStringLiteral("Cancelled"), 2);
    setBooking(five, QStringLiteral("Notes = 'Swap'"));
    addBookingRow(c, ann, QStringLiteral("Confirmed")); // the class booking itself

    QList<GridLine> lines;
    ReadCatchUps(c, [&](const BookingLine &b) {
        lines << CatchUpLine(b, QVariant::fromValue(vb::Currency()));
    });
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].cells.mid(0, 4),
              QStringList({QString::number(two), QString::number(bob), "2", "Bob Ng"}));
    EXPECT_EQ(lines[1].cells[2], QStringLiteral("5"));
    EXPECT_EQ(lines[0].cells[8], QStringLiteral("$0.00"));
    EXPECT_EQ(lines[0].cells[9], QStringLiteral("N"));
    EXPECT_EQ(lines[0].flagColor, NotesRed);
    EXPECT_EQ(lines[1].cells[9], QStringLiteral("N"));
    EXPECT_FALSE(lines[1].flagColor.isValid());
    EXPECT_FALSE(lines[0].rowColor.isValid()) << "no colour by status";
}

// The grid's cells are exactly what the single-assessment look-ups give for each
// listed booking's student.
TEST_F(ClassViewTest, AssessmentLinesMatchTheLookUps)
{
    const qint32 p = addProgram(QStringLiteral("Summer"));
    const qint32 c = addClass(p), elsewhere = addClass(p, QStringLiteral("Level 2"));
    const qint32 starfish = addLevel(QStringLiteral("Starfish")),
                 dolphin = addLevel(QStringLiteral("Dolphin"));
    auto student = [&](const char *first, const char *status) {
        const qint32 s = addStudent(QString::fromLatin1(first), QStringLiteral("Test"));
        addBookingRow(c, s, QString::fromLatin1(status));
        return s;
    };
    const qint32 gus = student("Gus", "Confirmed");
    const qint32 ann = student("Ann", "Confirmed");
    const qint32 ben = student("Ben", "Tentative");
    const qint32 cal = student("Cal", "Confirmed");
    const qint32 dee = student("Dee", "Confirmed");
    addBookingRow(c, dee, QStringLiteral("Tentative"));
    const qint32 eve = student("Eve", "Confirmed");
    const qint32 fay = student("Fay", "Waiting");
    student("Hal", "Cancelled");
    addBookingRow(c, ann, QStringLiteral("Confirmed"), 4); // a catch-up: no row

    addAssessment(ann, starfish, QDate(2026, 1, 5), 0, 1, c); // only placed
    addAssessment(ben, dolphin, QDate(2025, 11, 2), 2, 1, elsewhere);
    addAssessment(cal, starfish, QDate(2025, 6, 1), 2, 1, c);
    addAssessment(cal, dolphin, QDate(2025, 12, 1), 1, 0, c);
    addAssessment(dee, starfish, QDate(2025, 12, 1), 1, 1);
    // Two on one date: the later number wins; no date sorts first.
    addAssessment(eve, dolphin, QDate(2025, 10, 1), 2, 0);
    addAssessment(eve, starfish, QDate(2025, 10, 1), 2, 1);
    addAssessment(eve, dolphin, QDate(), 2, 0);
    addAssessment(gus, dolphin, QDate(), 1, 1);
    addAssessment(fay, dolphin, QDate(2025, 10, 1), 2, 1);

    const QList<AssessmentLine> lines = ClassAssessments(c);
    const QList<qint32> expected{ann, ben, cal, dee, dee, eve, gus};
    ASSERT_EQ(lines.size(), expected.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qint32 id = imodAssessments::GetLastAssessmentID(c, expected[i]);
        SCOPED_TRACE(lines[i].name.toStdString());
        EXPECT_EQ(lines[i].date, imodAssessments::GetAssessmentDate(id));
        EXPECT_EQ(lines[i].level, imodAssessments::GetAssessmentLevelName(id));
        EXPECT_EQ(lines[i].result, imodAssessments::GetAssessmentResult(id));
    }
    EXPECT_EQ(lines[0].name, QStringLiteral("Ann Test"));
    EXPECT_EQ(lines[0].result, QStringLiteral("-"));
    EXPECT_EQ(lines[1].level, QStringLiteral("Dolphin"));
    EXPECT_EQ(lines[2].result, QStringLiteral("Not Yet Competent"));
    EXPECT_EQ(lines[5].level, QStringLiteral("Starfish"));
    EXPECT_EQ(lines[6].date, QStringLiteral("-"));
    EXPECT_TRUE(ClassAssessments(c + 100).isEmpty());
}

TEST_F(ClassViewTest, SessionCountIsWeeksTimesRunDays)
{
    const qint32 p = addProgram(QStringLiteral("Summer")); // 10 weeks
    EXPECT_EQ(SessionCount(p, QStringLiteral("Mon/Wed")), 20);
    EXPECT_EQ(SessionCount(p, QStringLiteral("Monday")), 10);
    EXPECT_EQ(SessionCount(p, QStringLiteral("Other")), 0);
    EXPECT_EQ(SessionCount(0, QStringLiteral("Mon/Wed")), 0);
    EXPECT_EQ(SessionsCaption(20), QStringLiteral("20 sessions for this class."));
    EXPECT_EQ(SessionsCaption(0), QString());
}

TEST_F(ClassViewTest, ClassRecordWithProgramAndLocationNames)
{
    const qint32 p = addProgram(QStringLiteral("Summer"));
    const qint32 c = addClass(p, QStringLiteral("Level 2"), QStringLiteral("Mon/Wed"));
    const auto row = ReadClassRecord(c);
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->description.toString(), QStringLiteral("Level 2"));
    EXPECT_EQ(row->program.toString(), QStringLiteral("Summer"));
    EXPECT_EQ(row->areaName.toString(), QStringLiteral("Main Pool"));
    EXPECT_EQ(row->notes.toString(), QStringLiteral("Bring goggles"));
    EXPECT_EQ(row->day.toString(), QStringLiteral("Mon/Wed"));
    // A class whose program is gone still reads, without a program name.
    exec(QStringLiteral("DELETE FROM Programs"));
    ASSERT_TRUE(ReadClassRecord(c).has_value());
    EXPECT_TRUE(ReadClassRecord(c)->program.isNull());
    EXPECT_FALSE(ReadClassRecord(c + 1).has_value());
}
