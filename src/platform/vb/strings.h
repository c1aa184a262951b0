#pragma once

#include <QString>
#include <QStringList>

// Text functions, in their String forms (Left$ ...): pass vb::CStr(v) or vb::Nz(v)
// for a Variant. Positions are 1-based as in the runtime. An argument out of range
// (a negative length, a start below 1) raises Invalid procedure call (5).
namespace vb {

// Binary compares character codes; Text compares without regard to case.
enum class Compare { Binary = 0, Text = 1 };

QString Left(const QString &text, int length);
QString Right(const QString &text, int length);
QString Mid(const QString &text, int start);
QString Mid(const QString &text, int start, int length);
int Len(const QString &text);

// Position of find in text from start (1-based), 0 when absent or when start is beyond the
// text; start for an empty find.
int InStr(const QString &text, const QString &find, Compare compare = Compare::Binary);
int InStr(int start, const QString &text, const QString &find, Compare compare = Compare::Binary);
// Searching backwards from start (-1: from the end).
int InStrRev(const QString &text, const QString &find, int start = -1,
             Compare compare = Compare::Binary);

// Trim blanks (spaces only; tabs and line breaks stay).
QString Trim(const QString &text);
QString LTrim(const QString &text);
QString RTrim(const QString &text);
QString UCase(const QString &text);
QString LCase(const QString &text);

// Replaces find with replaceWith; the result starts at start (as the runtime does);
// count -1 replaces all.
QString Replace(const QString &text, const QString &find, const QString &replaceWith, int start = 1,
                int count = -1, Compare compare = Compare::Binary);
// Split("") gives an empty list; limit -1 gives all parts.
QStringList Split(const QString &text, const QString &delimiter = QStringLiteral(" "),
                  int limit = -1, Compare compare = Compare::Binary);
QString Join(const QStringList &parts, const QString &delimiter = QStringLiteral(" "));
// -1, 0 or 1.
int StrComp(const QString &a, const QString &b, Compare compare = Compare::Binary);

QString Space(int count);
// count copies of the first character of character (5 when character is empty), or of a code.
QString String(int count, const QString &character);
QString String(int count, int charCode);
// The code of the first character; 5 when text is empty.
int Asc(const QString &text);
QString Chr(int charCode);

// A line break as files and message boxes of the program write it.
inline const QString vbCrLf = QStringLiteral("\r\n");

} // namespace vb
