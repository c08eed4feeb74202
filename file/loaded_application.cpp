// The application file read as the parser streams it: the parts a load uses are kept as
// plain values, in the shape the document gives them to the reader.
#include "file/loaded_application.h"

#include "file/application_xml.h"
#include "platform/xmldom/xmlstream.h"

namespace {

// Where an element stands in the parts a load keeps.
enum class Place { Root, Info, Data, Table, Row, Value, SpecialFields, SpecialField, Other };

QString attributeOf(const XmlStreamElement& e, const char* name) {
    return QString::fromUtf8(e.attribute(name));
}

class LoadReader : public XmlStreamHandler {
public:
    LoadReader(LoadedApplication& loaded, const QSet<QString>& singleRecord, const QString& source)
        : loaded_(loaded), singleRecord_(singleRecord), source_(source) {}

    void startElement(const XmlStreamElement& e) override {
        if (places_.empty()) {
            if (!e.nameIs("WNIOSEK"))
                throw XmlError(QStringLiteral("Parser error: the root element is not WNIOSEK in %1")
                                   .arg(source_)
                                   .toStdString());
            places_.push_back(Place::Root);
            return;
        }
        checkNumber(e);
        places_.push_back(placeOf(e));
    }

    void endElement() override {
        const Place done = places_.back();
        places_.pop_back();
        if (size_t(dataLevel_) == places_.size()) dataLevel_ = -1;
        if (size_t(valueLevel_) == places_.size()) valueLevel_ = -1;
        if (done == Place::Value || done == Place::SpecialField) text_ = nullptr;
        if (done == Place::Row) rows_.pop_back();
        if (done == Place::Table) tables_.pop_back();
    }

    void text(QByteArrayView utf8) override {
        if (text_) text_->append(QString::fromUtf8(utf8));
    }

private:
    // Every ATRYBUT and POLE below the first DANE, but not inside another of them.
    void checkNumber(const XmlStreamElement& e) {
        if (dataLevel_ < 0 || valueLevel_ >= 0) return;
        if (!e.nameIs("ATRYBUT") && !e.nameIs("POLE")) return;
        valueLevel_ = int(places_.size());
        checkRecordNumber(attributeOf(e, "nrW"), attributeOf(e, "dsN"), singleRecord_);
    }

    Place placeOf(const XmlStreamElement& e) {
        switch (places_.back()) {
        case Place::Root:
            if (!loaded_.hasInfo && e.nameIs("INFO_DLL")) {
                loaded_.hasInfo = true;
                for (const auto& [name, value] : e.attributes())
                    loaded_.info.insert(QString::fromUtf8(name), QString::fromUtf8(value));
                return Place::Info;
            }
            if (!seenData_ && e.nameIs("DANE")) {
                seenData_ = true;
                dataLevel_ = int(places_.size());
                return Place::Data;
            }
            return Place::Other;
        case Place::Data:
            if (!loaded_.hasTable && e.nameIs("TABELA")) {
                loaded_.hasTable = true;
                loaded_.table.name = attributeOf(e, "nazwa");
                tables_.push_back(&loaded_.table);
                return Place::Table;
            }
            if (!loaded_.hasSpecialFields && e.nameIs("POLA_SPEC")) {
                loaded_.hasSpecialFields = true;
                return Place::SpecialFields;
            }
            return Place::Other;
        case Place::Table:
            if (!e.nameIs("WIERSZ")) return Place::Other;
            rows_.push_back(&tables_.back()->rows.emplace_back());
            return Place::Row;
        case Place::Row:
            if (e.nameIs("TABELA")) {
                FileItem& item = rows_.back()->items.emplace_back();
                item.table = std::make_unique<FileTable>();
                item.table->name = attributeOf(e, "nazwa");
                tables_.push_back(item.table.get());
                return Place::Table;
            }
            if (e.nameIs("ATRYBUT")) {
                FileItem& item = rows_.back()->items.emplace_back();
                item.names = loaded_.names.shared(attributeOf(e, "nazwa"), attributeOf(e, "dsN"),
                                                  attributeOf(e, "dsK"));
                item.number = attributeOf(e, "nrW");
                text_ = &item.value;
                return Place::Value;
            }
            return Place::Other;
        case Place::SpecialFields:
            if (e.nameIs("POLE")) {
                loaded_.specialFields.push_back({attributeOf(e, "kod"), attributeOf(e, "nrW"),
                                                 attributeOf(e, "dsN"), attributeOf(e, "dsKN"),
                                                 attributeOf(e, "dsKW"), QString()});
                text_ = &loaded_.specialFields.back().value;
                return Place::SpecialField;
            }
            return Place::Other;
        default:
            // Below a value the text still counts: the value is all the text inside it.
            return Place::Other;
        }
    }

    LoadedApplication& loaded_;
    const QSet<QString>& singleRecord_;
    const QString source_;
    std::vector<Place> places_;
    std::vector<FileTable*> tables_;
    std::vector<FileRow*> rows_;
    QString* text_ = nullptr;
    bool seenData_ = false;
    int dataLevel_ = -1;  // the level of the first DANE while inside it
    int valueLevel_ = -1; // the level of the ATRYBUT or POLE being checked inside it
};

} // namespace

LoadedApplication LoadedApplication::fromFile(const QString& path,
                                              const QSet<QString>& singleRecord) {
    LoadedApplication loaded;
    LoadReader reader(loaded, singleRecord, path);
    streamXmlFile(path, reader);
    return loaded;
}

LoadedApplication LoadedApplication::fromMemory(const QByteArray& bytes,
                                                const QSet<QString>& singleRecord) {
    LoadedApplication loaded;
    LoadReader reader(loaded, singleRecord, QStringLiteral("(pamięć)"));
    streamXmlMemory(bytes, reader);
    return loaded;
}
