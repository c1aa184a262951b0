#pragma once

#include <QString>

class QObject;

// The family panel of a person's record window (the student record or the
// employee window), reached by the names of its controls: the family line
// "lblFamily" (caption: the family text; tag: the family number), the contact
// box "txtField" 4 and the two pairs of buttons "cmdFamily"/"cmdAttachFamily" and
// "cmdRemoveFamily"/"cmdEditFamily", each pair sharing one place.
namespace students {

extern const QString IndividualCaption; // "(individual)"

// Sets the family line and shows the pair of buttons its caption calls for:
// "(individual)" shows cmdAttachFamily and cmdEditFamily, any other caption
// cmdFamily and cmdRemoveFamily in their places. A missing control is passed over.
void SetFamilyLine(QObject *window, const QString &caption, const QString &tag);
// Only the buttons, for the caption the line shows.
void ShowFamilyButtons(QObject *window);
// Puts the family's contact name into the contact box, locked with the button-face
// background. The employee window's box 4 is its address: it is left alone there.
void ShowFamilyContactName(QObject *window, const QString &contactName);

} // namespace students
