// Starts Ovixian: the splash, then the data-file window and the sign-in.
#include "assessments/assessing/register.h"
#include "classes/oneoff/register.h"
#include "classes/search/register.h"
#include "classes/view/register.h"
#include "enrolments/book/register.h"
#include "enrolments/deletions.h"
#include "enrolments/doublebook/register.h"
#include "enrolments/move/register.h"
#include "enrolments/recurring/register.h"
#include "money/absence/register.h"
#include "money/editors/register.h"
#include "money/receipts/register.h"
#include "money/receive/register.h"
#include "money/register.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"
#include "reports/classreports.h"
#include "reports/frmrptdetailsform.h"
#include "reports/gridreport.h"
#include "reports/receipt.h"
#include "shell/appfiles.h"
#include "shell/frmparent.h"
#include "shell/frmsplash.h"
#include "shell/loginuser.h"
#include "shell/maintenancewindows.h"
#include "shell/startupwindows.h"
#include "staff/companies/register.h"
#include "staff/employee/register.h"
#include "students/details/register.h"
#include "students/families/register.h"
#include "students/find/register.h"
#include "students/memberjoin/register.h"
#include "students/photo/register.h"
#include "students/utilities/register.h"
#include "timetable/days/register.h"
#include "timetable/deletions.h"
#include "timetable/lookups/register.h"
#include "timetable/programs/register.h"
#include "timetable/rollover/register.h"
#include "timetable/stats/register.h"
#include "watertests/windows/register.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ovixian"));
    QApplication::setApplicationName(QStringLiteral("Ovixian"));

    // Every subsystem makes its windows known by name; they reach each other so.
    shell::RegisterStartupWindows();
    shell::RegisterMainWindows();
    shell::RegisterMaintenanceWindows();
    shell::InstallAccess();
    frmRptDetailsForm::Register();
    timetable::RegisterDeletions();
    timetable::RegisterProgramWindows();
    timetable::RegisterLookupEditors();
    timetable::RegisterDaysWindow();
    timetable::RegisterNumberStatsWindow();
    timetable::RegisterRolloverWindows();
    watertests::RegisterWaterTestWindows(&Global::ShowGridAsHtmlReport);
    imodMoney::RegisterMoneyProcedures();
    money::RegisterMoneyWindows();
    money::RegisterPaymentsWindow();
    money::RegisterReceiptWindows();
    mReports::RegisterReceiptForms();
    mReports::RegisterClassReports();
    students::RegisterStudentDetailsWindow();
    assessments::RegisterAssessmentWindows();
    classes::RegisterClassSearchWindow();
    classes::RegisterClassViewWindow();
    classes::RegisterOneOffCentre();
    enrolments::RegisterAttendanceBookWindow();
    enrolments::RegisterRecurringWindows();
    enrolments::RegisterDeletions();
    enrolments::RegisterDoubleBookWindow();
    enrolments::RegisterMoveWindows();
    money::RegisterAbsenceDiscountWindow();
    students::RegisterFindStudentWindow();
    students::RegisterFamilyWindows();
    students::RegisterMemberJoinWindow();
    students::RegisterPhotoWindow();
    staff::RegisterEmployeeWindows();
    students::RegisterStudentUtilityWindows();
    staff::RegisterCompanyWindows();

    shell::InstallApplicationFiles();
    ui::Forms::shared<frmSplash>();
    return app.exec();
}
