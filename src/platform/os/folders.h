#pragma once

#include <QString>

namespace os {

// The folders the program works in.
class Folders
{
public:
    // The application data folder, ending in "/": $OVIXIAN_HOME when set, else the
    // user's XDG data folder followed by "Ovixian". Created (with its parents) when
    // missing; a folder that cannot be created raises vb::Error 75.
    static QString appData();
    // The folder the program's executable lies in, without a trailing "/".
    static QString program();
    // The temporary folder, without a trailing "/".
    static QString temp();
};

} // namespace os
