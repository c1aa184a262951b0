#include "attendancekey.h"

#include "platform/ui/colorsquare.h"
#include "platform/ui/labels.h"

#include <QGridLayout>
#include <QLabel>

AttendanceKey::AttendanceKey(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("fraAttendanceKey"));
    auto *layout = new QGridLayout(this);
    layout->addWidget(ui::sectionLabel(QStringLiteral("Attendance Key"), this), 0, 0, 1, 2);
    const auto add = [&](const char *name, const QColor &fill, const QString &text) {
        auto *square = new ui::ColorSquare(fill, this);
        square->setObjectName(QLatin1String(name));
        auto *label = new QLabel(text, this);
        label->setObjectName(QStringLiteral("lbl") + QLatin1String(name).mid(3));
        const int row = layout->rowCount();
        layout->addWidget(square, row, 0);
        layout->addWidget(label, row, 1);
        return square;
    };
    shpAttended = add("shpAttended", QColor(0, 255, 0), QStringLiteral("Attended"));
    shpDNA = add("shpDNA", QColor(255, 128, 128), QStringLiteral("DNA"));
    shpSick = add("shpSick", QColor(128, 255, 255), QStringLiteral("Sick"));
    shpAbsent = add("shpAbsent", QColor(255, 192, 128), QStringLiteral("Absent"));
    shpCalled = add("shpCalled", QColor(0, 64, 64), QStringLiteral("Called"));
    shpNoRecord = add("shpNoRecord", QColor(255, 255, 255), QStringLiteral("No Record"));
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(layout->rowCount(), 1);
}

QLabel *AttendanceKey::caption(const QString &squareName) const
{
    if (!squareName.startsWith(QLatin1String("shp")))
        return nullptr;
    return findChild<QLabel *>(QStringLiteral("lbl") + squareName.mid(3));
}
