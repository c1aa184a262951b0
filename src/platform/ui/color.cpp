#include "color.h"

#include <QApplication>
#include <QPalette>

namespace ui {

namespace {

QColor systemColor(int index)
{
    const QPalette p = QApplication::palette();
    switch (index) {
    case 0: return p.color(QPalette::Button);                               // scroll bars
    case 1: return p.color(QPalette::Dark);                                 // desktop
    case 2: return p.color(QPalette::Highlight);                            // active title bar
    case 3: return p.color(QPalette::Inactive, QPalette::Highlight);        // inactive title bar
    case 4: return p.color(QPalette::Window);                               // menu background
    case 5: return p.color(QPalette::Base);                                 // window background
    case 6: return p.color(QPalette::Shadow);                               // window frame
    case 7: return p.color(QPalette::WindowText);                           // menu text
    case 8: return p.color(QPalette::Text);                                 // window text
    case 9: return p.color(QPalette::HighlightedText);                      // title bar text
    case 10: return p.color(QPalette::Button);                              // active border
    case 11: return p.color(QPalette::Button);                              // inactive border
    case 12: return p.color(QPalette::Dark);                                // application workspace
    case 13: return p.color(QPalette::Highlight);                           // highlight
    case 14: return p.color(QPalette::HighlightedText);                     // highlighted text
    case 15: return p.color(QPalette::Button);                              // button face
    case 16: return p.color(QPalette::Dark);                                // button shadow
    case 17: return p.color(QPalette::Disabled, QPalette::Text);            // grey text
    case 18: return p.color(QPalette::ButtonText);                          // button text
    case 19: return p.color(QPalette::Inactive, QPalette::HighlightedText); // inactive caption text
    case 20: return p.color(QPalette::Light);                               // button highlight
    case 21: return p.color(QPalette::Shadow);                              // 3D dark shadow
    case 22: return p.color(QPalette::Midlight);                            // 3D light
    case 23: return p.color(QPalette::ToolTipText);                         // tool tip text
    case 24: return p.color(QPalette::ToolTipBase);                         // tool tip background
    default: return p.color(QPalette::Window);
    }
}

} // namespace

QColor fromVbColor(long long number)
{
    const auto n = static_cast<unsigned long long>(number) & 0xFFFFFFFFull;
    if ((n & 0xFFFFFF00ull) == 0x80000000ull)
        return systemColor(static_cast<int>(n & 0xFF));
    return QColor(int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF));
}

long toVbColor(const QColor &color)
{
    return long(color.red()) | (long(color.green()) << 8) | (long(color.blue()) << 16);
}

} // namespace ui
