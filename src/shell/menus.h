#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

// The main window's menu bar as data: every menu and item with its caption, the
// right its click checks, the window it opens with the calls made on it, and the
// text handed to the authorisation window when the right is missing.
namespace shell {

enum class RightKind {
    None,  // no check
    Index, // the signed-in user's flags as loaded at sign-in
    Name,  // the Users column read from the data file at every click
};

// What a click does.
enum class MenuAction {
    None,       // menus, separators and items without a handler
    DoNothing,  // a handler that does nothing
    OpenWindow, // the gated pattern: check the right, open the window, make the calls
    OpenDataFile,
    WebBrowser,
    Logoff,
    Exit,
    UserGuide,
    ReportBug,
    RequestFeature,
    VisitWebsite,
};

// One step made on the opened window, in order.
struct MenuStep
{
    enum Kind {
        Show,    // shown modeless (brought forward when open)
        Call,    // a member called by name with the arguments
        SetText, // the text of a child control (member) set to the first argument
        ZOrder,  // brought to the front
    };
    Kind kind = Show;
    QString member;
    QVariantList args;
};

// Stands for the signed-in user's ID in a step's arguments.
inline const QString CurrentUserIdArgument = QStringLiteral("{CurrentUserId}");

struct MenuItem
{
    QString control; // "mnuSettingsPrograms"
    QString parent;  // the menu it belongs to; empty for a menu of the bar
    QString caption; // the caption as designed
    bool separator = false;
    bool visible = true;
    bool enabled = true;
    // Shown only while it leads somewhere: an item while its window is registered,
    // a separator while shown items stand above and below it, a menu while one of
    // its items is shown.
    bool shownWhenRegistered = false;
    RightKind rightKind = RightKind::None;
    int rightIndex = -1;
    QString rightName;
    MenuAction action = MenuAction::None;
    QString window;     // the window opened by OpenWindow
    bool fresh = false; // a new window at every click
    QList<MenuStep> steps;
    QString refusal; // handed to the authorisation window

    bool isMenu() const { return parent.isEmpty(); }
};

// The menus and items in bar order: each menu followed by its items.
const QList<MenuItem> &MenuTree();
// The item of a control name, or nullptr.
const MenuItem *FindMenuItem(const QString &control);

// The run-time captions "Text|#iconkey" set when the main window loads, in the
// order they are set, as pairs of control name and caption.
QList<QPair<QString, QString>> DisplayCaptions(const QString &shortAppName,
                                               const QString &finaliseText);

struct DisplayCaptionParts
{
    QString text;
    QString iconKey; // empty: no picture
    bool separator = false;
};
// Splits a display caption: the text before "|#" and the key after it; "-" is a separator.
DisplayCaptionParts SplitDisplayCaption(const QString &caption);

// The 34 picture keys of the menus, in their order.
const QStringList &MenuIconKeys();
// The 16 x 16 picture of a key; a null icon for an unknown key.
QIcon MenuIcon(const QString &key);

} // namespace shell
