#pragma once

#include <QFrame>

class QLabel;
namespace ui {
class ColorSquare;
}

// The attendance key of the windows that show attendance grids: the heading
// "Attendance Key" and one colour square per mark with its caption. The grid
// procedures take each mark's colour from the square of its name, so a window
// holding the key holds the squares shpAttended, shpDNA, shpSick, shpAbsent,
// shpCalled and shpNoRecord (white: an unmarked session).
class AttendanceKey : public QFrame
{
    Q_OBJECT
public:
    explicit AttendanceKey(QWidget *parent = nullptr);

    ui::ColorSquare *shpAttended, *shpDNA, *shpSick, *shpAbsent, *shpCalled, *shpNoRecord;
    // The caption beside the square of that name; nullptr for any other name.
    QLabel *caption(const QString &squareName) const;
};
