#include "platform/dataset/field.h"

#include "platform/dataset/dataset.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>
#include <limits>

namespace {

const char* const kDatePattern = "yyyy.MM.dd";

QString typeName(FieldType t) {
    switch (t) {
    case FieldType::String:
        return QStringLiteral("tekst");
    case FieldType::Integer:
        return QStringLiteral("liczba całkowita");
    case FieldType::Int64:
        return QStringLiteral("liczba całkowita");
    case FieldType::Float:
        return QStringLiteral("liczba");
    case FieldType::Date:
        return QStringLiteral("data");
    case FieldType::Boolean:
        return QStringLiteral("wartość logiczna");
    }
    return {};
}

[[noreturn]] void badValue(FieldType t, const QString& text) {
    throw DataSetError(QStringLiteral("'%1' nie jest poprawną wartością (%2)")
                           .arg(text, typeName(t))
                           .toStdString());
}

qint64 parseInteger(FieldType t, const QString& text) {
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok) badValue(t, text);
    if (t == FieldType::Integer &&
        (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max()))
        badValue(t, text);
    return v;
}

double parseFloat(const QString& text) {
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v)) badValue(FieldType::Float, text);
    return v;
}

QDate parseDate(const QString& text) {
    const QDate d = QDate::fromString(text.trimmed(), QLatin1String(kDatePattern));
    if (!d.isValid()) badValue(FieldType::Date, text);
    return d;
}

bool parseBoolean(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("1")) return true;
    if (t == QLatin1String("false") || t == QLatin1String("0")) return false;
    badValue(FieldType::Boolean, text);
}

bool isTextVariant(const QVariant& v) {
    const int id = v.typeId();
    return id == QMetaType::QString || id == QMetaType::QByteArray || id == QMetaType::QChar;
}

} // namespace

namespace FieldText {

QString formatFloat(double v) {
    // General format with up to 15 significant digits, "," as decimal separator,
    // exponent written as E followed by the bare exponent (1E20, 1E-6).
    QString s = QString::number(v, 'g', 15);
    const int e = s.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        QString mant = s.left(e);
        QString exp = s.mid(e + 1);
        const bool neg = exp.startsWith(QLatin1Char('-'));
        if (exp.startsWith(QLatin1Char('+')) || neg) exp.remove(0, 1);
        while (exp.size() > 1 && exp.startsWith(QLatin1Char('0')))
            exp.remove(0, 1);
        s = mant + QLatin1Char('E') + (neg ? QStringLiteral("-") : QString()) + exp;
    }
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

QString format(FieldType type, const QVariant& v) {
    if (!v.isValid()) return {};
    switch (type) {
    case FieldType::String:
        return v.toString();
    case FieldType::Integer:
    case FieldType::Int64:
        return QString::number(v.toLongLong());
    case FieldType::Float:
        return formatFloat(v.toDouble());
    case FieldType::Date:
        return v.toDate().toString(QLatin1String(kDatePattern));
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    }
    return {};
}

QVariant parse(FieldType type, const QString& text) {
    if (type == FieldType::String) return QVariant(text.isNull() ? QStringLiteral("") : text);
    if (text.trimmed().isEmpty()) return {};
    switch (type) {
    case FieldType::Integer:
        return QVariant(qint32(parseInteger(type, text)));
    case FieldType::Int64:
        return QVariant(parseInteger(type, text));
    case FieldType::Float:
        return QVariant(parseFloat(text));
    case FieldType::Date:
        return QVariant(parseDate(text));
    case FieldType::Boolean:
        return QVariant(parseBoolean(text));
    case FieldType::String:
        break;
    }
    return {};
}

QVariant coerce(FieldType type, int size, const QVariant& v) {
    if (!v.isValid()) return {};
    if (type == FieldType::String) {
        QString s;
        if (isTextVariant(v))
            s = v.toString();
        else if (v.typeId() == QMetaType::Double)
            s = formatFloat(v.toDouble());
        else if (v.typeId() == QMetaType::QDate)
            s = format(FieldType::Date, v);
        else
            s = v.toString();
        if (size > 0 && s.size() > size) s.truncate(size);
        return QVariant(s);
    }
    if (isTextVariant(v)) return parse(type, v.toString());
    bool ok = true;
    switch (type) {
    case FieldType::Integer:
    case FieldType::Int64: {
        qint64 n = 0;
        if (v.typeId() == QMetaType::Double) {
            const double d = v.toDouble();
            if (!std::isfinite(d) || std::abs(d) > 9.2e18)
                ok = false;
            else
                n = qint64(std::llround(d));
        } else if (v.typeId() == QMetaType::Bool) {
            n = v.toBool() ? 1 : 0;
        } else {
            n = v.toLongLong(&ok);
        }
        if (!ok) badValue(type, v.toString());
        if (type == FieldType::Integer) {
            if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
                badValue(type, QString::number(n));
            return QVariant(qint32(n));
        }
        return QVariant(n);
    }
    case FieldType::Float: {
        const double d = v.toDouble(&ok);
        if (!ok) badValue(type, v.toString());
        return QVariant(d);
    }
    case FieldType::Date:
        if (v.typeId() == QMetaType::QDate) return v;
        if (v.typeId() == QMetaType::QDateTime) return QVariant(v.toDateTime().date());
        badValue(type, v.toString());
    case FieldType::Boolean:
        if (v.typeId() == QMetaType::Bool) return v;
        return QVariant(v.toLongLong() != 0);
    case FieldType::String:
        break;
    }
    return {};
}

} // namespace FieldText

Field::Field(DataSet* owner, FieldDef def, int index)
    : owner_(owner), def_(std::move(def)), index_(index) {}

bool Field::isNumeric() const {
    return def_.type == FieldType::Integer || def_.type == FieldType::Int64 ||
           def_.type == FieldType::Float;
}

QVariant Field::value() const {
    return owner_->currentValue(*this);
}

bool Field::isNull() const {
    return !value().isValid();
}

QString Field::asString() const {
    return FieldText::format(def_.type, value());
}

qint64 Field::asInteger() const {
    const QVariant v = value();
    if (!v.isValid()) return 0;
    if (def_.type == FieldType::String) return parseInteger(FieldType::Int64, v.toString());
    if (def_.type == FieldType::Float) return qint64(std::llround(v.toDouble()));
    return v.toLongLong();
}

double Field::asFloat() const {
    const QVariant v = value();
    if (!v.isValid()) return 0.0;
    if (def_.type == FieldType::String) {
        if (v.toString().trimmed().isEmpty()) return 0.0;
        return parseFloat(v.toString());
    }
    if (def_.type == FieldType::Date) return double(v.toDate().toJulianDay());
    return v.toDouble();
}

QDate Field::asDate() const {
    const QVariant v = value();
    if (!v.isValid()) return {};
    if (def_.type == FieldType::String) return parseDate(v.toString());
    return v.toDate();
}

bool Field::asBoolean() const {
    const QVariant v = value();
    if (!v.isValid()) return false;
    if (def_.type == FieldType::String) return parseBoolean(v.toString());
    return v.toBool();
}

void Field::setValue(const QVariant& v) {
    owner_->assign(*this, FieldText::coerce(def_.type, def_.size, v));
}

void Field::setAsString(const QString& text) {
    owner_->assign(*this, FieldText::coerce(def_.type, def_.size, QVariant(text)));
}
