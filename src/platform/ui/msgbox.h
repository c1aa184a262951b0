#pragma once

namespace ui {

// Message box styles, added together: one button group, one icon, one default
// button. The numbers are the runtime's.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
    vbDefaultButton4 = 768,
};

// The button a message box was answered with.
enum MsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7,
};

constexpr int msgBoxButtons(int style)
{
    return style & 0x0F;
}
constexpr int msgBoxIcon(int style)
{
    return style & 0x70;
}
// 1 to 4.
constexpr int msgBoxDefaultButton(int style)
{
    return ((style & 0x300) >> 8) + 1;
}

} // namespace ui
