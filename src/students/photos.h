#pragma once

#include <QString>

// The photograph of a person row: one JPEG file per StudentID in the data folder's
// "jpegs" folder, at most 140 pixels wide. Written only by the photograph window,
// shown by the student, family and employee windows.
namespace imodStudents {

// "<data folder>/jpegs/<StudentID>.jpg".
QString PersonPhotoFile(qint32 studentId);

// Reads the source as a JPEG and stores it as the person's photograph, scaled to at
// most 140 pixels wide, making the "jpegs" folder when missing. An existing
// photograph is replaced only once the new one is written. Raises vb::Error: 481
// when the source is not a readable JPEG, else the error of the step that failed
// (the old photograph then stays).
void ImportPersonPhoto(const QString &source, qint32 studentId);

// Deletes the person's photograph without forcing: a missing file raises
// vb::Error 53, a read-only file stays and raises vb::Error 70.
void DeletePersonPhoto(qint32 studentId);

} // namespace imodStudents
