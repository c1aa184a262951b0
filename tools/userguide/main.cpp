// Writes the user guide, a Markdown file, as a PDF document on A4 pages:
//   ovix_userguide <guide.md> <output.pdf>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: ovix_userguide <guide.md> <output.pdf>\n");
        return 2;
    }
    QFile in(args.at(1));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    QTextDocument doc;
    QFont font(QStringLiteral("Sans Serif"), 10);
    doc.setDefaultFont(font);
    doc.setMarkdown(QString::fromUtf8(in.readAll()));

    const QString tmp = args.at(2) + QStringLiteral(".part");
    {
        QPdfWriter writer(tmp);
        writer.setTitle(QStringLiteral("Ovixian User Guide"));
        writer.setCreator(QStringLiteral("Ovixian"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
        doc.print(&writer);
    }
    QFile::remove(args.at(2));
    if (!QFile::rename(tmp, args.at(2))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args.at(2)));
        return 1;
    }
    return 0;
}
