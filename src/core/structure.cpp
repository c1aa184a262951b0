#include "structure.h"

#include "core/imodvista.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/jet/sql/error.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <sqlite3.h>
#include <tuple>

namespace imodStructure {

namespace {

ColumnDef base(const char *name, const char *type)
{
    return {QString::fromLatin1(name), QString::fromLatin1(type), false};
}

ColumnDef added(const char *name, const char *type)
{
    return {QString::fromLatin1(name), QString::fromLatin1(type), true};
}

IndexDef index(QStringList columns, bool unique = false)
{
    QString name = columns.join(QString());
    name.remove(QLatin1Char(' '));
    return {name, std::move(columns), unique};
}

// The settings row: 16 base columns, then the settings the upgrade adds (position = id).
TableDef centreInfo()
{
    TableDef t{QStringLiteral("CentreInfo")};
    for (const char *name : {"CentreName", "ABN", "Address", "City", "State"})
        t.columns.push_back(base(name, "NVARCHAR(255)"));
    t.columns.push_back(base("Postcode", "NVARCHAR(10)"));
    for (const char *name : {"Phone", "Email", "Website", "Message", "UserID", "ReceiptName",
                             "Manager1", "Position1", "Manager2", "Position2"})
        t.columns.push_back(base(name, "NVARCHAR(255)"));
    static const char *const settings[][2] = {
        {"NextReceiptNo", "INT"},
        {"OverdueDays", "INT"},
        {"RequireLogonAtStart", "INT"},
        {"DefaultProgramName", "NVARCHAR(255)"},
        {"AllowOverfill", "INT"},
        {"DetailsFormsExpire", "INT"},
        {"DefaultAttend", "NVARCHAR(255)"},
        {"AssessGenCount", "INT"},
        {"DepositAccount", "NVARCHAR(255)"},
        {"ClearAccMethod", "NVARCHAR(255)"},
        {"AttendChargeOn", "NVARCHAR(255)"},
        {"AllowNegativePayments", "INT"},
        {"MYOB_QB", "NVARCHAR(255)"},
        {"DisplayCalendar", "INT"},
        {"Attended", "NVARCHAR(255)"},
        {"DNA", "NVARCHAR(255)"},
        {"Contacted", "NVARCHAR(255)"},
        {"Sick", "NVARCHAR(255)"},
        {"Absent", "NVARCHAR(255)"},
        {"DataVersion", "NVARCHAR(10)"},
        {"ExcelStartRow", "INT"},
        {"JoiningFee", "CURRENCY"},
        {"JoiningFeeTaxCode", "NVARCHAR(255)"},
        {"JoiningFeeAccount", "NVARCHAR(255)"},
        {"DefaultStatus", "NVARCHAR(255)"},
        {"BackupLocation", "NVARCHAR(255)"},
        {"DefaultAccount", "NVARCHAR(255)"},
        {"DefaultTaxCode", "NVARCHAR(255)"},
        {"SimpleSearch", "INT"},
        {"AccountName", "NVARCHAR(255)"},
        {"BSB", "NVARCHAR(255)"},
        {"AccountNumber", "NVARCHAR(255)"},
        {"Updated58", "INT"},
        {"Updated61", "INT"},
        {"Updated62", "INT"},
        {"Updated62b", "INT"},
        {"FormatOfDate", "NVARCHAR(50)"},
        {"Updated62c", "INT"},
        {"InvoiceMessage", "NVARCHAR(255)"},
        {"ShowPayCheque", "INT"},
        {"ShowPayCounter", "INT"},
        {"ShowPayEFT", "INT"},
        {"ShowPayCreditCard", "INT"},
        {"ShowBalOtherPrograms", "INT"},
        {"EmailServer", "NVARCHAR(255)"},
        {"EmailUsername", "NVARCHAR(255)"},
        {"EmailPassword", "NVARCHAR(255)"},
        {"EmailOutgoingPort", "NVARCHAR(5)"},
        {"EmailEncryptionRequired", "INT"},
        {"EmailAuthentication", "INT"},
    };
    for (const auto &s : settings)
        t.columns.push_back(added(s[0], s[1]));
    return t;
}

} // namespace

const QStringList &UserPermissionColumns()
{
    static const QStringList names = {"EditClasses",
                                      "AddClasses",
                                      "DeleteClasses",
                                      "EditStudents",
                                      "AddStudents",
                                      "DeleteStudents",
                                      "ViewEmployees",
                                      "AddEditEmployees",
                                      "DeleteEmployees",
                                      "AssessClasses",
                                      "PrepareCreateAssess",
                                      "FinaliseAssess",
                                      "WaterTesting",
                                      "DeleteWaterTests",
                                      "ReceivePayments",
                                      "ReceiptsJournal",
                                      "ClearAccounts",
                                      "Reports",
                                      "Numbers",
                                      "CentreInfo",
                                      "UserAccounts",
                                      "Programs",
                                      "ClassGroups",
                                      "AwardLevels",
                                      "GLAccounts",
                                      "TaxCodes",
                                      "DeletePayments",
                                      "OverfillClasses",
                                      "DeleteBookings",
                                      "ViewCompanies",
                                      "BankLink",
                                      "AddEditCompanies",
                                      "DeleteCompanies",
                                      "ViewStudents",
                                      "WebBrowser",
                                      "Dropouts",
                                      "Duplicates",
                                      "AuditTrail",
                                      "ImportMYOBAccounts",
                                      "ImportMYOBTaxCodes",
                                      "ExportStudents",
                                      "ReassignInstructors",
                                      "ImportCompanies",
                                      "ExportCompanies",
                                      "PoolArea",
                                      "TickSheets",
                                      "DeleteFamily",
                                      "ViewOOE",
                                      "AddEditOOE",
                                      "DeleteOOE",
                                      "AssessAll",
                                      "MoveBooking",
                                      "CancelBooking",
                                      "NewBooking",
                                      "MarkAttendance",
                                      "BusinessOverview",
                                      "PreEnrolments",
                                      "PrintStatements",
                                      "MarkAsNoShow",
                                      "Activities",
                                      "AttendanceBook",
                                      "ClassNotes",
                                      "CopyProgram",
                                      "Days",
                                      "DeleteCatchUp",
                                      "NewCatchUp",
                                      "DeleteWaitList",
                                      "NewWaitList",
                                      "QuickLaunch",
                                      "WaterTestUtility",
                                      "Events",
                                      "IssuePassports",
                                      "Discounts"};
    return names;
}

namespace {

TableDef users()
{
    TableDef t{QStringLiteral("Users")};
    t.columns = {base("UserID", "NVARCHAR(50)"), base("Name", "NVARCHAR(255)"),
                 base("Password", "NVARCHAR(255)"), base("Admin", "INT DEFAULT 0")};
    const QStringList &flags = UserPermissionColumns();
    for (int i = 0; i < flags.size(); ++i)
        t.columns.push_back({flags[i], QStringLiteral("INT DEFAULT 0"), i >= BaseUserPermissions});
    t.primaryKey = {QStringLiteral("UserID")};
    return t;
}

std::vector<TableDef> makeTables()
{
    std::vector<TableDef> tables;
    tables.push_back(centreInfo());
    tables.push_back(users());

    tables.push_back({QStringLiteral("Computers"),
                      false,
                      {base("ComputerID", "COUNTER"), base("Name", "NVARCHAR(255)"),
                       base("InUse", "NVARCHAR(1)")}});

    tables.push_back(
        {QStringLiteral("Programs"),
         false,
         {base("ProgramID", "COUNTER"), base("Program", "NVARCHAR(255)"),
          base("Inactive", "INT DEFAULT 0"), base("DefaultCost", "CURRENCY"),
          base("DefaultMax", "INT"), base("StartDate", "DATE"), base("DefaultDay", "NVARCHAR(50)"),
          base("EndDate", "DATE"), base("Sessions", "INT"), base("AssessGen", "INT"),
          base("TaxCode", "NVARCHAR(50)"), base("RevenueAccount", "NVARCHAR(50)"),
          base("AssumeAttendance", "INT DEFAULT 0"), base("AssessFinalise", "INT DEFAULT 0"),
          base("AttendChargeOn", "NVARCHAR(50)"), base("PricePerSession", "CURRENCY"),
          base("ChargePerSession", "INT DEFAULT 0"), added("AmountOverdue", "DATE")}});

    tables.push_back({QStringLiteral("Classes"),
                      false,
                      {base("ClassID", "COUNTER"), base("Description", "NVARCHAR(50)"),
                       base("ProgramID", "INT"), base("InstructorID", "INT"),
                       base("Day", "NVARCHAR(50)"), base("Time", "DATE"), base("Max", "INT"),
                       base("Cost", "CURRENCY"), base("StartDate", "DATE"), base("EndDate", "DATE"),
                       base("WaitingList", "INT DEFAULT 0"), added("ChargePerSession", "INT"),
                       added("AttendChargeOn", "NVARCHAR(50)"), added("ClassActive", "INT"),
                       added("PoolArea", "INT"), added("Notes", "MEMO"), added("NoDates", "INT"),
                       added("ActivityName", "NVARCHAR(50)"), added("DurationMins", "INT")},
                      {},
                      {},
                      {index({"ProgramID"}), index({"Description"}), index({"EndDate"})}});

    tables.push_back({QStringLiteral("Students"),
                      false,
                      {base("StudentID", "COUNTER"),
                       base("First Name", "NVARCHAR(50)"),
                       base("Last Name", "NVARCHAR(50)"),
                       base("Date of Birth", "DATE"),
                       base("Parents Name", "NVARCHAR(255)"),
                       base("Address", "NVARCHAR(255)"),
                       base("City", "NVARCHAR(255)"),
                       base("State", "NVARCHAR(50)"),
                       base("Postcode", "NVARCHAR(5)"),
                       base("Home Phone", "NVARCHAR(50)"),
                       base("Work Phone", "NVARCHAR(50)"),
                       base("Mobile Phone", "NVARCHAR(50)"),
                       base("Email Address", "NVARCHAR(255)"),
                       base("Notes", "MEMO"),
                       base("Gender", "NVARCHAR(50)"),
                       base("Extra", "NVARCHAR(255)"),
                       base("DetailsFormCompleted", "DATE"),
                       base("Student", "NVARCHAR(1)"),
                       base("Employee", "NVARCHAR(1)"),
                       base("Vendor", "NVARCHAR(1)"),
                       base("Special", "NVARCHAR(1)"),
                       base("InternalNotes", "MEMO"),
                       base("StaffNotes", "MEMO"),
                       added("NewStudent", "INT DEFAULT 0 NOT NULL"),
                       added("Issued", "INT DEFAULT 0 NOT NULL"),
                       added("Family", "INT DEFAULT 0 NOT NULL"),
                       added("Barcode", "NVARCHAR(50)"),
                       added("Inactive", "INT DEFAULT 0 NOT NULL"),
                       added("Password", "NVARCHAR(100)"),
                       added("SchoolName", "NVARCHAR(255)")},
                      {},
                      {},
                      {index({"Family"}), index({"Barcode"}), index({"Home Phone"}),
                       index({"Last Name", "First Name"})}});

    tables.push_back(
        {QStringLiteral("Bookings"),
         false,
         {base("BookingID", "COUNTER"), base("StudentID", "INT"), base("ClassID", "INT"),
          base("Owing", "CURRENCY"), base("Status", "NVARCHAR(50)"), base("Notes", "MEMO"),
          base("Description", "NVARCHAR(255)"), added("SessionNo", "INT DEFAULT 0"),
          added("CancelDate", "DATE"), added("CancelReason", "NVARCHAR(255)"),
          added("EnrolledByUserID", "NVARCHAR(50)")},
         {},
         {},
         {index({"ClassID", "Status"}), index({"StudentID"}), index({"CancelDate"})}});

    // Charges and payments leave Banked, PassportFee and SessionNo to the defaults.
    tables.push_back({QStringLiteral("Payments"),
                      false,
                      {base("PaymentID", "COUNTER"),
                       base("BookingID", "INT"),
                       base("Time", "DATE"),
                       base("Amount", "CURRENCY"),
                       base("Method", "NVARCHAR(255)"),
                       base("ReceivedFrom", "NVARCHAR(255)"),
                       base("AuthorisedBy", "NVARCHAR(255)"),
                       base("Date", "DATE"),
                       base("Banked", "INT DEFAULT 0"),
                       base("Type", "NVARCHAR(50)"),
                       base("Notes", "MEMO"),
                       base("ReceiptNo", "NVARCHAR(50)"),
                       base("DiscountAmount", "CURRENCY"),
                       base("RevenueAccount", "NVARCHAR(50)"),
                       base("GSTCollected", "CURRENCY"),
                       base("RevenueAmount", "CURRENCY"),
                       base("DepositAccount", "NVARCHAR(50)"),
                       added("DiscountGST", "CURRENCY"),
                       added("TaxCode", "NVARCHAR(50)"),
                       added("SID", "INT"),
                       added("AttendanceID", "INT"),
                       added("ChargeAmount", "CURRENCY"),
                       added("ChargeGST", "CURRENCY"),
                       added("PassportFee", "INT DEFAULT 0"),
                       added("SessionNo", "INT DEFAULT 0")},
                      {},
                      {},
                      {index({"BookingID"}), index({"SID"}), index({"ReceiptNo"}), index({"Date"}),
                       index({"AttendanceID"}), index({"Method", "Banked"}), index({"Time"})}});

    tables.push_back({QStringLiteral("Attend"),
                      false,
                      {base("AttendanceID", "COUNTER"), base("BKID", "INT"), base("Session", "INT"),
                       base("StudentID", "INT"), base("Status", "NVARCHAR(50)")},
                      {},
                      {},
                      {index({"BKID", "Session"}), index({"StudentID"})}});

    tables.push_back({QStringLiteral("DeleteLog"),
                      false,
                      {base("DeleteLogID", "COUNTER"), base("LogTime", "NVARCHAR(50)"),
                       base("Record", "NVARCHAR(255)"), base("Action", "NVARCHAR(255)"),
                       base("UserID", "NVARCHAR(50)")}});

    // Lookup tables of the timetable.
    tables.push_back({QStringLiteral("ClassGroups"),
                      false,
                      {base("ClassGroupCode", "COUNTER"), base("Description", "NVARCHAR(50)"),
                       base("Inactive", "INT DEFAULT 0"), added("MaxInClass", "INT")}});
    tables.push_back({QStringLiteral("Levels"),
                      false,
                      {base("LevelID", "COUNTER"), base("Description", "NVARCHAR(50)"),
                       base("DurationUnit", "NVARCHAR(50)"), base("DurationValue", "INT"),
                       added("Inactive", "INT"), added("Sequence", "INT"), added("Stream", "INT")},
                      {},
                      {},
                      {index({"Description"}, true)}});
    tables.push_back({QStringLiteral("LevelCriterion"),
                      false,
                      {base("LevelCritID", "COUNTER"), base("Level", "INT"),
                       base("CriterionName", "NVARCHAR(50)")},
                      {},
                      {},
                      {index({"Level"})}});
    tables.push_back({QStringLiteral("Days"),
                      true,
                      {base("DayName", "NVARCHAR(50)"), base("RunMon", "INT DEFAULT 0"),
                       base("RunTue", "INT DEFAULT 0"), base("RunWed", "INT DEFAULT 0"),
                       base("RunThu", "INT DEFAULT 0"), base("RunFri", "INT DEFAULT 0"),
                       base("RunSat", "INT DEFAULT 0"), base("RunSun", "INT DEFAULT 0"),
                       base("Sequence", "INT")},
                      {QStringLiteral("DayName")}});
    tables.push_back({QStringLiteral("Activities"),
                      true,
                      {base("ActivityName", "NVARCHAR(50)")},
                      {QStringLiteral("ActivityName")}});
    tables.push_back({QStringLiteral("PoolAreas"),
                      true,
                      {base("AreaID", "COUNTER"), base("AreaName", "NVARCHAR(50)")}});
    tables.push_back({QStringLiteral("Events"),
                      true,
                      {base("EventID", "COUNTER"), base("EventName", "NVARCHAR(50)"),
                       base("EventDate", "DATE")}});

    // Instructors and staff.
    tables.push_back({QStringLiteral("Instructors"),
                      false,
                      {base("InstructorID", "COUNTER"), base("StudentID", "INT"),
                       base("UserID", "NVARCHAR(50)"), added("ShowInOOE", "INT")}});
    tables.push_back({QStringLiteral("InstructorLink"),
                      true,
                      {base("InstructorLinkID", "COUNTER"), base("InstructorID", "INT DEFAULT 0"),
                       base("ClassID", "INT DEFAULT 0")},
                      {},
                      {},
                      {index({"ClassID"}), index({"InstructorID"})}});
    tables.push_back({QStringLiteral("QualRec"),
                      false,
                      {base("QualRecID", "COUNTER"), base("InstructorID", "INT"),
                       base("Qualification", "NVARCHAR(255)"), base("Number", "NVARCHAR(255)"),
                       base("Expires", "DATE"), base("AuthorisedBy", "NVARCHAR(255)"),
                       base("Notes", "NVARCHAR(255)"), added("Inactive", "INT")},
                      {},
                      {},
                      {index({"InstructorID"})}});

    // Students' extras.
    tables.push_back({QStringLiteral("Membership"),
                      true,
                      {base("MembershipID", "COUNTER"), base("StudentID", "INT NOT NULL"),
                       base("MemType", "INT NOT NULL"), base("Duration", "INT NOT NULL"),
                       base("StartDate", "DATE NOT NULL"), base("VisitsUsed", "INT"),
                       base("Barcode", "NVARCHAR(50)")},
                      {},
                      {},
                      {index({"StudentID"})}});
    tables.push_back({QStringLiteral("MemTypes"),
                      true,
                      {base("MemTypeID", "COUNTER"), base("MemTypeName", "NVARCHAR(255) NOT NULL"),
                       base("MemType", "INT NOT NULL"), base("Duration", "INT NOT NULL"),
                       base("Description", "NVARCHAR(255)")}});
    tables.push_back({QStringLiteral("PreEnrol"),
                      true,
                      {base("StudentID", "INT"), base("ProgramID", "INT"),
                       base("Preferences", "NVARCHAR(255)"), base("ListedAt", "TIMESTAMP")},
                      {QStringLiteral("StudentID"), QStringLiteral("ProgramID")},
                      {},
                      {index({"ProgramID"})}});
    tables.push_back({QStringLiteral("School"),
                      true,
                      {base("SchoolName", "NVARCHAR(255)"), base("Address", "NVARCHAR(255)"),
                       base("City", "NVARCHAR(255)"), base("SchoolState", "NVARCHAR(255)"),
                       base("Postcode", "NVARCHAR(10)"), base("Phone", "NVARCHAR(255)"),
                       base("PrincipalName", "NVARCHAR(255)"), base("Notes", "NVARCHAR(255)")},
                      {QStringLiteral("SchoolName")}});

    // Money.
    tables.push_back(
        {QStringLiteral("Discounts"),
         true,
         {base("DiscountID", "COUNTER"), base("DiscountName", "NVARCHAR(75)"),
          base("Amount", "CURRENCY"), base("PoolDiscounts", "INT"), base("PerSession", "INT")}});
    tables.push_back({QStringLiteral("ChargeDate"),
                      true,
                      {base("ChargeDateID", "COUNTER"), base("ProgramID", "INT"),
                       base("Date", "DATE"), base("Amount", "CURRENCY"), base("Run", "INT")},
                      {},
                      {},
                      {index({"ProgramID"})}});
    tables.push_back({QStringLiteral("BankLink"),
                      false,
                      {base("BankLinkID", "COUNTER"), base("PaymentType", "NVARCHAR(50)"),
                       base("Account", "NVARCHAR(50)"), base("Exclude", "INT DEFAULT 0")},
                      {},
                      {},
                      {index({"PaymentType"}, true)}});
    tables.push_back({QStringLiteral("Accounts"),
                      false,
                      {base("AccountNo", "NVARCHAR(50)"), base("Name", "NVARCHAR(255)"),
                       base("Type", "NVARCHAR(50)"), base("TaxCode", "NVARCHAR(50)"),
                       base("Bank", "INT DEFAULT 0")},
                      {QStringLiteral("AccountNo")},
                      {},
                      {index({"Name"}, true)}});
    tables.push_back({QStringLiteral("TaxCode"),
                      false,
                      {base("TaxCode", "NVARCHAR(50)"), base("Description", "NVARCHAR(255)"),
                       base("TaxPercentage", "DOUBLE")},
                      {QStringLiteral("TaxCode")},
                      {},
                      {index({"Description"}, true)}});
    tables.push_back({QStringLiteral("ClearAcc"),
                      false,
                      {base("CAID", "COUNTER"), base("Date", "DATE"), base("Time", "DATE"),
                       base("ClearedBy", "NVARCHAR(255)")}});
    tables.push_back(
        {QStringLiteral("ClearAccDetail"),
         false,
         {base("CADID", "COUNTER"), base("CAID", "INT"), base("Account", "NVARCHAR(50)")}});
    tables.push_back(
        {QStringLiteral("ClearAccListing"),
         false,
         {base("CALID", "COUNTER"), base("CADID", "INT"), base("Account", "NVARCHAR(50)"),
          base("Total", "CURRENCY"), base("Tax", "CURRENCY"), base("TaxCode", "NVARCHAR(50)")}});

    // Other records.
    tables.push_back({QStringLiteral("Companies"),
                      false,
                      {base("CompanyID", "COUNTER"), base("CompanyName", "NVARCHAR(255)"),
                       base("Address", "NVARCHAR(255)"), base("City", "NVARCHAR(255)"),
                       base("State", "NVARCHAR(50)"), base("Postcode", "NVARCHAR(10)"),
                       base("Phone", "NVARCHAR(255)"), base("Web", "NVARCHAR(255)"),
                       base("Email", "NVARCHAR(255)"), base("Notes", "MEMO")}});
    tables.push_back(
        {QStringLiteral("WaterTesting"),
         false,
         {base("TestID", "COUNTER"), base("Date", "DATE"), base("Time", "DATE"),
          base("pH", "DOUBLE"), base("Free", "DOUBLE"), base("Total", "DOUBLE"),
          base("Comb", "DOUBLE"), base("Alkalinity", "DOUBLE"), base("Hardness", "DOUBLE"),
          base("Backwash", "NVARCHAR(255)"), base("AcidIn", "DOUBLE"),
          base("SaltCellChange", "DOUBLE"), base("SodiumHypo", "DOUBLE"),
          base("CalciumChloride", "DOUBLE"), base("Name", "NVARCHAR(255)"), base("Notes", "MEMO"),
          added("PoolArea", "INT"), added("Temperature", "INT")},
         {},
         {},
         {index({"PoolArea", "Date"})}});

    // Assessments and certificates.
    tables.push_back(
        {QStringLiteral("Assessments"),
         false,
         {base("AssessmentID", "COUNTER"), base("StudentID", "INT"), base("Date", "DATE"),
          base("InstructorID", "INT"), base("LevelID", "INT"), base("Notes", "MEMO"),
          base("RenewalDate", "DATE"), base("RenewalNoticeSent", "INT DEFAULT 0"),
          base("PassLevel", "INT DEFAULT 0"), base("Processed", "INT DEFAULT 0"),
          base("ClassID", "INT"), added("CertificateComment", "NVARCHAR(255)")},
         {},
         {},
         {index({"StudentID", "Date"}), index({"ClassID", "Processed"}), index({"LevelID"})}});
    tables.push_back({QStringLiteral("AssessCrit"),
                      false,
                      {base("AssessCritID", "COUNTER"), base("AssessmentID", "INT"),
                       base("Text", "NVARCHAR(50)"), base("Attained", "INT")},
                      {},
                      {},
                      {index({"AssessmentID"})}});
    tables.push_back({QStringLiteral("CertificateStream"),
                      true,
                      {base("StreamID", "COUNTER"), base("Description", "NVARCHAR(255)"),
                       base("MaxCompetencies", "INT")}});
    tables.push_back(
        {QStringLiteral("Cert"),
         true,
         {base("CertID", "COUNTER"), base("CertName", "NVARCHAR(255)"), base("StreamID", "INT")},
         {},
         {QStringLiteral("FOREIGN KEY (StreamID) REFERENCES CertificateStream")}});
    tables.push_back({QStringLiteral("CertRow"),
                      true,
                      {base("CertRowID", "COUNTER"), base("RowName", "NVARCHAR(255)")}});
    tables.push_back(
        {QStringLiteral("CertCrit"),
         true,
         {base("CertRowID", "INT"), base("Sequence", "INT"), base("LevelCritID", "INT"),
          base("UseCustomValue", "INT"), base("CustomValue", "NVARCHAR(5)")},
         {QStringLiteral("CertRowID"), QStringLiteral("Sequence")},
         {QStringLiteral("FOREIGN KEY (CertRowID) REFERENCES CertRow")}});
    tables.push_back(
        {QStringLiteral("CertRowLink"),
         true,
         {base("CertID", "INT"), base("LevelID", "INT"), base("IncludeWhen", "INT"),
          base("Sequence", "INT"), base("CertRowID", "INT"), base("UseCustomValue", "INT"),
          base("CustomValue", "INT"), base("ColumnCountFrom", "INT")},
         {QStringLiteral("CertID"), QStringLiteral("LevelID"), QStringLiteral("IncludeWhen"),
          QStringLiteral("Sequence")},
         {QStringLiteral("FOREIGN KEY (CertID) REFERENCES Cert"),
          QStringLiteral("FOREIGN KEY (LevelID) REFERENCES Levels")}});
    return tables;
}

QString bracketed(const QString &name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

QString nameList(const QStringList &names)
{
    QStringList out;
    for (const QString &n : names)
        out << bracketed(n);
    return out.join(QStringLiteral(", "));
}

bool hasAddedColumn(const TableDef &table, const QStringList &columns)
{
    for (const ColumnDef &c : table.columns) {
        if (c.added && columns.contains(c.name))
            return true;
    }
    return false;
}

QString insert(const QString &table, const QStringList &columns, const QStringList &values)
{
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3);")
        .arg(table, nameList(columns), values.join(QStringLiteral(", ")));
}

} // namespace

const std::vector<TableDef> &Tables()
{
    static const std::vector<TableDef> tables = makeTables();
    return tables;
}

const TableDef *FindTable(const QString &name)
{
    for (const TableDef &t : Tables()) {
        if (t.name == name)
            return &t;
    }
    return nullptr;
}

QString CreateTableSql(const TableDef &table, bool baseOnly)
{
    QStringList parts;
    for (const ColumnDef &c : table.columns) {
        if (baseOnly && c.added)
            continue;
        parts << bracketed(c.name) + QLatin1Char(' ') + c.type;
    }
    if (!table.primaryKey.isEmpty())
        parts << QStringLiteral("PRIMARY KEY (%1)").arg(nameList(table.primaryKey));
    parts << table.foreignKeys;
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(table.name, parts.join(QStringLiteral(", ")));
}

QStringList CreateIndexSql(const TableDef &table, bool baseOnly)
{
    QStringList out;
    for (const IndexDef &i : table.indexes) {
        if (baseOnly && hasAddedColumn(table, i.columns))
            continue;
        out << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                   .arg(i.unique ? QStringLiteral("UNIQUE ") : QString(), i.name, table.name,
                        nameList(i.columns));
    }
    return out;
}

QStringList TemplateRowsSql()
{
    using Global::SqlText;
    QStringList sql;

    // The settings row of a file that has not been set up, at the current version.
    sql << insert(QStringLiteral("CentreInfo"),
                  {"CentreName",
                   "NextReceiptNo",
                   "OverdueDays",
                   "RequireLogonAtStart",
                   "AllowOverfill",
                   "DetailsFormsExpire",
                   "DefaultAttend",
                   "AssessGenCount",
                   "DepositAccount",
                   "ClearAccMethod",
                   "AttendChargeOn",
                   "AllowNegativePayments",
                   "MYOB_QB",
                   "DisplayCalendar",
                   "Attended",
                   "DNA",
                   "Contacted",
                   "Sick",
                   "Absent",
                   "DataVersion",
                   "JoiningFee",
                   "JoiningFeeTaxCode",
                   "JoiningFeeAccount",
                   "DefaultStatus",
                   "DefaultAccount",
                   "DefaultTaxCode",
                   "SimpleSearch",
                   "Updated61",
                   "Updated62",
                   "Updated62b",
                   "FormatOfDate",
                   "Updated62c",
                   "InvoiceMessage",
                   "ShowPayCheque",
                   "ShowPayCounter",
                   "ShowPayEFT",
                   "ShowPayCreditCard",
                   "ShowBalOtherPrograms",
                   "EmailOutgoingPort",
                   "EmailEncryptionRequired",
                   "EmailAuthentication"},
                  {SqlText("New Ovix User"),
                   "0",
                   "21",
                   "0",
                   "0",
                   "6",
                   SqlText("Attended"),
                   "0",
                   SqlText("11100"),
                   SqlText("Single"),
                   SqlText("Enrolment"),
                   "0",
                   SqlText("MYOB"),
                   "1",
                   SqlText("Attended"),
                   SqlText("DNA"),
                   SqlText("Contacted"),
                   SqlText("Sick"),
                   SqlText("Absent"),
                   SqlText("6.2"),
                   "0",
                   SqlText("GST"),
                   SqlText("40010"),
                   SqlText("Confirmed"),
                   SqlText("40020"),
                   SqlText("FRE"),
                   "1",
                   "1",
                   "1",
                   "1",
                   SqlText("dd/mm/yyyy"),
                   "1",
                   SqlText("Thank You For Your Business."),
                   "1",
                   "1",
                   "1",
                   "1",
                   "1",
                   SqlText("25"),
                   "0",
                   "0"});

    // The built-in default user and the default administrator, allowed everything.
    for (const auto &[id, name, admin] :
         {std::tuple{"i", "Default User", "0"}, std::tuple{"a", "Administrator", "1"}}) {
        QStringList columns = {"UserID", "Name", "Password", "Admin"};
        QStringList values = {SqlText(id), SqlText(name), SqlText(QString()), admin};
        for (const QString &flag : UserPermissionColumns()) {
            columns << flag;
            values << QStringLiteral("1");
        }
        sql << insert(QStringLiteral("Users"), columns, values);
    }

    // The seeds of the tables the upgrade creates, as it inserts them.
    sql << QStringLiteral("INSERT INTO Days VALUES ('Monday',1,0,0,0,0,0,0,0);")
        << QStringLiteral("INSERT INTO Days VALUES ('Mon/Wed',1,0,1,0,0,0,0,1);")
        << QStringLiteral("INSERT INTO Days VALUES ('Tuesday',0,1,0,0,0,0,0,2);")
        << QStringLiteral("INSERT INTO Days VALUES ('Tue/Thu',0,1,0,1,0,0,0,3);")
        << QStringLiteral("INSERT INTO Days VALUES ('Wednesday',0,0,1,0,0,0,0,4);")
        << QStringLiteral("INSERT INTO Days VALUES ('Thursday',0,0,0,1,0,0,0,5);")
        << QStringLiteral("INSERT INTO Days VALUES ('Friday',0,0,0,0,1,0,0,6);")
        << QStringLiteral("INSERT INTO Days VALUES ('Saturday',0,0,0,0,0,1,0,7);")
        << QStringLiteral("INSERT INTO Days VALUES ('Sunday',0,0,0,0,0,0,1,8);")
        << QStringLiteral("INSERT INTO Days VALUES ('Mon-Fri',1,1,1,1,1,0,0,9);")
        << QStringLiteral("INSERT INTO Days VALUES ('Other',0,0,0,0,0,0,0,10);")
        << QStringLiteral("INSERT INTO Activities (ActivityName) VALUES ('Learn to Swim');")
        << QStringLiteral("INSERT INTO PoolAreas (AreaName) VALUES ('Main Pool');");
    sql << QStringLiteral("INSERT INTO Discounts (DiscountID, DiscountName, Amount, PoolDiscounts, "
                          "PerSession) VALUES (1,'Upfront payment of term',-1.00,1,1)")
        << QStringLiteral("INSERT INTO Discounts (DiscountID, DiscountName, Amount, PoolDiscounts, "
                          "PerSession) VALUES (2,'4 week block',-0.50,1,1)")
        << QStringLiteral("INSERT INTO Discounts (DiscountID, DiscountName, Amount, PoolDiscounts, "
                          "PerSession) VALUES (3,'Second/third night',-4.00,1,1)")
        << QStringLiteral("INSERT INTO Discounts (DiscountID, DiscountName, Amount, PoolDiscounts, "
                          "PerSession) VALUES (4,'Call sick discount',-4.00,1,1)")
        << QStringLiteral("INSERT INTO Discounts (DiscountID, DiscountName, Amount, PoolDiscounts, "
                          "PerSession) VALUES (5,'Staff discount',-4.00,1,1)")
        << QStringLiteral(
               "INSERT INTO Discounts (DiscountID, DiscountName, Amount, PoolDiscounts, "
               "PerSession) VALUES (6,'Credit for missed class but no makeup',-3.50,0,1)")
        << QStringLiteral(
               "INSERT INTO Discounts (DiscountID, DiscountName, Amount, PoolDiscounts, "
               "PerSession) VALUES (7,'Credit for missed class but no makeup',-3.00,0,1)");

    // The tax codes the default settings name, and the code of untaxed items.
    sql << QStringLiteral("INSERT INTO TaxCode (TaxCode, Description, TaxPercentage) VALUES "
                          "('GST', 'Goods and Services Tax', 10);")
        << QStringLiteral("INSERT INTO TaxCode (TaxCode, Description, TaxPercentage) VALUES "
                          "('FRE', 'GST Free', 0);")
        << QStringLiteral("INSERT INTO TaxCode (TaxCode, Description, TaxPercentage) VALUES "
                          "('N-T', 'Not Reportable', 0);");
    return sql;
}

void CreateEmptyDataFile(const QString &path)
{
    if (QFile::exists(path))
        throw jet::Error(jet::err::Unspecified,
                         QStringLiteral("The file '%1' already exists.").arg(path));
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) // writes the file's header: an empty database has none
        rc = sqlite3_exec(db, "PRAGMA user_version = 1", nullptr, nullptr, nullptr);
    const QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
    sqlite3_close_v2(db);
    if (rc != SQLITE_OK) {
        QFile::remove(path);
        throw jet::Error(
            jet::err::Unspecified,
            QStringLiteral("The file '%1' could not be created: %2").arg(path, message));
    }
}

