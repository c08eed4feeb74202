#include "file/application_file.h"

#include "file/supplied_tables.h"
#include "model/catalogue/mapping_rows.h"
#include "model/dm_main.h"
#include "platform/ui/userinterface.h"
#include "platform/utils/scopeexit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <stdexcept>

#include <algorithm>
#include <utility>

namespace {

const QString kDamagedFile = QStringLiteral(
    "Uszkodzony plik Wniosku. Nie można kontynuować.\r\n\r\n"
    "Wniosek Edytowany poza Zelgorem lub błąd systemowy podczas zapisu pliku.\r\n\r\n"
    "Zostanie utworzony nowy pusty wniosek.");

// Tables whose controls keep following their rows while the others are suspended.
const char* const kAlwaysLiveTables[] = {"dsInstytucje", "dsPomocPub", "dsPodwykonawcy",
                                         "dsZamPub"};

bool alwaysLive(const DataSet& t) {
    return std::any_of(std::begin(kAlwaysLiveTables), std::end(kAlwaysLiveTables),
                       [&](const char* n) {
                           return t.name().compare(QLatin1String(n), Qt::CaseInsensitive) == 0;
                       });
}

QString versionMessage(const QString& fileVersion, const QString& currentText) {
    return QStringLiteral("Wniosek został zapisany w innej wersji niż aktualna.\r\nWniosek "
                          "zapisano w wersji: ") +
           fileVersion + QStringLiteral("\r\n") + QStringLiteral("Aktualna wersja: ") + currentText;
}

QString dictionaryMessage(const QString& fileWersja, const QString& fileDbid,
                          const QString& fileSid, const TdmDataSets_t& dm) {
    return QStringLiteral("Wniosek został stworzony z inną wersją słownika niż aktualna.\r\n\r\n"
                          "Pierwsza wersja słownika: ") +
           fileWersja + QLatin1Char('-') + fileDbid + QLatin1Char('-') + fileSid +
           QStringLiteral("\r\n") + QStringLiteral("Aktualna wersja słownika: ") +
           dm.WersjaSlownika + QLatin1Char('-') + dm.DbidSlownika + QLatin1Char('-') +
           dm.SidSlownika;
}

} // namespace

ApplicationFile::ApplicationFile(TdmDataSets& dm, UserInterface& ui, HostSettings settings)
    : dm_(dm), ui_(ui), settings_(std::move(settings)), xml_(dm), checksum_(dm),
      dialogFolder_(settings_.ApplicationsFolder) {
    extendMappingTable(dm_);
    dm_.Zmieniony = false;
}

ApplicationFile::~ApplicationFile() = default;

ApplicationXml::InfoValues ApplicationFile::infoValues() const {
    return {settings_.moduleVersion,
            FirstVersion.isEmpty() ? settings_.moduleVersion : FirstVersion};
}

// ---------------------------------------------------------------- loading

void ApplicationFile::OpenApplicationFile(const QString& path) {
    shownData_ = false;
    dm_.loadWithRulesPaused([&] { LoadApplicationFile(path); });
    // The sums and percentages recomputed from the loaded rows are no change by the user.
    dm_.Zmieniony = false;
}

void ApplicationFile::OpenApplicationBytes(const QByteArray& bytes) {
    sourceBytes_ = &bytes;
    ScopeExit forget([this] { sourceBytes_ = nullptr; });
    OpenApplicationFile(QString());
}

void ApplicationFile::LoadApplicationFile(const QString& path) {
    dm_.Wczytywanie = true;
    ScopeExit loading([this] { dm_.Wczytywanie = false; });
    std::optional<BusyCursor> cursor(std::in_place, ui_);
    SuspendDataControls(false);
    ScopeExit resume([this] { SuspendDataControls(true); });

    ReadApplicationFile(path);

    dm_.Zmieniony = false;
    FileName = path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
    loading.runNow();
    cursor.reset();
    resume.runNow();
    PostPendingEdits();
}

