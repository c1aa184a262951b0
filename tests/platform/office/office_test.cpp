#include "platform/office/csv.h"
#include "platform/office/docxmerge.h"
#include "platform/vb/error.h"
#include "support/tempdir.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>
#include <zip.h>

#include <map>
#include <string>

namespace {

using office::CsvField;
using office::ParseCsv;

TEST(CsvTest, QuotesOnlyWhatNeedsIt)
{
    const struct
    {
        const char *value, *written;
    } cases[] = {
        {"Smith", "Smith"},
        {"", ""},
        {"12 High St, Unit 3", "\"12 High St, Unit 3\""},
        {"Ann \"Jo\" Lee", "\"Ann \"\"Jo\"\" Lee\""},
        {"line1\r\nline2", "\"line1\r\nline2\""},
        {"Zoë", "Zoë"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CsvField(QString::fromUtf8(c.value)), QString::fromUtf8(c.written)) << c.value;
}

TEST(CsvTest, ReadsBackWhatItWrites)
{
    const QStringList values{QStringLiteral("Ann"), QStringLiteral("12 High St, Unit 3"),
                             QStringLiteral("say \"hi\""), QStringLiteral("a\r\nb"),
                             QString(), QStringLiteral("Zoë")};
    const QString text = QStringLiteral("A,B,C,D,E,F\r\n") + office::CsvLine(values) +
                         QStringLiteral("\r\n\r\nx,y\n");
    const office::MergeData data = ParseCsv("\xEF\xBB\xBF" + text.toUtf8());
    EXPECT_EQ(data.fields, (QStringList{"A", "B", "C", "D", "E", "F"}));
    ASSERT_EQ(data.records.size(), 3);
    EXPECT_EQ(data.records[0], values);
    EXPECT_TRUE(data.records[1].isEmpty()); // an empty line is an empty record
    EXPECT_EQ(data.value(2, QStringLiteral("b")), QStringLiteral("y"));
    EXPECT_EQ(data.value(1, QStringLiteral("A")), QString());
    EXPECT_EQ(data.value(0, QStringLiteral("Missing")), QString());
}

// A small letter template: a simple field, a complex field with its formatted
// result, and a field that is no merge field.
class DocxMergeTest : public ::testing::Test
{
protected:
    void writeZip(const QString &path, const std::map<std::string, std::string> &parts)
    {
        int error = 0;
        zip_t *zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        ASSERT_TRUE(zip);
        for (const auto &[name, data] : parts) {
            zip_source_t *s = zip_source_buffer(zip, data.data(), data.size(), 0);
            ASSERT_GE(zip_file_add(zip, name.c_str(), s, ZIP_FL_OVERWRITE), 0);
        }
        ASSERT_EQ(zip_close(zip), 0);
    }
    std::string readPart(const QString &path, const char *name)
    {
        int error = 0;
        zip_t *zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
        if (!zip)
            return {};
        std::string out;
        zip_stat_t st;
        if (zip_stat(zip, name, 0, &st) == 0) {
            zip_file_t *f = zip_fopen(zip, name, 0);
            out.resize(st.size);
            zip_fread(f, out.data(), st.size);
            zip_fclose(f);
        }
        zip_close(zip);
        return out;
    }
    QString makeTemplate(const QString &name, bool dotx)
    {
        const std::string type = dotx ? "template" : "document";
        const std::string body =
            R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
            R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body>)"
            R"(<w:p><w:r><w:t xml:space="preserve">Dear </w:t></w:r>)"
            R"(<w:fldSimple w:instr=" MERGEFIELD FirstName "><w:r><w:rPr><w:b/></w:rPr><w:t>«FirstName»</w:t></w:r></w:fldSimple>)"
            R"(<w:r><w:t>,</w:t></w:r></w:p>)"
            R"(<w:p><w:r><w:fldChar w:fldCharType="begin"/></w:r>)"
            R"(<w:r><w:instrText xml:space="preserve"> MERGEFIELD  Address \* MERGEFORMAT </w:instrText></w:r>)"
            R"(<w:r><w:fldChar w:fldCharType="separate"/></w:r>)"
            R"(<w:r><w:rPr><w:i/></w:rPr><w:t>«Address»</w:t></w:r>)"
            R"(<w:r><w:fldChar w:fldCharType="end"/></w:r>)"
            R"(<w:r><w:t xml:space="preserve"> on </w:t></w:r>)"
            R"(<w:fldSimple w:instr=" DATE \@ &quot;d MMMM yyyy&quot; "><w:r><w:t>today</w:t></w:r></w:fldSimple></w:p>)"
            R"(<w:sectPr><w:pgSz w:w="11906" w:h="16838"/></w:sectPr></w:body></w:document>)";
        const QString path = dir.path() + QLatin1Char('/') + name;
        writeZip(path,
                 {{"[Content_Types].xml",
                   R"(<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
                   R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
                   R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.)" +
                       type + R"(.main+xml"/></Types>)"},
                  {"_rels/.rels",
                   R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
                   R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>)"},
                  {"word/document.xml", body},
                  {"word/settings.xml",
                   R"(<?xml version="1.0"?><w:settings xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
                   R"(<w:mailMerge><w:mainDocumentType w:val="formLetters"/></w:mailMerge><w:zoom w:percent="100"/></w:settings>)"}});
        return path;
    }
    ovix::test::TempDir dir;
};

