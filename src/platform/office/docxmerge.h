#pragma once

#include "csv.h"

#include <QString>

// The form-letter merge of word processing documents: a .docx or .dotx template
// whose merge fields name the data file's columns becomes one new .docx document
// with one letter per record, each letter on a page of its own.
namespace office {

enum class DocumentKind { OpenXml, BinaryWord, Other };
// What the file holds, by its first bytes: a zip package (.docx/.dotx), a binary
// compound file (.doc/.dot), or anything else (a missing file included).
DocumentKind DocumentKindOf(const QString &path);

// Merges the records into the template and writes the result to outputPath (an
// existing file is replaced only once the new one is complete). Merge fields are
// the simple and the complex MERGEFIELD fields of the main document; a field whose
// name is no column merges as empty; a value's line breaks become line breaks.
// Failures raise vb::Error: 53 a missing template, 75 a file that cannot be read
// or written, 5 a template that is not a word processing document.
void MergeFormLetters(const QString &templatePath, const MergeData &data,
                      const QString &outputPath);

} // namespace office
