#include "docxmerge.h"

#include "platform/vb/error.h"

#include <QFile>
#include <QFileInfo>

#include <pugixml.hpp>
#include <zip.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace office {

namespace {

struct PackagePart
{
    std::string name;
    std::string data;
};

[[noreturn]] void notADocument(const QString &why)
{
    throw vb::Error(5, QStringLiteral("The letter template is not a word processing document: ") +
                           why);
}

std::vector<PackagePart> readPackage(const QString &path)
{
    if (!QFileInfo::exists(path))
        throw vb::Error(53);
    int error = 0;
    zip_t *zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!zip)
        notADocument(QStringLiteral("it cannot be opened as a package."));
    std::unique_ptr<zip_t, int (*)(zip_t *)> closer(zip, zip_close);
    std::vector<PackagePart> parts;
    const zip_int64_t n = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        if (zip_stat_index(zip, zip_uint64_t(i), 0, &st) != 0)
            throw vb::Error(75);
        zip_file_t *f = zip_fopen_index(zip, zip_uint64_t(i), 0);
        if (!f)
            throw vb::Error(75);
        PackagePart part{st.name, std::string(size_t(st.size), '\0')};
        const zip_int64_t got = zip_fread(f, part.data.data(), st.size);
        zip_fclose(f);
        if (got < 0 || zip_uint64_t(got) != st.size)
            throw vb::Error(75);
        parts.push_back(std::move(part));
    }
    return parts;
}

PackagePart *findPart(std::vector<PackagePart> &parts, const std::string &name)
{
    for (PackagePart &p : parts)
        if (p.name == name)
            return &p;
    return nullptr;
}

std::string xmlText(const pugi::xml_document &doc)
{
    struct Writer : pugi::xml_writer
    {
        std::string out;
        void write(const void *data, size_t size) override
        {
            out.append(static_cast<const char *>(data), size);
        }
    } writer;
    doc.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return writer.out;
}

// The field name of a field instruction " MERGEFIELD  Name \* MERGEFORMAT", or empty.
QString mergeFieldName(const QString &instruction)
{
    const QStringList words = instruction.simplified().split(QLatin1Char(' '));
    if (words.size() < 2 || words.first().compare(QLatin1String("MERGEFIELD"),
                                                  Qt::CaseInsensitive) != 0)
        return {};
    QString name = words.at(1);
    if (name.startsWith(QLatin1Char('"')))
        name = instruction.section(QLatin1Char('"'), 1, 1);
    return name;
}

// A run holding the value, in the given run properties; line breaks as w:br.
void insertValueRun(pugi::xml_node parent, pugi::xml_node before, pugi::xml_node properties,
                    const QString &value)
{
    pugi::xml_node run = parent.insert_child_before("w:r", before);
    if (properties)
        run.append_copy(properties);
    const QStringList lines =
        QString(value).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            run.append_child("w:br");
        pugi::xml_node t = run.append_child("w:t");
        t.append_attribute("xml:space") = "preserve";
        t.text().set(lines.at(i).toStdString().c_str());
    }
}

using FieldValue = std::function<QString(const QString &name)>;

void fillSimpleFields(pugi::xml_node root, const FieldValue &value)
{
    std::vector<pugi::xml_node> fields;
    for (pugi::xpath_node x : root.select_nodes(".//w:fldSimple"))
        fields.push_back(x.node());
    for (pugi::xml_node field : fields) {
        const QString name = mergeFieldName(QString::fromUtf8(field.attribute("w:instr").value()));
        if (name.isEmpty())
            continue;
        const pugi::xml_node firstRun = field.child("w:r");
        insertValueRun(field.parent(), field, firstRun.child("w:rPr"), value(name));
        field.parent().remove_child(field);
    }
}

// Complex fields: begin, instruction runs, separate, result runs, end; a MERGEFIELD
// whose runs stand in one paragraph becomes one run of its value.
void fillComplexFields(pugi::xml_node root, const FieldValue &value)
{
    std::vector<pugi::xml_node> runs;
    for (pugi::xpath_node x : root.select_nodes(".//w:r"))
        runs.push_back(x.node());
    struct Field
    {
        std::vector<pugi::xml_node> runs;
        QString instruction;
        pugi::xml_node resultProperties;
        bool inResult = false;
    };
    std::vector<Field> open;
    std::vector<Field> done;
    for (pugi::xml_node run : runs) {
        const std::string kind = run.child("w:fldChar").attribute("w:fldCharType").value();
        // A run inside a nested field belongs to every field around it.
        for (Field &f : open)
            f.runs.push_back(run);
        if (kind == "begin") {
            open.push_back({});
            open.back().runs.push_back(run);
            open.back().resultProperties = run.child("w:rPr");
            continue;
        }
        if (open.empty())
            continue;
        Field &f = open.back();
        if (kind == "separate") {
            f.inResult = true;
        } else if (kind == "end") {
            if (open.size() == 1)
                done.push_back(std::move(f));
            open.pop_back();
        } else if (!f.inResult) {
            for (pugi::xml_node t : run.children("w:instrText"))
                f.instruction += QString::fromUtf8(t.text().get());
        } else if (run.child("w:t") && run.child("w:rPr")) {
            f.resultProperties = run.child("w:rPr");
        }
    }
    for (const Field &f : done) {
        const QString name = mergeFieldName(f.instruction);
        if (name.isEmpty())
            continue;
        pugi::xml_node parent = f.runs.front().parent();
        bool oneParent = true;
        for (pugi::xml_node r : f.runs)
            oneParent = oneParent && r.parent() == parent;
        if (!oneParent)
            continue;
        insertValueRun(parent, f.runs.front(), f.resultProperties, value(name));
        for (pugi::xml_node r : f.runs)
            parent.remove_child(r);
    }
}

