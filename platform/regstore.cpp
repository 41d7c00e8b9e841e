#include "regstore.h"

#include "cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <optional>

namespace {

constexpr char kRoot[] = "HKEY_CURRENT_USER";
constexpr char kHeader[] = "REGEDIT4";
constexpr char kLineEnd[] = "\r\n";
// Another copy holds the lock for a load or a save, or while it tells the
// player the records were erased; past this, waiting would look like a hang.
constexpr int kLockWaitMs = 5000;

// The file is code page 932 text, where the second byte of a double-byte
// character may be a backslash, a bracket or any other ASCII mark; scanning
// a character at a time keeps those from passing for escapes or brackets.
bool isLeadByte(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrailByte(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// How many bytes the character at pos takes.
qsizetype charLength(const QByteArray &s, qsizetype pos)
{
    return pos + 1 < s.size() && isLeadByte(s[pos]) && isTrailByte(s[pos + 1]) ? 2 : 1;
}

QByteArray escaped(const QByteArray &text)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = charLength(text, i);
        if (n == 1 && (text[i] == '\\' || text[i] == '"'))
            out += '\\';
        out += text.mid(i, n);
        i += n;
    }
    return out;
}

// Reads a quoted text starting at pos; leaves pos after the closing quote.
bool takeQuoted(const QByteArray &line, qsizetype &pos, QByteArray &out)
{
    if (pos >= line.size() || line[pos] != '"')
        return false;
    ++pos;
    while (pos < line.size()) {
        const qsizetype n = charLength(line, pos);
        if (n == 2) {
            out += line.mid(pos, 2);
        } else if (line[pos] == '"') {
            ++pos;
            return true;
        } else if (line[pos] == '\\') {
            if (pos + 1 >= line.size() || (line[pos + 1] != '\\' && line[pos + 1] != '"'))
                return false;
            out += line[++pos];
        } else {
            out += line[pos];
        }
        pos += n;
    }
    return false;
}

QList<QByteArray> splitPath(const QByteArray &path)
{
    QList<QByteArray> parts{QByteArray()};
    for (qsizetype i = 0; i < path.size();) {
        const qsizetype n = charLength(path, i);
        if (n == 1 && path[i] == '\\')
            parts.append(QByteArray());
        else
            parts.last() += path.mid(i, n);
        i += n;
    }
    return parts;
}

QStringList decodedPath(const QByteArray &rawPath)
{
    QStringList path;
    for (const QByteArray &part : splitPath(rawPath))
        path.append(cp932::decode(part));
    return path;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// True when path is prefix itself or a key below it.
bool isUnder(const QStringList &path, const QStringList &prefix)
{
    if (path.size() < prefix.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        if (!sameName(path[i], prefix[i]))
            return false;
    }
    return true;
}

bool samePath(const QStringList &a, const QStringList &b)
{
    return a.size() == b.size() && isUnder(a, b);
}

QByteArray encodedName(const QString &name)
{
    const auto bytes = cp932::encode(name);
    if (!bytes)
        throw RegistryError("The name \"" + name.toStdString() + "\" has no code page 932 form.");
    return *bytes;
}

bool isHexDigits(const QByteArray &s)
{
    return !s.isEmpty()
        && std::all_of(s.cbegin(), s.cend(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

// The path of a "[...]" line, or nothing when the line is not one.
std::optional<QByteArray> keyHeader(const QByteArray &line)
{
    qsizetype end = 1;
    while (end < line.size() && !(charLength(line, end) == 1 && line[end] == ']'))
        end += charLength(line, end);
    const QByteArray rawPath = line.mid(1, end - 1);
    // "[-...]" asks an import to delete the key; this file never does.
    if (end != line.size() - 1 || rawPath.isEmpty() || rawPath.startsWith('-'))
        return std::nullopt;
    return rawPath;
}

// Hex bytes as regedit writes them: "hex:61,62" or "hex(2):61,00" after the
// continuation lines have been joined.
bool takeHexBytes(const QByteArray &list, QByteArray &out)
{
    const QByteArray trimmed = list.trimmed();
    if (trimmed.isEmpty())
        return true;
    for (const QByteArray &item : trimmed.split(',')) {
        const QByteArray digits = item.trimmed();
        if (digits.size() > 2 || !isHexDigits(digits))
            return false;
        out += static_cast<char>(digits.toUInt(nullptr, 16));
    }
    return true;
}

// Signed 32-bit decimal: an optional minus and digits, nothing else. Leading
// zeros are still plain decimal; a plus sign is a character the program never
// writes and is refused with spaces and separators.
bool toInt32(const QByteArray &text, std::int32_t &value)
{
    qsizetype i = 0;
    const bool negative = text.startsWith('-');
    if (negative)
        ++i;
    if (i == text.size())
        return false;
    const std::int64_t limit = negative ? std::int64_t(1) << 31 : (std::int64_t(1) << 31) - 1;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            return false;
    }
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

// Writes a new file beside the old one and renames it over it, so that the
// old file stays whole whatever goes wrong. Returns why it failed, or
// nothing.
std::optional<QString> replaceFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return file.errorString();
    // commit() alone misses a write that fails when the buffer is flushed,
    // as on a full disk, and would put the cut file in place. Qt loses the
    // reason on that road, but errno still has it.
    errno = 0;
    if (!file.flush()) {
        const int reason = errno;
        file.cancelWriting();
        return reason != 0 ? QString::fromLocal8Bit(std::strerror(reason)) : file.errorString();
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace

RegIniFile::RegIniFile(const QString &baseKey)
    : m_path(storePath())
    , m_base(QStringList{QLatin1String(kRoot)} + baseKey.split(QLatin1Char('\\'), Qt::SkipEmptyParts))
    , m_lock(m_path + QLatin1String(".lock"))
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    // The lock is held while a message box may be open, for as long as the
    // player likes; only a lock whose owner has died counts as stale.
    m_lock.setStaleLockTime(0);
    if (!m_lock.tryLock(kLockWaitMs) && m_lock.error() == QLockFile::LockFailedError) {
        throw RegistryError("The settings file \"" + QDir::toNativeSeparators(m_path).toStdString()
                            + "\" is in use by another copy of the game.");
    }
    // Any other lock failure means the folder takes no new files: the store
    // can still be read, no other copy can write it either, and a save
    // reports the folder when it fails.
    load();
}

RegIniFile::~RegIniFile() = default;

QString RegIniFile::storePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QLatin1String("/Ravenmoor/registry.reg");
}

void RegIniFile::load()
{
    QFile file(m_path);
    m_existed = file.exists();
    if (m_existed) {
        if (!file.open(QIODevice::ReadOnly)) {
            throw RegistryError("Cannot read the settings file \"" + QDir::toNativeSeparators(m_path).toStdString()
                                + "\": " + file.errorString().toStdString());
        }
        m_original = file.readAll();
        parse(m_original);
    }
    ensureKey(m_base);
}

void RegIniFile::parse(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    // split() leaves an empty piece after the last line end.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    qsizetype i = 0;
    if (!lines.isEmpty() && lines.first().trimmed() == kHeader)
        ++i;
    else
        m_damaged = true;

    Key *current = nullptr;
    for (; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(';'))
            continue;

        if (line.startsWith('[')) {
            const auto rawPath = keyHeader(line);
            current = nullptr;
            if (!rawPath) {
                m_damaged = true;
                continue;
            }
            const QStringList path = decodedPath(*rawPath);
            auto found = std::find_if(m_keys.begin(), m_keys.end(),
                                      [&](const Key &key) { return samePath(key.path, path); });
            if (found == m_keys.end()) {
                m_keys.push_back(Key{*rawPath, path, {}});
                current = &m_keys.back();
            } else {
                current = &*found;
            }
            continue;
        }

        Value value;
        if (!takeValue(lines, i, value) || !current) {
            m_damaged = true;
            continue;
        }
        // As on import, a later entry of the same name wins.
        auto same = std::find_if(current->values.begin(), current->values.end(),
                                 [&](const Value &v) { return sameName(v.name, value.name); });
        if (same == current->values.end())
            current->values.push_back(std::move(value));
        else
            *same = std::move(value);
    }
}

bool RegIniFile::takeValue(const QList<QByteArray> &lines, qsizetype &i, Value &value)
{
    const QByteArray line = lines[i].trimmed();
    value.rawLines = lines[i];
    qsizetype pos = 0;
    if (line.startsWith('@')) {
        pos = 1;
    } else {
        if (!takeQuoted(line, pos, value.rawName))
            return false;
        value.name = cp932::decode(value.rawName);
    }
    const qsizetype eq = line.indexOf('=', pos);
    if (eq < 0 || !line.mid(pos, eq - pos).trimmed().isEmpty())
        return false;
    QByteArray data = line.mid(eq + 1).trimmed();

    if (data.startsWith('"')) {
        value.kind = Kind::String;
        qsizetype at = 0;
        return takeQuoted(data, at, value.text) && data.mid(at).trimmed().isEmpty();
    }
    const QByteArray lower = data.toLower();
    if (lower.startsWith("dword:")) {
        const QByteArray digits = data.mid(6);
        return !digits.isEmpty() && digits.size() <= 8 && isHexDigits(digits);
    }
    if (!lower.startsWith("hex"))
        return false;

    while (data.endsWith('\\') && i + 1 < lines.size()) {
        ++i;
        value.rawLines += kLineEnd + lines[i];
        data.chop(1);
        data += lines[i].trimmed();
    }
    const qsizetype colon = data.indexOf(':');
    if (colon < 0 || data.endsWith('\\'))
        return false;
    const QByteArray type = data.mid(3, colon - 3);
    if (!type.isEmpty() && !(type.startsWith('(') && type.endsWith(')') && isHexDigits(type.mid(1, type.size() - 2))))
        return false;
    QByteArray bytes;
    if (!takeHexBytes(data.mid(colon + 1), bytes))
        return false;
    // REG_SZ and REG_EXPAND_SZ in hex form are the string's bytes with its
    // NUL; anything else is not text.
    if (type == "(1)")
        value.kind = Kind::String;
    else if (type == "(2)")
        value.kind = Kind::ExpandString;
    const qsizetype nul = bytes.indexOf('\0');
    value.text = nul >= 0 ? bytes.left(nul) : bytes;
    return true;
}

QByteArray RegIniFile::serialize() const
{
    QByteArray out = QByteArray(kHeader) + kLineEnd + kLineEnd;
    for (const Key &key : m_keys) {
        out += '[' + key.rawPath + ']' + kLineEnd;
        for (const Value &value : key.values) {
            if (!value.changed) {
                out += value.rawLines + kLineEnd;
                continue;
            }
            const QByteArray name = value.name.isEmpty() ? QByteArray("@") : '"' + escaped(value.rawName) + '"';
            out += name + "=\"" + escaped(value.text) + '"' + kLineEnd;
        }
        out += kLineEnd;
    }
    return out;
}

QStringList RegIniFile::fullPath(const QString &section) const
{
    return m_base + section.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

const RegIniFile::Value *RegIniFile::findValue(const QString &section, const QString &name) const
{
    const QStringList path = fullPath(section);
    for (const Key &key : m_keys) {
        if (!samePath(key.path, path))
            continue;
        for (const Value &value : key.values) {
            if (sameName(value.name, name))
                return &value;
        }
    }
    return nullptr;
}

RegIniFile::Key &RegIniFile::ensureKey(const QStringList &path)
{
    auto found = std::find_if(m_keys.begin(), m_keys.end(), [&](const Key &key) { return samePath(key.path, path); });
    if (found != m_keys.end())
        return *found;

    // Below the base key the parent's name is taken as stored, with its case.
    const bool belowBase = path.size() > m_base.size();
    const QStringList parent = path.mid(0, path.size() - 1);
    QByteArray rawPath;
    if (belowBase) {
        rawPath = ensureKey(parent).rawPath + '\\' + encodedName(path.last());
    } else {
        for (const QString &part : path)
            rawPath += (rawPath.isEmpty() ? QByteArray() : QByteArray("\\")) + encodedName(part);
    }

    // The file reads as a tree: a new key goes before its own subkeys, if
    // any came without it, else after its parent's last subkey.
    auto at = std::find_if(m_keys.begin(), m_keys.end(), [&](const Key &key) { return isUnder(key.path, path); });
    if (at == m_keys.end() && belowBase) {
        at = std::find_if(m_keys.rbegin(), m_keys.rend(), [&](const Key &key) { return isUnder(key.path, parent); })
                 .base();
    }

    m_changed = true;
    return *m_keys.insert(at, Key{rawPath, path, {}});
}

bool RegIniFile::ReadBool(const QString &section, const QString &name, bool def) const
{
    return ReadInteger(section, name, def ? 1 : 0) != 0;
}

std::int32_t RegIniFile::ReadInteger(const QString &section, const QString &name, std::int32_t def) const
{
    const Value *value = findValue(section, name);
    std::int32_t result = def;
    if (value && value->kind != Kind::Other && toInt32(value->text, result))
        return result;
    return def;
}

QByteArray RegIniFile::ReadString(const QString &section, const QString &name, const QByteArray &def) const
{
    const Value *value = findValue(section, name);
    return value && value->kind != Kind::Other ? value->text : def;
}

void RegIniFile::WriteBool(const QString &section, const QString &name, bool value)
{
    writeText(section, name, value ? "1" : "0");
}

void RegIniFile::WriteInteger(const QString &section, const QString &name, std::int32_t value)
{
    writeText(section, name, QByteArray::number(value));
}

void RegIniFile::WriteString(const QString &section, const QString &name, const QByteArray &value)
{
    writeText(section, name, value);
}

void RegIniFile::writeText(const QString &section, const QString &name, const QByteArray &text)
{
    // The registry keeps a string up to its NUL.
    const qsizetype nul = text.indexOf('\0');
    const QByteArray kept = nul >= 0 ? text.left(nul) : text;

    Key &key = ensureKey(fullPath(section));
    auto found = std::find_if(key.values.begin(), key.values.end(),
                              [&](const Value &v) { return sameName(v.name, name); });
    if (found == key.values.end()) {
        key.values.push_back(Value{encodedName(name), name, Kind::String, kept, {}, true});
        m_changed = true;
        return;
    }
    if (found->kind == Kind::String && found->text == kept)
        return;
    found->kind = Kind::String;
    found->text = kept;
    found->changed = true;
    m_changed = true;
}

void RegIniFile::EraseSection(const QString &section)
{
    const QStringList path = fullPath(section);
    const auto removed = std::remove_if(m_keys.begin(), m_keys.end(),
                                        [&](const Key &key) { return isUnder(key.path, path); });
    if (removed != m_keys.end())
        m_changed = true;
    m_keys.erase(removed, m_keys.end());
    ensureKey(m_base);
}

void RegIniFile::close()
{
    if (m_closed)
        return;
    if (m_changed || !m_existed) {
        const std::string shown = QDir::toNativeSeparators(m_path).toStdString();
        QDir().mkpath(QFileInfo(m_path).absolutePath());

        // What could not be read must not vanish with the rewrite.
        if (m_damaged && !m_original.isEmpty()) {
            const QString bad = m_path + QLatin1String(".bad");
            if (const auto error = replaceFile(bad, m_original)) {
                throw RegistryError("Cannot keep the unreadable settings file \"" + shown + "\" aside as \""
                                    + QDir::toNativeSeparators(bad).toStdString() + "\": " + error->toStdString());
            }
        }
        if (const auto error = replaceFile(m_path, serialize()))
            throw RegistryError("Cannot write the settings file \"" + shown + "\": " + error->toStdString());
        m_damaged = false;
        m_original.clear();
        m_existed = true;
        m_changed = false;
    }
    m_lock.unlock();
    m_closed = true;
}
