#pragma once

// Shared state of one generator run; each area of the centre has its own file.
#include "sampledata.h"

#include "platform/vb/currency.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <memory>
#include <random>
#include <vector>

namespace jet {
class Connection;
}

namespace SampleData::detail {

// How big a centre is.
struct Plan
{
    int terms;               // programs, the last one holding today
    int classesPerTerm;      // classes of each program
    int students;            // children over all terms
    int families;            // family rows the children belong to
    int instructors;         // teaching staff
    int termsPerStudent;     // the most terms one child stays
    int termsWithWaterTests; // water tests are kept for the last terms only
    double assessmentsPerBooking;

    static Plan of(Size size);
};

// Rows of one table, written as Jet INSERT statements with every value quoted by the
// program's helpers; keys are given, so that other rows can name them at once.
class TableWriter
{
public:
    TableWriter(jet::Connection &db, const QString &table, const QStringList &columns);
    // One literal per column, as the quoting helpers write them.
    void add(const QStringList &values);
    qint64 rows() const { return m_rows; }

private:
    jet::Connection &m_db;
    QString m_prefix;
    int m_columns;
    qint64 m_rows = 0;
};

// Literals of the quoting helpers, short.
QString text(const QString &value);
QString number(qint64 value);
QString number(double value);
QString money(vb::Currency value);
QString date(const QDate &value);
QString dateTime(const QDate &day, const QTime &time);
QString time(const QTime &value);
QString null();
vb::Currency dollars(int cents);

// A term (program) and its weeks.
struct Term
{
    int programId;
    QString name;
    QDate start; // a Monday
    int sessions;
    vb::Currency cost;
    bool current;
};

struct Level
{
    int levelId;
    QString name;
    int maxInClass;
    QStringList criteria;
};

struct ClassInfo
{
    int classId;
    int term; // index into Generator::terms
    int level;
    int weekday; // 1 = Monday .. 7 = Sunday
    int max;
    int instructor; // InstructorID
    vb::Currency cost;
    int enrolled = 0;
    QDate sessionDate(const Term &t, int session) const
    {
        return t.start.addDays(7 * (session - 1) + weekday - 1);
    }
};

struct Person
{
    int studentId;
    QString first;
    QString last;
    int family; // the family row's StudentID, 0 for staff
    int firstTerm;
    int lastTerm;
    int level; // the level the child starts in
};

struct Family
{
    int studentId;
    QString parent;
    QString last;
    QString phone;
};

struct Booking
{
    int bookingId;
    int studentId;
    int classId;
    QString status;
    int term;
    int sessionNo;     // a catch-up's session, else 0
    int lastSession;   // the last session the child came to (cancelled or moved earlier)
    int missedSession; // a session missed and made up in a catch-up, else 0
};

// One row of Students: a child, a family or a member of staff.
struct StudentRow
{
    int id = 0;
    QString first, last;
    QDate born;
    QString parent, address, city, state, postcode, home, work, mobile, email, notes, gender;
    QString student = QStringLiteral("Y"), employee = QStringLiteral("N"),
            vendor = QStringLiteral("N"), special = QStringLiteral("N");
    QDate detailsForm;
    int family = 0;
    int inactive = 0;
    QString barcode, school;
};

class Generator
{
public:
    Generator(jet::Connection &db, const Options &options);
    void run();

    // Random helpers.
    int between(int low, int high); // both ends included
    bool chance(double p);
    template <typename T> const T &pick(const std::vector<T> &list)
    {
        return list[size_t(between(0, int(list.size()) - 1))];
    }
    QString pickName(const char *const *names, int count);
    QString phone();

    jet::Connection &db;
    Options options;
    Plan plan;
    std::mt19937 rng;

    // What the areas share, filled in order.
    QStringList users;     // UserIDs
    QStringList userNames; // their names, as records store them
    std::vector<Level> levels;
    std::vector<Term> terms;
    std::vector<ClassInfo> classes;
    std::vector<int> instructorIds; // InstructorID
    std::vector<QString> instructorNames;
    std::vector<Family> families;
    std::vector<StudentRow> familyRows;
    std::vector<Person> children;
    std::vector<Booking> bookings;
    int nextStudentId = 1;
    int nextReceipt = 1;
    vb::Currency joiningFee = dollars(2500);

    // Sessions of a class held by today.
    int heldSessions(const ClassInfo &c) const;

    void addStudentRow(const StudentRow &row);
    std::unique_ptr<TableWriter> studentRows;

    // The areas, in the order they run.
    void centreAndUsers();
    void staff();
    void timetable();
    void studentsAndFamilies();
    void enrolmentsAndLedger();
    void attendanceAndAssessments();
    void waterTests();
    void finishCentre();
};

} // namespace SampleData::detail