std::string mergedDocument(const std::string &xml, const MergeData &data)
{
    pugi::xml_document doc;
    if (!doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata_single))
        notADocument(QStringLiteral("its main document cannot be read."));
    pugi::xml_node body = doc.child("w:document").child("w:body");
    if (!body)
        notADocument(QStringLiteral("its main document has no body."));
    std::vector<pugi::xml_node> content;
    pugi::xml_node sectionProperties;
    for (pugi::xml_node child : body.children()) {
        if (std::string(child.name()) == "w:sectPr")
            sectionProperties = child;
        else
            content.push_back(child);
    }
    // The letter once as it stands, kept aside while the body is rebuilt.
    pugi::xml_document letter;
    pugi::xml_node original = letter.append_child("letter");
    for (pugi::xml_node child : content) {
        original.append_copy(child);
        body.remove_child(child);
    }
    for (int record = 0; record < data.records.size(); ++record) {
        if (record > 0) {
            pugi::xml_node p = sectionProperties ? body.insert_child_before("w:p", sectionProperties)
                                                 : body.append_child("w:p");
            p.append_child("w:r").append_child("w:br").append_attribute("w:type") = "page";
        }
        pugi::xml_document copy;
        pugi::xml_node holder = copy.append_copy(original);
        const FieldValue value = [&](const QString &name) { return data.value(record, name); };
        fillSimpleFields(holder, value);
        fillComplexFields(holder, value);
        for (pugi::xml_node child : holder.children()) {
            if (sectionProperties)
                body.insert_copy_before(child, sectionProperties);
            else
                body.append_copy(child);
        }
    }
    return xmlText(doc);
}

// The settings part without its link to a data source of its own.
std::string withoutMailMergeSettings(const std::string &xml)
{
    pugi::xml_document doc;
    if (!doc.load_buffer(xml.data(), xml.size()))
        return xml;
    pugi::xml_node settings = doc.child("w:settings");
    if (!settings.child("w:mailMerge"))
        return xml;
    settings.remove_child("w:mailMerge");
    return xmlText(doc);
}

std::string withoutMailMergeRelationships(const std::string &xml)
{
    pugi::xml_document doc;
    if (!doc.load_buffer(xml.data(), xml.size()))
        return xml;
    pugi::xml_node rels = doc.child("Relationships");
    std::vector<pugi::xml_node> drop;
    for (pugi::xml_node r : rels.children("Relationship")) {
        const std::string type = r.attribute("Type").value();
        if (type.find("/mailMerge") != std::string::npos)
            drop.push_back(r);
    }
    for (pugi::xml_node r : drop)
        rels.remove_child(r);
    return xmlText(doc);
}

void writePackage(const std::vector<PackagePart> &parts, const QString &outputPath)
{
    // Written beside the target and renamed over it once complete.
    const QString partial = outputPath + QStringLiteral(".part");
    QFile::remove(partial);
    int error = 0;
    zip_t *zip =
        zip_open(QFile::encodeName(partial).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        throw vb::Error(75);
    for (const PackagePart &p : parts) {
        zip_source_t *source = zip_source_buffer(zip, p.data.data(), p.data.size(), 0);
        if (!source || zip_file_add(zip, p.name.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
            if (source)
                zip_source_free(source);
            zip_discard(zip);
            QFile::remove(partial);
            throw vb::Error(75);
        }
    }
    if (zip_close(zip) != 0) {
        zip_discard(zip);
        QFile::remove(partial);
        throw vb::Error(75);
    }
    QFile::remove(outputPath);
    if (!QFile::rename(partial, outputPath)) {
        QFile::remove(partial);
        throw vb::Error(75);
    }
}

} // namespace

DocumentKind DocumentKindOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return DocumentKind::Other;
    const QByteArray head = file.read(8);
    if (head.startsWith("PK\x03\x04"))
        return DocumentKind::OpenXml;
    if (head == QByteArray::fromHex("d0cf11e0a1b11ae1"))
        return DocumentKind::BinaryWord;
    return DocumentKind::Other;
}

void MergeFormLetters(const QString &templatePath, const MergeData &data,
                      const QString &outputPath)
{
    std::vector<PackagePart> parts = readPackage(templatePath);
    PackagePart *types = findPart(parts, "[Content_Types].xml");
    PackagePart *main = findPart(parts, "word/document.xml");
    if (!types || !main)
        notADocument(QStringLiteral("it has no main document."));
    // A template's main part becomes a document's.
    const std::string templateType = "wordprocessingml.template.main+xml";
    for (size_t at = types->data.find(templateType); at != std::string::npos;
         at = types->data.find(templateType, at))
        types->data.replace(at, templateType.size(), "wordprocessingml.document.main+xml");
    main->data = mergedDocument(main->data, data);
    if (PackagePart *settings = findPart(parts, "word/settings.xml"))
        settings->data = withoutMailMergeSettings(settings->data);
    if (PackagePart *rels = findPart(parts, "word/_rels/settings.xml.rels"))
        rels->data = withoutMailMergeRelationships(rels->data);
    writePackage(parts, outputPath);
}

} // namespace office
