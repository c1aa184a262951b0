#pragma once

#include "platform/ui/form.h"

#include <QString>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// The one window through which a deletion of a class, program, booking, student,
// family, water test or company is confirmed: the user types yes and the dialog
// runs the deletion itself.
//
// The class, program and booking deletions are procedures of their subsystems,
// which register them under their action text when the program starts; an
// action whose procedure is not registered deletes nothing and says so. The
// student and family deletions call DeleteStudent or DeleteFamily by name on the
// first open frmStudentDetails or frmFamDetails whose txtField[0] holds the record
// number; the water test and company deletions call DeleteTest of frmWaterTesting
// and DeleteCompany of frmCompanyDetails. No open window: nothing is deleted.
//
// A request is fixed when it is made: a second request for another record while
// the dialog waits is refused, so that "Delete Now" deletes what the dialog showed.
class frmConfirmDelete : public ui::Form
{
    Q_OBJECT
public:
    explicit frmConfirmDelete(QWidget *parent = nullptr);

    // A subsystem's deleting procedure: the user ID the deletion is done for and
    // the record number.
    using Deletion = std::function<void(const QString &userId, qint32 recordId)>;
    // Registers the procedure of "Delete Class", "Delete Program" or "Delete
    // Booking"; an empty one takes it back.
    static void RegisterDeletion(const QString &action, Deletion deletion);

    // Shows the dialog for one deletion: the action text ("Delete Student" ...), the
    // record number as text (not used by the water test and company deletions) and
    // the user ID in whose name it is done. Gives false, after an "Oops!" box, when
    // the dialog is already waiting to confirm another deletion; that one stays.
    static bool Request(const QString &action, const QString &recordId, const QString &userId);

    // "Delete Now": checks the yes, runs the deletion and closes the dialog.
    Q_INVOKABLE void cmdOK_Click();
    // "Don't Delete": closes the dialog; nothing is deleted.
    Q_INVOKABLE void cmdCancel_Click();

    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label5;
    QLineEdit *txtField;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
    // Hidden: the request as it was made.
    QLineEdit *txtReason;
    QLineEdit *txtInfoLine;
    QLineEdit *txtUserID;
    QLabel *Image1;
    QLabel *Image2;

protected:
    void onLoad() override;

private:
    struct Pending
    {
        QString action;
        QString recordId;
        QString userId;
        bool operator==(const Pending &) const = default;
    };

    void txtReason_Change();
    void runDeletion(const Pending &request);

    std::optional<Pending> m_pending;
};
