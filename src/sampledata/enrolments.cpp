// Enrolments and the ledger: each term's children are booked into classes of their level
// (or wait for a place), some move class, cancel or make up a missed lesson in a catch-up;
// every booking carries its charge, payments and discounts, and its Owing is the net of
// its ledger rows. A child's first enrolment brings the joining fee.
#include "generator.h"
#include "platform/jet/connection.h"

#include <QHash>

namespace SampleData::detail {

namespace {

struct LedgerRow
{
    int bookingId = 0;
    int sid = 0;
    QDate day;
    QTime at;
    QString type = QStringLiteral("P");
    vb::Currency amount, charge, chargeGst, discount, gst, revenue;
    QString method, receivedFrom, authorisedBy, notes, receiptNo;
    QString revenueAccount = QStringLiteral("40020");
    QString depositAccount;
    QString taxCode = QStringLiteral("FRE");
    bool banked = false;
    bool passport = false;

    vb::Currency net() const { return charge - amount - discount; }
};

const char *const Methods[] = {"Cash", "Cheque", "EFTPOS", "Credit Card", "Direct Deposit"};
const char *const CancelReasons[] = {"Moved away", "Illness", "Changed to another sport",
                                     "Timetable clash", "Cost"};

} // namespace

int Generator::heldSessions(const ClassInfo &c) const
{
    const Term &t = terms[size_t(c.term)];
    int held = 0;
    while (held < t.sessions && c.sessionDate(t, held + 1) <= options.today)
        ++held;
    return held;
}

void Generator::enrolmentsAndLedger()
{
    const QDate today = options.today;
    TableWriter bookingRows(db, QStringLiteral("Bookings"),
                            {"BookingID", "StudentID", "ClassID", "Owing", "Status", "Notes",
                             "Description", "SessionNo", "CancelDate", "CancelReason",
                             "EnrolledByUserID"});
    TableWriter ledgerRows(
        db, QStringLiteral("Payments"),
        {"PaymentID",     "BookingID",      "Time",           "Amount",         "Method",
         "ReceivedFrom",  "AuthorisedBy",   "Date",           "Banked",         "Type",
         "Notes",         "ReceiptNo",      "DiscountAmount", "RevenueAccount", "GSTCollected",
         "RevenueAmount", "DepositAccount", "DiscountGST",    "TaxCode",        "SID",
         "AttendanceID",  "ChargeAmount",   "ChargeGST",      "PassportFee",    "SessionNo"});
    int paymentId = 0;
    auto writeLedger = [&](const LedgerRow &r) {
        ledgerRows.add({number(qint64(++paymentId)),
                        number(qint64(r.bookingId)),
                        dateTime(r.day, r.at),
                        money(r.amount),
                        text(r.method),
                        text(r.receivedFrom),
                        text(r.authorisedBy),
                        date(r.day),
                        number(qint64(r.banked ? 1 : 0)),
                        text(r.type),
                        text(r.notes),
                        text(r.receiptNo),
                        money(r.discount),
                        text(r.revenueAccount),
                        money(r.gst),
                        money(r.revenue),
                        text(r.depositAccount),
                        money(0),
                        text(r.taxCode),
                        number(qint64(r.sid)),
                        number(qint64(0)),
                        money(r.charge),
                        money(r.chargeGst),
                        number(qint64(r.passport ? 1 : 0)),
                        number(qint64(0))});
    };
    auto officeUser = [&]() { return between(2, int(users.size()) - 1); };

    // Classes of each term and level, for placing children.
    const int levelCount = int(levels.size());
    std::vector<std::vector<int>> byTermLevel(size_t(plan.terms * levelCount));
    for (int i = 0; i < int(classes.size()); ++i)
        byTermLevel[size_t(classes[size_t(i)].term * levelCount + classes[size_t(i)].level)]
            .push_back(i);
    auto findPlace = [&](int term, int level, int notClass) -> int {
        const std::vector<int> &list = byTermLevel[size_t(term * levelCount + level)];
        if (list.empty())
            return -1;
        const int from = between(0, int(list.size()) - 1);
        for (int n = 0; n < int(list.size()); ++n) {
            const int i = list[size_t((from + n) % int(list.size()))];
            const ClassInfo &c = classes[size_t(i)];
            if (c.classId != notClass && c.enrolled < c.max)
                return i;
        }
        return -1;
    };

    QHash<qint64, QString> familyReceipts; // one receipt per family and term
    std::vector<int> familyMethod(size_t(plan.families + nextStudentId), -1);
    std::vector<bool> joined(children.size(), false);
    int bookingId = 0;

    for (int term = 0; term < plan.terms; ++term) {
        const Term &t = terms[size_t(term)];
        for (size_t ci = 0; ci < children.size(); ++ci) {
            const Person &child = children[ci];
            if (term < child.firstTerm || term > child.lastTerm)
                continue;
            const int level = std::min(levelCount - 1, child.level + (term - child.firstTerm) / 3);
            const Family &family = families[size_t(child.family - families.front().studentId)];
            const QString childName = child.first + QLatin1Char(' ') + child.last;
            const QString enrolledBy = users[size_t(officeUser())];
            const QDate enrolled = std::min(today, t.start.addDays(-between(0, 21)));

            auto addBooking = [&](const Booking &b, vb::Currency owing, const QDate &cancelDate,
                                  const QString &reason) {
                bookingRows.add({number(qint64(b.bookingId)), number(qint64(b.studentId)),
                                 number(qint64(b.classId)), money(owing), text(b.status), null(),
                                 null(), number(qint64(b.sessionNo)),
                                 cancelDate.isValid() ? date(cancelDate) : null(),
                                 reason.isEmpty() ? null() : text(reason), text(enrolledBy)});
                bookings.push_back(b);
            };

            // A full level sends the child to the next level up or down, else to wait.
            int place = findPlace(term, level, 0);
            if (place < 0 && level + 1 < levelCount)
                place = findPlace(term, level + 1, 0);
            if (place < 0 && level > 0)
                place = findPlace(term, level - 1, 0);
            if (place < 0) {
                // No place at the child's level: the waiting list of the first such class.
                const std::vector<int> &list = byTermLevel[size_t(term * levelCount + level)];
                if (list.empty())
                    continue;
                addBooking({++bookingId, child.studentId, classes[size_t(list.front())].classId,
                            QStringLiteral("Waiting"), term, 0, 0, 0},
                           vb::Currency(), {}, {});
                continue;
            }
            ClassInfo &cls = classes[size_t(place)];
            ++cls.enrolled;
            const int held = heldSessions(cls);

            // The receipt this family's payments of the term go under.
            const qint64 receiptKey = qint64(family.studentId) * 1000 + term;
            auto receiptNo = [&]() {
                auto it = familyReceipts.find(receiptKey);
                if (it == familyReceipts.end())
                    it = familyReceipts.insert(receiptKey, QString::number(nextReceipt++));
                return *it;
            };
            int &methodIndex = familyMethod[size_t(family.studentId)];
            if (methodIndex < 0)
                methodIndex = between(0, 4);
            const QString method = QString::fromLatin1(Methods[methodIndex]);
            const QString deposit =
                methodIndex == 0 ? QStringLiteral("11200") : QStringLiteral("11100");
            auto payment = [&](int bkid, vb::Currency amount, const QDate &day) {
                LedgerRow p;
                p.bookingId = bkid;
                p.sid = child.studentId;
                p.day = std::min(today, day);
                p.at = QTime(between(8, 17), between(0, 59));
                p.amount = amount;
                p.revenue = amount;
                p.method = method;
                p.receivedFrom = family.parent;
                p.authorisedBy = userNames[size_t(officeUser())];
                p.receiptNo = receiptNo();
                p.depositAccount = deposit;
                p.banked = p.day < today.addDays(-7);
                return p;
            };
            auto charge = [&](int bkid, vb::Currency amount, const QString &notes) {
                LedgerRow c;
                c.type = QStringLiteral("C");
                c.bookingId = bkid;
                c.sid = child.studentId;
                c.day = enrolled;
                c.at = QTime(between(8, 17), between(0, 59));
                c.charge = amount;
                c.receivedFrom = childName;
                c.authorisedBy = QStringLiteral("Ovix");
                c.notes = notes;
                c.receiptNo = QStringLiteral("Charge");
                return c;
            };

            // The joining fee, once, with the first enrolment; paid with the first payment.
            const bool firstEnrolment = !joined[ci];
            joined[ci] = true;

            Booking b{++bookingId, child.studentId,
                      cls.classId, QStringLiteral("Confirmed"),
                      term,        0,
                      t.sessions,  0};
            std::vector<LedgerRow> rows;
            rows.push_back(charge(b.bookingId, cls.cost, QString()));

            // Discounts and payments: older terms are mostly settled, this term is not yet.
            vb::Currency due = cls.cost;
            if (chance(0.1)) {
                LedgerRow d = payment(b.bookingId, vb::Currency(), enrolled);
                d.method = QStringLiteral("Second/third night");
                d.discount = dollars(400) * vb::Currency(t.sessions);
                d.revenue = vb::Currency();
                d.receiptNo.clear();
                rows.push_back(d);
                due -= d.discount;
            }
            const int roll = between(0, 99);
            const bool paysAll = t.current ? roll < 55 : roll < 96;
            const bool paysPart = !paysAll && (t.current ? roll < 75 : true);
            if (paysAll && chance(0.35)) {
                const vb::Currency first = vb::Currency::fromRaw(due.raw() / 2);
                rows.push_back(payment(b.bookingId, first, enrolled.addDays(between(0, 7))));
                rows.push_back(payment(b.bookingId, due - first, t.start.addDays(between(14, 35))));
            } else if (paysAll) {
                rows.push_back(payment(b.bookingId, due, enrolled.addDays(between(0, 10))));
            } else if (paysPart) {
                rows.push_back(payment(b.bookingId, vb::Currency::fromRaw(due.raw() / 2),
                                       enrolled.addDays(between(0, 10))));
            }
            const bool paid = rows.size() > 1 && rows.back().amount > vb::Currency();

            QDate cancelDate;
            QString cancelReason;
            int movedTo = -1;
            if (held >= 2 && chance(0.04)) {
                // Cancelled part-way: the lessons not taken are credited on the booking.
                const int stop = between(2, held);
                b.status = QStringLiteral("Cancelled");
                b.lastSession = stop - 1;
                cancelDate = cls.sessionDate(t, stop).addDays(-1);
                cancelReason = QString::fromLatin1(CancelReasons[between(0, 4)]);
                LedgerRow credit = charge(b.bookingId,
                                          -(cls.cost / vb::Currency(t.sessions) *
                                            vb::Currency(t.sessions - b.lastSession)),
                                          QStringLiteral("Credit for lessons not taken"));
                credit.day = cancelDate;
                rows.push_back(credit);
            } else if (held >= 2 && chance(0.03)) {
                movedTo = findPlace(term, cls.level, cls.classId);
                if (movedTo >= 0) {
                    b.status = QStringLiteral("Moved");
                    b.lastSession = between(1, held - 1);
                }
            } else if (held >= 1 && chance(0.06)) {
                b.missedSession = between(1, held);
            }

            if (movedTo >= 0) {
                // The move takes the charge and the money paid over to the new booking.
                ClassInfo &to = classes[size_t(movedTo)];
                ++to.enrolled;
                --cls.enrolled;
                vb::Currency paidSoFar;
                for (const LedgerRow &r : rows)
                    paidSoFar += r.amount + r.discount;
                const QDate movedOn = cls.sessionDate(t, b.lastSession).addDays(1);
                LedgerRow back = charge(b.bookingId, -cls.cost, QStringLiteral("Moved"));
                back.day = movedOn;
                back.receiptNo = QStringLiteral("Moved");
                rows.push_back(back);
                LedgerRow out = payment(b.bookingId, -paidSoFar, movedOn);
                out.revenue = -paidSoFar;
                out.receiptNo = QStringLiteral("Moved");
                out.method = QStringLiteral("Moved");
                rows.push_back(out);

                Booking nb{
                    ++bookingId, child.studentId, to.classId, QStringLiteral("Confirmed"), term,
                    0,           t.sessions,      0};
                nb.lastSession = t.sessions;
                std::vector<LedgerRow> newRows;
                LedgerRow c = charge(nb.bookingId, cls.cost, QString());
                c.day = movedOn;
                newRows.push_back(c);
                if (paidSoFar != vb::Currency()) {
                    LedgerRow in = payment(nb.bookingId, paidSoFar, movedOn);
                    in.receiptNo = QStringLiteral("Moved");
                    in.method = QStringLiteral("Moved");
                    newRows.push_back(in);
                }
                vb::Currency owing;
                for (const LedgerRow &r : rows)
                    owing += r.net();
                addBooking(b, owing, {}, {});
                for (const LedgerRow &r : rows)
                    writeLedger(r);
                owing = vb::Currency();
                for (const LedgerRow &r : newRows)
                    owing += r.net();
                addBooking(nb, owing, {}, {});
                for (const LedgerRow &r : newRows)
                    writeLedger(r);
            } else {
                vb::Currency owing;
                for (const LedgerRow &r : rows)
                    owing += r.net();
                addBooking(b, owing, cancelDate, cancelReason);
                for (const LedgerRow &r : rows)
                    writeLedger(r);
            }

            if (b.missedSession > 0) {
                // The missed lesson is made up in another class of the same level.
                const int other = findPlace(term, cls.level, cls.classId);
                if (other >= 0)
                    addBooking({++bookingId, child.studentId, classes[size_t(other)].classId,
                                QStringLiteral("Catch Up"), term, b.missedSession, 0, 0},
                               vb::Currency(), {}, {});
                else
                    bookings.back().missedSession = 0;
            }

            if (firstEnrolment) {
                LedgerRow fee = charge(0, joiningFee, QStringLiteral("Passport Fee"));
                fee.receivedFrom.clear();
                fee.passport = true;
                fee.revenueAccount = QStringLiteral("40010");
                fee.taxCode = QStringLiteral("GST");
                fee.chargeGst = vb::Currency::fromRaw(joiningFee.raw() / 11);
                writeLedger(fee);
                if (paid) {
                    LedgerRow p = payment(0, joiningFee, enrolled);
                    p.passport = true;
                    p.revenueAccount = QStringLiteral("40010");
                    p.taxCode = QStringLiteral("GST");
                    p.gst = fee.chargeGst;
                    p.revenue = joiningFee - p.gst;
                    writeLedger(p);
                }
            }
        }
    }
}

} // namespace SampleData::detail
