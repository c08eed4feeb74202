#include "platform/hostenv/hostregistry.h"

#include "platform/hostenv/pathtext.h"

#include <QDir>
#include <QSettings>
#include <QStringList>

namespace {

QString keyOf(const QString& name) {
    return QLatin1String(HostRegistry::Group) + QLatin1Char('/') + name;
}

} // namespace

QString HostRegistry::defaultFilePath() {
    const QString named = qEnvironmentVariable("ZELGR_REGISTRY");
    if (!named.isEmpty()) return named;
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty()) configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/Zelgor/registry.ini");
}

HostRegistry::HostRegistry() : filePath_(defaultFilePath()) {}

HostRegistry::HostRegistry(QString filePath) : filePath_(std::move(filePath)) {}

QString HostRegistry::readString(const QString& name) const {
    if (filePath_.isEmpty()) return {};
    // A fresh QSettings per access: the host may change the file between calls.
    const QSettings settings(filePath_, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) return {};
    return settings.value(keyOf(name)).toString();
}

bool HostRegistry::writeString(const QString& name, const QString& value) const {
    if (filePath_.isEmpty()) return false;
    QSettings settings(filePath_, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) return false;
    settings.setValue(keyOf(name), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString HostRegistry::binFolder() const {
    return HostEnv::withoutTrailingSeparator(readString(QLatin1String(ValueBin)));
}

QString HostShowPlace::toText() const {
    if (file.isEmpty()) return {};
    return QStringList{QString::number(record), table, field, control, file}.join(u'|');
}

HostShowPlace HostShowPlace::fromText(const QString& text) {
    // Names hold no '|'; the path, last, may.
    const QStringList parts = text.split(u'|');
    HostShowPlace place;
    bool number = false;
    if (parts.size() < 5) return place;
    place.record = parts[0].toInt(&number);
    if (!number || place.record < 0) return {};
    place.table = parts[1];
    place.field = parts[2];
    place.control = parts[3];
    place.file = parts.mid(4).join(u'|');
    return place;
}
