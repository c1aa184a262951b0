#pragma once

class QLabel;
class QWidget;

namespace ui {
class Form;
}

// What every working window does when it loads: it stands in the middle of the
// main window and shows the centre's logo as the class search window shows it.
namespace core {

// Centres the window in the main window's area: left = (area width - own width) / 2,
// top likewise less the raise (never above or left of the area). A window that is loaded but not
// shown yet is placed once it shows. Nothing for a window that stands on its own
// or while there is no main window.
void PlaceOnMainWindow(ui::Form *form, int raiseTwips = 0);

// The label in which a working window shows the centre's logo: named "Image1",
// 95 x 95 pixels, the picture in its middle.
QLabel *NewLogoLabel(QWidget *parent);

// Copies the picture of the class search window's logo ("Image1" of the loaded
// window "Main") into the label, scaled to fit it; the label keeps what it had
// when that window is not loaded or shows no picture. A label left without a
// picture is hidden.
void ShowClassSearchLogo(QLabel *image);

} // namespace core
