#pragma once

#include <QDate>
#include <QString>
#include <cstdint>

// The practice data file and the big data files of the benchmarks: a swim school's data
// written through the program's own template and data engine, the same for a given seed.
namespace SampleData {

enum class Size {
    Sample, // a small centre, this term and the last
    Big     // the largest kind of centre over ten years
};

struct Options
{
    Size size = Size::Sample;
    std::uint32_t seed = 1;
    // Every date is placed relative to this day: the current term holds it.
    QDate today = FixedToday();

    // The day the generator takes for "today" unless told otherwise, so that two runs
    // with one seed give the same file.
    static QDate FixedToday() { return QDate(2026, 8, 19); }
};

// The practice file's name in the application data folder.
inline const QString SampleFileName = QStringLiteral("sample.mdb");

// Writes a data file at path. The file appears only when complete; an existing file
// there is replaced. Throws jet::Error (or vb::Error) when it cannot be written.
void Generate(const QString &path, const Options &options);

// The practice file "sample.mdb" in the given folder, written when missing (dated around
// the real current day, so that it looks current). Gives its path, or the empty text when
// it could not be written.
QString InstallSampleFile(const QString &appDataFolder);

} // namespace SampleData
