// Students and families: every child belongs to a family row (its contact and payer),
// and stays with the centre for a run of consecutive terms.
#include "generator.h"
#include "platform/jet/connection.h"

namespace SampleData::detail {

namespace {

const char *const GirlNames[] = {"Olivia", "Charlotte", "Amelia", "Isla",   "Mia",    "Ava",
                                 "Grace",  "Chloe",     "Zoe",    "Ruby",   "Sophie", "Harper",
                                 "Ella",   "Matilda",   "Lily",   "Evie",   "Hannah", "Maya",
                                 "Aisha",  "Mei",       "Priya",  "Sienna", "Willow", "Ivy"};
const char *const BoyNames[] = {"Oliver", "Noah",   "Jack",    "William", "Leo",    "Lucas",
                                "Thomas", "Henry",  "Charlie", "James",   "Ethan",  "Harrison",
                                "Max",    "Archie", "Oscar",   "Liam",    "Samuel", "Hugo",
                                "Ravi",   "Kenji",  "Ahmed",   "Finn",    "Toby",   "Arlo"};
const char *const ParentNames[] = {"Sarah",  "Michelle", "Kate",  "Lisa",    "Anna",   "Rebecca",
                                   "Emma",   "Jessica",  "David", "Michael", "Andrew", "Peter",
                                   "Daniel", "Mark",     "Chris", "Nadia",   "Wei",    "Fatima"};
const char *const Surnames[] = {
    "Smith",        "Jones",    "Williams", "Brown",    "Wilson",  "Taylor",   "Nguyen",
    "Johnson",      "Martin",   "White",    "Anderson", "Walker",  "Thompson", "Harris",
    "Lee",          "Ryan",     "Robinson", "Kelly",    "King",    "Davis",    "Wright",
    "Evans",        "Roberts",  "Green",    "Hall",     "Wood",    "Jackson",  "Clarke",
    "Patel",        "Khan",     "Chen",     "Wang",     "Singh",   "O'Brien",  "Murphy",
    "Campbell",     "Mitchell", "Hughes",   "Edwards",  "Turner",  "Hill",     "Cooper",
    "Ward",         "Morris",   "Baker",    "Young",    "Price",   "Russell",  "Tran",
    "Papadopoulos", "Rossi",    "Costa",    "Kowalski", "Schmidt", "Murray",   "Stewart"};
const char *const Streets[] = {"Harbour Road",         "Shellharbour Road", "Illawarra Street",
                               "Gloucester Boulevard", "Cowper Street",     "Military Road",
                               "Wentworth Street",     "Flagstaff Road",    "Five Islands Road",
                               "Northcliffe Drive",    "King Street",       "Reservoir Street"};
const char *const Suburbs[][2] = {
    {"Port Kembla", "2505"}, {"Warrawong", "2502"}, {"Cringila", "2502"}, {"Lake Heights", "2502"},
    {"Berkeley", "2506"},    {"Unanderra", "2526"}, {"Figtree", "2525"},  {"Primbee", "2502"}};
const char *const Schools[] = {"Port Kembla Public School", "Warrawong High School",
                               "Lake Heights Public School", "St Francis Primary"};

template <size_t N> constexpr int count(const char *const (&)[N])
{
    return int(N);
}

} // namespace

void Generator::addStudentRow(const StudentRow &r)
{
    if (!studentRows)
        studentRows = std::make_unique<TableWriter>(
            db, QStringLiteral("Students"),
            QStringList{"StudentID",     "First Name", "Last Name",  "Date of Birth",
                        "Parents Name",  "Address",    "City",       "State",
                        "Postcode",      "Home Phone", "Work Phone", "Mobile Phone",
                        "Email Address", "Notes",      "Gender",     "DetailsFormCompleted",
                        "Student",       "Employee",   "Vendor",     "Special",
                        "NewStudent",    "Issued",     "Family",     "Barcode",
                        "Inactive",      "SchoolName"});
    auto opt = [](const QString &v) { return v.isEmpty() ? null() : text(v); };
    studentRows->add({number(qint64(r.id)),
                      text(r.first),
                      text(r.last),
                      r.born.isValid() ? date(r.born) : null(),
                      opt(r.parent),
                      opt(r.address),
                      opt(r.city),
                      opt(r.state),
                      opt(r.postcode),
                      opt(r.home),
                      opt(r.work),
                      opt(r.mobile),
                      opt(r.email),
                      opt(r.notes),
                      opt(r.gender),
                      r.detailsForm.isValid() ? date(r.detailsForm) : null(),
                      text(r.student),
                      text(r.employee),
                      text(r.vendor),
                      text(r.special),
                      number(qint64(0)),
                      number(qint64(0)),
                      number(qint64(r.family)),
                      opt(r.barcode),
                      number(qint64(r.inactive)),
                      opt(r.school)});
}

void Generator::studentsAndFamilies()
{
    const QDate today = options.today;
    for (int f = 0; f < plan.families; ++f) {
        StudentRow row;
        row.id = nextStudentId++;
        row.first = pickName(ParentNames, count(ParentNames));
        row.last = pickName(Surnames, count(Surnames));
        row.parent = row.first + QLatin1Char(' ') + row.last;
        const int suburb = between(0, 7);
        row.address =
            QStringLiteral("%1 %2").arg(between(1, 220)).arg(pickName(Streets, count(Streets)));
        row.city = QString::fromLatin1(Suburbs[suburb][0]);
        row.state = QStringLiteral("NSW");
        row.postcode = QString::fromLatin1(Suburbs[suburb][1]);
        // Home phones are unique: the family grouping keys on them.
        row.home = QStringLiteral("02 42%1 %2")
                       .arg(f / 10000 % 100, 2, 10, QLatin1Char('0'))
                       .arg(f % 10000, 4, 10, QLatin1Char('0'));
        row.mobile = QStringLiteral("04%1 %2 %3")
                         .arg(between(10, 99))
                         .arg(between(100, 999))
                         .arg(between(100, 999));
        row.email =
            QStringLiteral("%1.%2%3@mail.example")
                .arg(row.first.toLower(), QString(row.last).remove(QLatin1Char('\'')).toLower())
                .arg(f);
        row.student = QStringLiteral("N");
        row.vendor = QStringLiteral("Y");
        addStudentRow(row);
        families.push_back({row.id, row.parent, row.last, row.home});
        familyRows.push_back(row);
    }

    const int levelCount = int(levels.size());
    for (int c = 0; c < plan.students; ++c) {
        // The first children found one family each, the others join one at random.
        const int f = c < plan.families ? c : between(0, plan.families - 1);
        const StudentRow &family = familyRows[size_t(f)];
        Person p;
        p.studentId = nextStudentId++;
        const bool girl = chance(0.5);
        p.first =
            girl ? pickName(GirlNames, count(GirlNames)) : pickName(BoyNames, count(BoyNames));
        p.last = family.last;
        p.family = family.id;
        const int stay = between(1, plan.termsPerStudent);
        p.firstTerm = std::max(0, between(1 - stay, plan.terms - 1));
        p.lastTerm = std::min(plan.terms - 1, p.firstTerm + stay - 1);
        if (p.firstTerm > p.lastTerm)
            p.firstTerm = p.lastTerm;
        p.level = between(0, levelCount - 1);
        children.push_back(p);

        StudentRow row = family;
        row.id = p.studentId;
        row.first = p.first;
        row.vendor = QStringLiteral("N");
        row.student = QStringLiteral("Y");
        row.gender = girl ? QStringLiteral("Female") : QStringLiteral("Male");
        row.family = family.id;
        // Children are between 3 and 12 when they join.
        const QDate joined = terms[size_t(p.firstTerm)].start;
        row.born = joined.addDays(-between(3 * 365, 12 * 365));
        row.school =
            joined.year() - row.born.year() >= 5 ? pickName(Schools, count(Schools)) : QString();
        row.detailsForm = joined.addDays(-between(1, 20));
        row.barcode = QStringLiteral("S%1").arg(p.studentId, 6, 10, QLatin1Char('0'));
        row.notes = chance(0.05) ? QStringLiteral("Asthma: puffer in bag") : QString();
        // A child not seen for two years is marked inactive.
        row.inactive = terms[size_t(p.lastTerm)].start < today.addYears(-2) ? 1 : 0;
        addStudentRow(row);
    }
}

} // namespace SampleData::detail
