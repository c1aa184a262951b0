// ovixgen: writes a practice or benchmark data file.
//   ovixgen --size sample|big [--seed N] [--today yyyy-mm-dd] OUT
#include "sampledata/sampledata.h"

#include "platform/jet/sql/error.h"
#include "platform/vb/error.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: ovixgen --size sample|big [--seed N] [--today yyyy-mm-dd] OUT\n"
                 "  Writes a data file; the same seed and day give the same file.\n"
                 "  --today defaults to %s.\n",
                 qPrintable(SampleData::Options::FixedToday().toString(Qt::ISODate)));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    SampleData::Options options;
    QString out;
    bool sized = false;
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--size") && hasValue) {
            const QString v = args[++i];
            if (v == QLatin1String("sample"))
                options.size = SampleData::Size::Sample;
            else if (v == QLatin1String("big"))
                options.size = SampleData::Size::Big;
            else
                return usage();
            sized = true;
        } else if (a == QLatin1String("--seed") && hasValue) {
            bool ok = false;
            options.seed = args[++i].toUInt(&ok);
            if (!ok)
                return usage();
        } else if (a == QLatin1String("--today") && hasValue) {
            options.today = QDate::fromString(args[++i], Qt::ISODate);
            if (!options.today.isValid())
                return usage();
        } else if (!a.startsWith(QLatin1String("--")) && out.isEmpty()) {
            out = a;
        } else {
            return usage();
        }
    }
    if (!sized || out.isEmpty())
        return usage();

    QElapsedTimer timer;
    timer.start();
    try {
        SampleData::Generate(out, options);
    } catch (const jet::Error &e) {
        std::fprintf(stderr, "ovixgen: %s\n", qPrintable(e.description()));
        return 1;
    } catch (const vb::Error &e) {
        std::fprintf(stderr, "ovixgen: error %d\n", int(e.number()));
        return 1;
    }
    std::printf("%s written in %.1f s\n", qPrintable(out), timer.elapsed() / 1000.0);
    return 0;
}
