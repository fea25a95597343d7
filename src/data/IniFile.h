#pragma once
// The one settings store: every INI and name=value file of the program goes through it.
// Values are kept in memory until save(); files are written as UTF-8 and read as UTF-8 or,
// from older installations, as Windows-1254.
#include <QString>
#include <QStringList>

#include <memory>

class IniFile {
public:
    explicit IniFile(const QString& path = QString());
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    const QString& path() const { return m_path; }
    // Reads the file again; a missing or unreadable file leaves the store empty.
    void load();
    void setPath(const QString& path); // and load it
    // Writes every value to the file; false when it could not be written.
    bool save() const;

    bool hasKey(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& def = QString()) const;
    int readInt(const QString& section, const QString& key, int def = 0) const;
    // "True"/"False" as Delphi writes them; "1"/"0" are read too.
    bool readBool(const QString& section, const QString& key, bool def = false) const;
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInt(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);
    void deleteKey(const QString& section, const QString& key);
    void eraseSection(const QString& section);

    QStringList sections() const;
    QStringList keys(const QString& section) const; // in file order

private:
    struct Impl;
    QString m_path;
    std::unique_ptr<Impl> d;
};

// The main window's form storage: IniDir + "Ayar.Ini", section "TAnaF". Follows IniDir when
// it changes (tests point TAVRION_HOME elsewhere).
IniFile& FSAyar();
inline const QString kAyarSection = QStringLiteral("TAnaF");
