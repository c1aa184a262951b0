#include "dialogscript.h"

#include "msgbox.h"

namespace ui {

namespace {

DialogScript *&activeScript()
{
    static DialogScript *script = nullptr;
    return script;
}

QString kindName(DialogKind kind)
{
    switch (kind) {
    case DialogKind::MessageBox: return QStringLiteral("message box");
    case DialogKind::InputBox: return QStringLiteral("input box");
    case DialogKind::OpenFile: return QStringLiteral("file open dialog");
    case DialogKind::SaveFile: return QStringLiteral("file save dialog");
    case DialogKind::Folder: return QStringLiteral("folder dialog");
    case DialogKind::Printer: return QStringLiteral("printer dialog");
    }
    return {};
}

// The answers a message box's button group offers.
QList<int> offered(int buttons)
{
    switch (buttons) {
    case vbOKCancel: return {vbOK, vbCancel};
    case vbAbortRetryIgnore: return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel: return {vbYes, vbNo, vbCancel};
    case vbYesNo: return {vbYes, vbNo};
    case vbRetryCancel: return {vbRetry, vbCancel};
    default: return {vbOK};
    }
}

// What a box answers when it is closed without a choice.
QVariant cancelAnswer(const ShownDialog &box)
{
    if (box.kind != DialogKind::MessageBox)
        return QString();
    const QList<int> answers = offered(box.buttons);
    for (int a : {int(vbCancel), int(vbNo), int(vbOK)}) {
        if (answers.contains(a))
            return a;
    }
    return answers.last();
}

} // namespace

DialogScript::DialogScript(Mode mode)
    : m_mode(mode)
    , m_previous(activeScript())
{
    activeScript() = this;
}

DialogScript::~DialogScript()
{
    activeScript() = m_previous;
}

DialogScript *DialogScript::active()
{
    return activeScript();
}

DialogScript &DialogScript::queue(DialogKind kind, const QVariant &value)
{
    m_queue.append({kind, value});
    return *this;
}

DialogScript &DialogScript::answer(int msgBoxResult)
{
    return queue(DialogKind::MessageBox, msgBoxResult);
}

DialogScript &DialogScript::input(const QString &text)
{
    return queue(DialogKind::InputBox, text);
}

DialogScript &DialogScript::openFile(const QString &path)
{
    return queue(DialogKind::OpenFile, path);
}

DialogScript &DialogScript::saveFile(const QString &path)
{
    return queue(DialogKind::SaveFile, path);
}

DialogScript &DialogScript::folder(const QString &path)
{
    return queue(DialogKind::Folder, path);
}

DialogScript &DialogScript::printer(const QString &name)
{
    return queue(DialogKind::Printer, name);
}

QVariant DialogScript::fail(ShownDialog box, const QString &why)
{
    const QString message = QStringLiteral("unexpected %1 \"%2\": \"%3\" (%4)")
                                .arg(kindName(box.kind), box.title, box.text, why);
    m_failures.append(message);
    if (m_mode == Mode::Throw) {
        box.answer = QVariant();
        m_shown.append(box);
        throw UnexpectedDialog(message.toStdString());
    }
    box.answer = cancelAnswer(box);
    m_shown.append(box);
    return box.answer;
}

QVariant DialogScript::take(ShownDialog box)
{
    if (m_queue.isEmpty())
        return fail(box, QStringLiteral("no answer queued"));
    if (m_queue.first().kind != box.kind)
        return fail(
            box, QStringLiteral("the next answer is for a %1").arg(kindName(m_queue.first().kind)));
    const QVariant value = m_queue.takeFirst().value;
    if (box.kind == DialogKind::MessageBox && !offered(box.buttons).contains(value.toInt()))
        return fail(box,
                    QStringLiteral("its buttons do not offer the answer %1").arg(value.toInt()));
    box.answer = value;
    m_shown.append(box);
    return value;
}

} // namespace ui
