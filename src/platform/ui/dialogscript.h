#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <stdexcept>

namespace ui {

enum class DialogKind { MessageBox, InputBox, OpenFile, SaveFile, Folder, Printer };

// One box as the program showed it.
struct ShownDialog
{
    DialogKind kind = DialogKind::MessageBox;
    QString title;
    QString text;          // the prompt of a message or input box
    int buttons = 0;       // message box: the button group (vbOKOnly ... vbRetryCancel)
    int icon = 0;          // message box: vbCritical, vbQuestion, vbExclamation, vbInformation or 0
    int defaultButton = 1; // message box: 1 to 4
    QString filter;        // file dialogs: the filter text as given
    QString initial;       // input box default, file dialogs' starting file or folder
    QVariant answer;       // what the box answered; invalid for an unexpected box
};

// Raised when a box is shown that the script did not expect.
class UnexpectedDialog : public std::logic_error
{
public:
    using std::logic_error::logic_error;
};

// Scripted dialogs for tests. While an object of this class lives, every box of
// the dialog service takes the next queued answer instead of showing, and is
// recorded. A box with no answer queued for its kind, or a message box answer
// that its buttons do not offer, is a failure: it is recorded and, by default,
// the box raises UnexpectedDialog. In Record mode (for tests that drive a window
// through its event handlers, where an exception cannot pass) the box is answered
// as if cancelled instead (Cancel, else No, else OK; an empty text) and the test
// checks failures(). Scripts nest; the innermost is the active one.
class DialogScript
{
public:
    enum class Mode { Throw, Record };

    explicit DialogScript(Mode mode = Mode::Throw);
    ~DialogScript();
    DialogScript(const DialogScript &) = delete;
    DialogScript &operator=(const DialogScript &) = delete;

    // Queues the answer of the next message box (vbOK, vbYes ...).
    DialogScript &answer(int msgBoxResult);
    // Queues the text of the next input box; a null text cancels it.
    DialogScript &input(const QString &text);
    // Queue the path (or printer name) the next dialog of that kind gives;
    // an empty text cancels it.
    DialogScript &openFile(const QString &path);
    DialogScript &saveFile(const QString &path);
    DialogScript &folder(const QString &path);
    DialogScript &printer(const QString &name);

    const QList<ShownDialog> &shown() const { return m_shown; }
    const QStringList &failures() const { return m_failures; }
    // Answers queued and not yet taken.
    int pending() const { return int(m_queue.size()); }

    // The active script, or nullptr.
    static DialogScript *active();
    // Records a box and gives its answer; on a failure raises UnexpectedDialog or,
    // in Record mode, gives the cancelling answer.
    QVariant take(ShownDialog box);

private:
    struct Answer
    {
        DialogKind kind;
        QVariant value;
    };
    DialogScript &queue(DialogKind kind, const QVariant &value);
    QVariant fail(ShownDialog box, const QString &why);

    QList<Answer> m_queue;
    QList<ShownDialog> m_shown;
    QStringList m_failures;
    Mode m_mode;
    DialogScript *m_previous;
};

} // namespace ui