void ApplicationFile::ReadApplicationFile(const QString& path) {
    if (ClosingByHost) return;
    if (QCoreApplication::instance()) QCoreApplication::processEvents();

    LoadFailed = false;
    const LoadedApplication loaded = openDocument(path);

    FileFormType = loaded.info.value(QStringLiteral("plik"));
    FileVersion = loaded.info.value(QStringLiteral("wersja"));
    FirstVersion = loaded.info.value(QStringLiteral("wersja_p"));
    // A file without a date pattern has its dates reordered by their shape alone.
    xml_.FileDateFormat = loaded.info.value(QStringLiteral("format_daty"));

    if (FileVersion != settings_.moduleVersion)
        addMessage(versionMessage(FileVersion, settings_.moduleVersionText));

    const QString fileWersja = loaded.info.value(QStringLiteral("wersja_slownika_p"));
    const QString fileDbid = loaded.info.value(QStringLiteral("DBID_p"));
    const QString fileSid = loaded.info.value(QStringLiteral("SID_p"));
    if (!fileWersja.isEmpty()) dm_.WersjaSlownikaPliku = fileWersja;
    if (!fileDbid.isEmpty()) dm_.DbidSlownikaPliku = fileDbid;
    if (!fileSid.isEmpty()) dm_.SidSlownikaPliku = fileSid;
    if (dm_.DbidSlownika != fileDbid || dm_.SidSlownika != fileSid)
        addMessage(dictionaryMessage(fileWersja, fileDbid, fileSid, dm_));

    emptyTablesSuppliedBy(dm_, loaded.table);
    if (loaded.hasTable) xml_.readFileTable(loaded.table);
    if (loaded.hasSpecialFields) xml_.readSpecialFields(loaded.specialFields);
}

// The file's contents, or a fresh skeleton's when the file cannot be parsed or has no
// usable structure.
LoadedApplication ApplicationFile::openDocument(const QString& path) {
    xml_.setInfoValues(infoValues());
    try {
        return sourceBytes_ ? xml_.loadFromMemory(*sourceBytes_) : xml_.load(path);
    } catch (const std::exception& e) {
        reportOpenError(QString::fromUtf8(e.what()));
    }
    LoadFailed = true;
    confirmName_ = true;
    return xml_.freshApplication();
}

void ApplicationFile::reportOpenError(const QString& text) {
    if (Silent || text.startsWith(QLatin1String("Hierarchy"))) return;
    if (text.contains(QLatin1String("Parser error")))
        addMessage(kDamagedFile);
    else
        ui_.messageBox(text, QStringLiteral("Zelgor"), MessageIcon::None, MessageButtons::Ok);
}

void ApplicationFile::addMessage(const QString& text) {
    if (!Silent) MessageList << text;
}

bool ApplicationFile::VerifyChecksum() {
    return checksum_.VerifyChecksum(
        {ClosingByHost, LoadFailed, FileVersion, settings_.moduleVersion});
}

// ---------------------------------------------------------------- writing

void ApplicationFile::writeDocument(const QString& path) {
    if (writing_) throw std::logic_error("document already being written");
    writing_ = true;
    SuspendDataControls(false);
    ScopeExit resume([this] {
        SuspendDataControls(true);
        writing_ = false;
    });
    xml_.setInfoValues(infoValues());
    xml_.writeFile(path);
}

bool ApplicationFile::WriteApplicationFile(const QString& path) {
    // The first save of a new application records the version that created it.
    if (FirstVersion.isEmpty()) FirstVersion = settings_.moduleVersion;
    try {
        writeDocument(path);
    } catch (const std::exception& e) {
        ui_.messageBox(QStringLiteral("Nie można zapisać pliku wniosku %1.\r\n\r\n%2")
                           .arg(QDir::toNativeSeparators(path), QString::fromUtf8(e.what())),
                       QStringLiteral("Zelgor"), MessageIcon::Error, MessageButtons::Ok);
        return false;
    }
    dm_.Zmieniony = false;
    return true;
}

void ApplicationFile::RebuildDocument() {
    xml_.setInfoValues(infoValues());
    xml_.rebuildDocument();
}

// ---------------------------------------------------------------- data controls

void ApplicationFile::SuspendDataControls(bool on) {
    if (on) {
        for (DataSet* t : suspended_)
            t->enableControls();
        suspended_.clear();
        return;
    }
    for (const auto& source : dm_.dataSources()) {
        DataSet* t = source->dataSet();
        if (!t || !t->isActive() || alwaysLive(*t)) continue;
        if (std::find(suspended_.begin(), suspended_.end(), t) != suspended_.end()) continue;
        t->disableControls();
        suspended_.push_back(t);
    }
}

bool ApplicationFile::PostPendingEdits() {
    for (const auto& source : dm_.dataSources()) {
        DataSet* t = source->dataSet();
        // One refusal is enough: the rule has named the control to correct.
        if (t && t->isActive() && t->isEditing() && !t->post()) return false;
    }
    return true;
}

// ---------------------------------------------------------------- the checking exports

int32_t runSprawdzSume(TdmDataSets& dm, UserInterface& ui, const QString& path, bool silent) {
    ApplicationFile file(dm, ui, HostSettings::ReadHostSettings());
    file.Silent = silent;
    file.OpenApplicationFile(path);
    return file.VerifyChecksum() ? 1 : 0;
}