void WriteDataFile(const QString &path, const std::function<void(jet::Connection &)> &fill)
{
    // Named for this process, so that two programs writing at once do not share it.
    const QString partial =
        path + QStringLiteral(".part%1").arg(QCoreApplication::applicationPid());
    QFile::remove(partial);
    try {
        CreateEmptyDataFile(partial);
        jet::Connection db(QStringLiteral("Data Source=") + partial);
        db.open();
        db.beginTrans();
        fill(db);
        db.commitTrans();
        db.close();
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(path).constData()) !=
        0) {
        QFile::remove(partial);
        throw jet::Error(jet::err::Unspecified,
                         QStringLiteral("The file '%1' could not be written.").arg(path));
    }
}

void FillTemplate(jet::Connection &db)
{
    for (const TableDef &t : Tables())
        db.execute(CreateTableSql(t));
    for (const TableDef &t : Tables()) {
        for (const QString &sql : CreateIndexSql(t))
            db.execute(sql);
    }
    for (const QString &sql : TemplateRowsSql())
        db.execute(sql);
}

void CreateTemplate(const QString &path)
{
    WriteDataFile(path, FillTemplate);
}

QString InstallTemplate()
{
    try {
        const QString path = imodVista::GetAppDataFolder() + TemplateFileName;
        if (!QFile::exists(path))
            CreateTemplate(path);
        return path;
    } catch (...) {
        return {};
    }
}

} // namespace imodStructure
