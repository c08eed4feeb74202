#include "file/checksum.h"

#include "file/application_tables.h"
#include "file/md5.h"
#include "file/value_text.h"
#include "model/dm_main_tmpl.h"

#include "platform/hostenv/codepage.h"
#include "platform/hostenv/codepagetext.h"

#include <stdexcept>

namespace {

const QString kChecksumField = QStringLiteral("suma_kontrolna");
const QString kMainTable = QStringLiteral("dsWniosek");

bool contributes(const Field& f) {
    return f.kind() == FieldKind::Data && f.tag() == 0 &&
           f.name().compare(kChecksumField, Qt::CaseInsensitive) != 0;
}

QString valueText(const Field& f, const QVariant& v) {
    if (f.type() == FieldType::Date) {
        const QDate d = v.toDate();
        return v.isValid() && d.isValid() ? d.toString(QStringLiteral("yyyy.MM.dd")) : QString();
    }
    return FieldText::format(f.type(), v);
}

// Reads the rows in place: nothing moves, so the current record and the bound controls
// stay as they were.
void appendTableText(const DataSet& t, QString& text, bool shown = false) {
    std::vector<const Field*> taken;
    for (const auto& f : t.fields())
        if (contributes(*f)) taken.push_back(f.get());
    const int rows = shown ? FileValueText::shownRecordCount(t) : t.recordCount();
    for (int rec = 1; rec <= rows; ++rec) {
        for (const Field* f : taken) {
            const QString value =
                valueText(*f, shown ? FileValueText::shownValue(t, rec, *f) : t.valueAt(rec, *f));
            if (value.isEmpty()) continue;
            text += value;
            text += QLatin1Char('~');
        }
    }
}

quint32 word(const QString& hex, int index) {
    bool ok = false;
    const quint32 w = hex.mid(index * 8, 8).toUInt(&ok, 16);
    if (!ok) throw std::invalid_argument("foldDigest: no hexadecimal digest");
    return w;
}

// W1 + W2 in 64 bits; a sum of 2^32 or more loses 2^32 and gains 1.
quint32 addWithCarry(quint32 a, quint32 b) {
    quint64 sum = quint64(a) + quint64(b);
    if (sum >= (quint64(1) << 32)) sum = sum - (quint64(1) << 32) + 1;
    return quint32(sum);
}

} // namespace

namespace Checksum {

QByteArray digestInput(const QString& text) {
    return HostEnv::toCodePage(text, HostEnv::systemCodePageName());
}

QString foldDigest(const QString& hexDigest) {
    if (hexDigest.size() != 32) throw std::invalid_argument("foldDigest: no hexadecimal digest");
    const QString digits =
        QStringLiteral("%1%2")
            .arg(addWithCarry(word(hexDigest, 0), word(hexDigest, 1)), 8, 16, QLatin1Char('0'))
            .arg(addWithCarry(word(hexDigest, 2), word(hexDigest, 3)), 8, 16, QLatin1Char('0'))
            .toLower();
    QStringList groups;
    for (int i = 0; i < digits.size(); i += 4)
        groups << digits.mid(i, 4);
    return groups.join(QLatin1Char('-'));
}

QString ofText(const QString& text) {
    return foldDigest(Md5::hexDigest(digestInput(text)));
}

} // namespace Checksum

QString BuildChecksumText(TdmDataSets_t& dm) {
    // Posting a table being edited must not count as a change.
    struct KeepChanged {
        TdmDataSets_t& dm;
        bool changed = dm.Zmieniony;
        ~KeepChanged() { dm.Zmieniony = changed; }
    } keep{dm};
    QString text;
    for (const QString& name : applicationTableNames()) {
        DataSet* t = dm.findTable(name);
        if (!t || !t->isActive()) continue;
        if (t->isEditing()) t->post();
        appendTableText(*t, text);
    }
    return text;
}

QString BuildShownChecksumText(const TdmDataSets_t& dm) {
    QString text;
    for (const QString& name : applicationTableNames()) {
        const DataSet* t = dm.findTable(name);
        if (t && t->isActive()) appendTableText(*t, text, true);
    }
    return text;
}

QString ComputeChecksum(TdmDataSets_t& dm) {
    return Checksum::ofText(BuildChecksumText(dm));
}

namespace {

// The versions of the application tables (0 for one missing or closed); empty while one
// of them is being edited, as its edit buffer may hold changes.
std::vector<quint64> tableVersions(const TdmDataSets_t& dm) {
    std::vector<quint64> out;
    out.reserve(size_t(applicationTableNames().size()));
    for (const QString& name : applicationTableNames()) {
        const DataSet* t = dm.findTable(name);
        if (t && t->isEditing()) return {};
        out.push_back(t && t->isActive() ? t->version() + 1 : 0);
    }
    return out;
}

} // namespace

QString ApplicationChecksum::currentChecksum() {
    if (!computedAt_.empty() && tableVersions(dm_) == computedAt_) return computed_;
    computed_ = ComputeChecksum(dm_);
    computedAt_ = tableVersions(dm_);
    return computed_;
}

QString ApplicationChecksum::storedChecksum() const {
    return dm_.table(kMainTable).field(kChecksumField).asString();
}

void ApplicationChecksum::acSumaK() {
    DataSet& main = dm_.table(kMainTable);
    if (main.isEmpty()) {
        main.append();
        main.post();
    }
    const QString sum = currentChecksum();
    Field& stored = main.field(kChecksumField);
    if (stored.asString() == sum) return;
    if (ChecksumTrusted && !dm_.Zmieniony) return;
    if (main.state() == DataSetState::Browse) main.edit();
    stored.setValue(sum);
    main.post();
}

bool ApplicationChecksum::VerifyChecksum(const LoadedFileState& file) {
    if (file.closingByHost || file.loadFailed) return true;
    bool holds = true;
    if (file.fileVersion != file.moduleVersion) {
        // Files of other versions are not held to their checksum.
        ChecksumTrusted = true;
    } else {
        const QString before = storedChecksum();
        acSumaK();
        holds = storedChecksum() == before;
    }
    dm_.Zmieniony = false;
    return holds;
}
