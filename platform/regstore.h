#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <stdexcept>
#include <vector>

class RegistryError : public std::runtime_error {
public:
    using runtime_error::runtime_error;
};

// The user's part of the registry, kept as one REGEDIT4 file that regedit can
// import. Sections are key paths below the base key ("Moxagame\\HighScore1");
// texts are code page 932 bytes as held. Everything the program does not know
// is carried through a save untouched.
class RegIniFile {
public:
    // Takes the lock, reads the file and creates the base key if it is missing.
    explicit RegIniFile(const QString &baseKey);
    ~RegIniFile();

    RegIniFile(const RegIniFile &) = delete;
    RegIniFile &operator=(const RegIniFile &) = delete;

    static QString storePath();

    bool ReadBool(const QString &section, const QString &name, bool def) const;
    std::int32_t ReadInteger(const QString &section, const QString &name, std::int32_t def) const;
    QByteArray ReadString(const QString &section, const QString &name, const QByteArray &def) const;
    void WriteBool(const QString &section, const QString &name, bool value);
    void WriteInteger(const QString &section, const QString &name, std::int32_t value);
    void WriteString(const QString &section, const QString &name, const QByteArray &value);
    // The key and everything below it; the base key stays.
    void EraseSection(const QString &section);
    // Writes the whole file at once when anything changed, then lets go of
    // the lock. Throws RegistryError when the file cannot be written.
    void close();

private:
    enum class Kind { String, ExpandString, Other };
    struct Value {
        QByteArray rawName;     // as in the file, without quotes
        QString name;           // for comparing
        Kind kind = Kind::Other;
        QByteArray text;        // the string's bytes up to the first NUL
        QByteArray rawLines;    // the entry as read, written back unless changed
        bool changed = false;
    };
    struct Key {
        QByteArray rawPath;     // as in the file, without brackets
        QStringList path;       // components, for comparing
        std::vector<Value> values;
    };

    void load();
    void parse(const QByteArray &bytes);
    // One value entry at lines[i], with its continuation lines; leaves i on
    // the entry's last line.
    static bool takeValue(const QList<QByteArray> &lines, qsizetype &i, Value &value);
    QByteArray serialize() const;
    QStringList fullPath(const QString &section) const;
    const Value *findValue(const QString &section, const QString &name) const;
    Key &ensureKey(const QStringList &path);
    void writeText(const QString &section, const QString &name, const QByteArray &text);

    QString m_path;
    QStringList m_base;
    QLockFile m_lock;
    std::vector<Key> m_keys;
    QByteArray m_original;      // the file's bytes, kept aside if it was damaged
    bool m_existed = false;
    bool m_damaged = false;
    bool m_changed = false;
    bool m_closed = false;
};
