#include "data/IniFile.h"
#include "fb/Win1254.h"
#include "shell/AppPaths.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

// Values are handed over as UTF-8 bytes; SimpleIni need not convert them.
#define SI_NO_CONVERSION
// Debian splits the template bodies off behind this switch; this is the one user of them.
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

struct IniFile::Impl {
    CSimpleIniA ini{false, false, false}; // case-insensitive keys, one value per key
};

IniFile::IniFile(const QString& path) : m_path(path), d(std::make_unique<Impl>())
{
    d->ini.SetSpaces(false);
    if (!m_path.isEmpty())
        load();
}

IniFile::~IniFile() = default;

void IniFile::setPath(const QString& path)
{
    m_path = path;
    load();
}

void IniFile::load()
{
    d->ini.Reset();
    QFile f(m_path);
    if (m_path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return;
    QByteArray raw = f.readAll();
    if (raw.startsWith("\xEF\xBB\xBF"))
        raw.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(raw);
    if (utf8.hasError())
        text = fb::fromWin1254(raw);
    const QByteArray data = text.toUtf8();
    if (d->ini.LoadData(data.constData(), size_t(data.size())) < 0)
        d->ini.Reset();
}

bool IniFile::save() const
{
    std::string out;
    if (d->ini.Save(out) < 0)
        return false;
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(out.data(), qint64(out.size()));
    return f.commit();
}

bool IniFile::hasKey(const QString& section, const QString& key) const
{
    return d->ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData(), nullptr) != nullptr;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const
{
    const char* v = d->ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData(), nullptr);
    return v ? QString::fromUtf8(v) : def;
}

int IniFile::readInt(const QString& section, const QString& key, int def) const
{
    bool ok = false;
    const int v = readString(section, key).trimmed().toInt(&ok);
    return ok ? v : def;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const
{
    const QString v = readString(section, key).trimmed();
    if (v.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 || v == QLatin1String("1"))
        return true;
    if (v.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 || v == QLatin1String("0"))
        return false;
    return def;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    d->ini.SetValue(section.toUtf8().constData(), key.toUtf8().constData(), value.toUtf8().constData());
}

void IniFile::writeInt(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

void IniFile::deleteKey(const QString& section, const QString& key)
{
    d->ini.Delete(section.toUtf8().constData(), key.toUtf8().constData(), true);
}

void IniFile::eraseSection(const QString& section) { d->ini.Delete(section.toUtf8().constData(), nullptr); }

QStringList IniFile::sections() const
{
    CSimpleIniA::TNamesDepend names;
    d->ini.GetAllSections(names);
    names.sort(CSimpleIniA::Entry::LoadOrder());
    QStringList out;
    for (const auto& n : names)
        out << QString::fromUtf8(n.pItem);
    return out;
}

QStringList IniFile::keys(const QString& section) const
{
    CSimpleIniA::TNamesDepend names;
    d->ini.GetAllKeys(section.toUtf8().constData(), names);
    names.sort(CSimpleIniA::Entry::LoadOrder());
    QStringList out;
    for (const auto& n : names)
        out << QString::fromUtf8(n.pItem);
    return out;
}

IniFile& FSAyar()
{
    static IniFile store;
    const QString path = IniDir() + QStringLiteral("Ayar.Ini");
    if (store.path() != path)
        store.setPath(path);
    return store;
}
