// The file lists' name pattern ("*.mp3*", case-insensitive) on any name and pattern: it agrees
// with a plain dynamic-programming matcher. The input is the pattern, a line feed, the name.
#include "FuzzCheck.h"

#include "widgets/FileList.h"

#include <QList>

#include <cstdint>

namespace {

// Case-insensitive, as the lists compare names: each UTF-16 unit folded on its own.
QString folded(const QString& text) {
    QString result = text;
    for (QChar& c : result)
        c = QChar(QChar::toCaseFolded(c.unicode()));
    return result;
}

// Whether name matches pattern, where '*' stands for any run of characters and '?' for one.
bool reference(const QString& name, const QString& pattern) {
    // matches[j]: the name's first i characters match the pattern's first j.
    QList<bool> matches(pattern.size() + 1, false);
    matches[0] = true;
    for (qsizetype j = 1; j <= pattern.size(); ++j)
        matches[j] = matches[j - 1] && pattern[j - 1] == QLatin1Char('*');
    for (qsizetype i = 1; i <= name.size(); ++i) {
        bool diagonal = matches[0];
        matches[0] = false;
        for (qsizetype j = 1; j <= pattern.size(); ++j) {
            const bool above = matches[j];
            if (pattern[j - 1] == QLatin1Char('*'))
                matches[j] = matches[j] || matches[j - 1];
            else
                matches[j] = diagonal &&
                             (pattern[j - 1] == QLatin1Char('?') || pattern[j - 1] == name[i - 1]);
            diagonal = above;
        }
    }
    return matches[pattern.size()];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = bytes.indexOf('\n');
    if (split < 0)
        return 0;
    const QString pattern = QString::fromUtf8(bytes.left(split));
    const QString name = QString::fromUtf8(bytes.mid(split + 1));
    // Names of files are short; the reference matcher takes time in both lengths.
    if (pattern.size() > 300 || name.size() > 300)
        return 0;

    const bool matched = FileList::matchesPattern(name, pattern);
    require(matched == (pattern.isEmpty() || reference(folded(name), folded(pattern))),
            "the pattern matches as the reference matcher says");
    require(FileList::matchesPattern(name, QStringLiteral("*")), "'*' matches every name");
    if (!name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?')))
        require(FileList::matchesPattern(name, name), "a name matches itself");
    return 0;
}