TEST_F(DocxMergeTest, WritesOneLetterPerRecord)
{
    for (bool dotx : {false, true}) {
        SCOPED_TRACE(dotx ? "dotx" : "docx");
        const QString tmpl = makeTemplate(dotx ? "letter.dotx" : "letter.docx", dotx);
        office::MergeData data = ParseCsv(
            "FirstName,Address\r\nAnn,\"1 Bay Rd, Cove\"\r\n\r\nBo & <Co>,\"Line 1\r\nLine 2\"\r\n");
        const QString out = dir.path() + "/letters.docx";
        office::MergeFormLetters(tmpl, data, out);

        const QString doc = QString::fromStdString(readPart(out, "word/document.xml"));
        EXPECT_FALSE(doc.contains("MERGEFIELD"));
        EXPECT_FALSE(doc.contains(QString::fromUtf8("«")));
        EXPECT_EQ(doc.count("Dear "), 3);
        EXPECT_EQ(doc.count(R"(<w:br w:type="page"/>)"), 2);
        EXPECT_EQ(doc.count("<w:sectPr>"), 1);
        EXPECT_TRUE(doc.contains(R"(<w:r><w:rPr><w:b/></w:rPr><w:t xml:space="preserve">Ann</w:t></w:r>)"))
            << doc.toStdString();
        EXPECT_TRUE(doc.contains(R"(<w:rPr><w:i/></w:rPr><w:t xml:space="preserve">1 Bay Rd, Cove</w:t>)"));
        EXPECT_TRUE(doc.contains("Bo &amp; &lt;Co&gt;"));
        EXPECT_TRUE(doc.contains(R"(Line 1</w:t><w:br/><w:t xml:space="preserve">Line 2)"));
        // The date field is no merge field and stays.
        EXPECT_EQ(doc.count("DATE"), 3);
        // The letters keep their order.
        EXPECT_LT(doc.indexOf("Ann"), doc.indexOf("Bo &amp;"));

        const std::string types = readPart(out, "[Content_Types].xml");
        EXPECT_NE(types.find("wordprocessingml.document.main+xml"), std::string::npos);
        EXPECT_EQ(types.find("template"), std::string::npos);
        const std::string settings = readPart(out, "word/settings.xml");
        EXPECT_EQ(settings.find("mailMerge"), std::string::npos);
        EXPECT_NE(settings.find("zoom"), std::string::npos);
        EXPECT_FALSE(QFile::exists(out + ".part"));
    }
}

TEST_F(DocxMergeTest, RefusesWhatIsNoDocumentAndKeepsTheOldOutput)
{
    const QString out = dir.path() + "/letters.docx";
    QFile keep(out);
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.write("old");
    keep.close();

    const QString binary = dir.path() + "/letter.doc";
    QFile b(binary);
    ASSERT_TRUE(b.open(QIODevice::WriteOnly));
    b.write(QByteArray::fromHex("d0cf11e0a1b11ae1") + QByteArray(504, '\0'));
    b.close();
    EXPECT_EQ(office::DocumentKindOf(binary), office::DocumentKind::BinaryWord);
    EXPECT_EQ(office::DocumentKindOf(makeTemplate("t.docx", false)), office::DocumentKind::OpenXml);
    EXPECT_EQ(office::DocumentKindOf(dir.path() + "/none.docx"), office::DocumentKind::Other);

    const struct
    {
        QString path;
        long number;
    } cases[] = {{binary, 5}, {dir.path() + "/none.docx", 53}};
    for (const auto &c : cases) {
        try {
            office::MergeFormLetters(c.path, {}, out);
            ADD_FAILURE() << "merged " << c.path.toStdString();
        } catch (const vb::Error &e) {
            EXPECT_EQ(e.number(), c.number);
        }
        QFile f(out);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), "old");
    }
}

} // namespace
