// The special fields dsPolaSpec: the attachment list, whose five answers per attachment
// (yes for works RT, supplies DT, services UT; no N; not applicable ND) exclude each
// other, and the switch of the other institutions.
#include "model/dm_main.h"
#include "model/record_hooks.h"
#include "model/record_rules.h"

#include <initializer_list>

using namespace RecordHooks;

namespace {

bool isAttachmentField(const Field& f) {
    return f.name().startsWith(QLatin1String("ZAL"), Qt::CaseInsensitive);
}

// The column letter of a project kind: works, services, supplies, other.
QString kindLetter(const QString& kind) {
    if (kind == QLatin1String("RB")) return QStringLiteral("R");
    if (kind == QLatin1String("S")) return QStringLiteral("U");
    if (kind == QLatin1String("DS")) return QStringLiteral("D");
    if (kind == QLatin1String("IN")) return QStringLiteral("I");
    return kind;
}

bool anyYes(const DataSet& t, const QString& prefix, std::initializer_list<const char*> suffixes) {
    for (const char* suffix : suffixes) {
        const Field* f = t.findField(prefix + QLatin1String(suffix));
        if (f && isYes(*f)) return true;
    }
    return false;
}

// Under the kind "IN" these flags keep their answers; every other attachment flag
// becomes "N".
const char* const kKeptUnderOther[] = {"ZALWYKINNEDOK", "ZALINDOKUT", "ZALINDOKN", "ZALINDOKND"};
// The controls that stay open under the kind "IN".
const char* const kEnabledUnderOther[] = {
    "ZALINDOKUT",  "ZALBIZPLDT",  "ZALBIZPLUT",     "ZALWSPOLFINDT",  "ZALWSPOLFINUT",
    "ZALINSZAKDT", "ZALINSZAKUT", "ZALWYPKRSDT",    "ZALWYPKRSUT",    "ZALKOPUMDT",
    "ZALKOPUMUT",  "ZALINDOKDT",  "ZALDYSPOBTOWDT", "ZALDYSPOBTOWUT", "ZALOCFINDT",
    "ZALOCFINUT",  "ZALBILDT",    "ZALBILUT",       "ZALRZSDT",       "ZALRZSUT",
    "ZALZAKZADDT", "ZALZAKZADUT", "ZALBMOPVDT",     "ZALBMOPVUT"};

bool keptUnderOther(const QString& name) {
    for (const char* kept : kKeptUnderOther)
        if (name.compare(QLatin1String(kept), Qt::CaseInsensitive) == 0) return true;
    return false;
}

} // namespace

void RecordRules::attachSpecialFields() {
    DataSet& polaSpec = table("dsPolaSpec");
    polaSpec.events.afterOpen = [this](DataSet& t) { openSpecialFields(t); };
    for (const auto& f : polaSpec.fields()) {
        if (!isAttachmentField(*f)) continue;
        const bool otherDocuments =
            f->name().startsWith(QLatin1String("ZALINDOK"), Qt::CaseInsensitive);
        f->onChange = [this, otherDocuments](Field& flag) {
            ZmianaPolaZalacznika(flag);
            if (otherDocuments) otherDocumentsChanged(flag);
        };
    }
    onChange("dsPolaSpec", "CZYWYSTINNEINS", [this](Field& f) { otherInstitutionsChanged(f); });
}

// The single row: works answered "yes", every other answer "no"; other institutions take
// part.
void RecordRules::openSpecialFields(DataSet& polaSpec) {
    polaSpec.append();
    for (const auto& f : polaSpec.fields()) {
        if (!isAttachmentField(*f) || f->size() != 1) continue;
        if (!polaSpec.isEditing()) polaSpec.edit();
        f->setValue(f->name().endsWith(QLatin1String("RT"), Qt::CaseInsensitive) ? yes() : no());
    }
    polaSpec.post();
    polaSpec.edit();
    polaSpec.field(QStringLiteral("CZYWYSTINNEINS")).setValue(yes());
    polaSpec.post();
}

void RecordRules::ZmianaPolaZalacznika(Field& flag) {
    if (dm_.Wczytywanie || !isYes(flag)) return;
    const QString& name = flag.name();
    const QString prefix =
        name.endsWith(QLatin1Char('N'), Qt::CaseInsensitive) ? name.chopped(1) : name.chopped(2);
    DataSet& t = *flag.dataSet();
    // The other answers only turn "N", which never reaches back to this flag: its own
    // rule can stay attached meanwhile.
    for (const auto& other : t.fields()) {
        if (other.get() == &flag || !other->name().startsWith(prefix, Qt::CaseInsensitive) ||
            !isYes(*other))
            continue;
        t.edit();
        other->setValue(no());
        t.post();
    }
}

// The list of other documents is asked only when one of them is attached.
void RecordRules::otherDocumentsChanged(Field& flag) {
    DataSet& t = *flag.dataSet();
    const bool attached = anyYes(t, QStringLiteral("ZALINDOK"), {"RT", "DT", "UT"});
    Field& list = t.field(QStringLiteral("ZALWYKINNEDOK"));
    enableControl(list, attached);
    if (attached) return;
    if (t.state() == DataSetState::Browse) t.edit();
    list.clear();
}

void RecordRules::otherInstitutionsChanged(Field& flag) {
    DataSet& institutions = table("dsInstytucje");
    if (isYes(flag))
        institutions.open();
    else
        institutions.close();
    Field& description = flag.dataSet()->field(QStringLiteral("INNEPODZAANOP"));
    if (!institutions.isActive()) description.setValue(QStringLiteral(""));
    enableControl(description, institutions.isActive());
}

void RecordRules::UstawZalacznikiWgRodzaju(const QString& kind) {
    const QString letter = kindLetter(kind);
    DataSet& t = table("dsPolaSpec");
    if (t.isEmpty()) {
        t.append();
        t.post();
    }
    t.disableControls();
    struct Resume {
        DataSet& t;
        ~Resume() { t.enableControls(); }
    } resume{t};

    for (const auto& f : t.fields()) {
        const QString& name = f->name();
        if (name.size() < 2 || !name.endsWith(QLatin1Char('T'), Qt::CaseInsensitive)) continue;
        const bool ownColumn =
            name.mid(name.size() - 2, 1).compare(letter, Qt::CaseInsensitive) == 0;
        // The answer moves to this kind's column when the attachment was marked "yes" in
        // another one; the exclusion rule clears that other column.
        if (ownColumn && !isYes(*f) && anyYes(t, name.chopped(2), {"UT", "RT", "DT"})) {
            t.edit();
            f->setValue(yes());
        }
        enableControl(*f, ownColumn);
    }

    if (letter != QLatin1String("I")) return;
    t.edit();
    for (const auto& f : t.fields()) {
        if (f->name().contains(QLatin1String("ZAL"), Qt::CaseInsensitive) &&
            !keptUnderOther(f->name()))
            f->setValue(no());
    }
    for (const char* name : kEnabledUnderOther)
        enableControl(t.field(QLatin1String(name)), true);
}
