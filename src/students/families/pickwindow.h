#pragma once

class QBoxLayout;
class QLabel;
class QRadioButton;
class QString;
class QVBoxLayout;
class QWidget;

namespace ui {
class SimpleCombo;
}

// The parts the two family pick windows share: the list with its order options
// ("Smith, John" chosen), the count line and the header with the logo.
namespace families {

struct PickParts
{
    QLabel *Image1;
    QLabel *Label2; // heading
    QLabel *Label5; // prompt
    ui::SimpleCombo *cbo;
    QRadioButton *optLF;
    QRadioButton *optFL;
    QLabel *lblStatus;
    QVBoxLayout *layout; // the window's layout; the buttons go below
};
PickParts MakePickParts(QWidget *window, const QString &heading, const QString &prompt);

// The text of the item whose text stands in the line, empty when none.
QString ChosenItemText(const ui::SimpleCombo *cbo);

} // namespace families
