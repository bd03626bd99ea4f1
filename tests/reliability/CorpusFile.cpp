#include "CorpusFile.h"

#include <QFile>
#include <QTest>

namespace {

// The end of the braces that open at from, or -1.
qsizetype closingBrace(const QString& text, qsizetype from) {
    int depth = 0;
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('{'))
            ++depth;
        else if (text.at(i) == QLatin1Char('}') && --depth == 0)
            return i;
    }
    return -1;
}

} // namespace

QString unescapeCorpusText(const QString& text) {
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            result += c;
            continue;
        }
        const QChar kind = text.at(++i);
        if (kind == QLatin1Char('0')) {
            result += QChar(0);
        } else if (kind == QLatin1Char('t')) {
            result += QLatin1Char('\t');
        } else if (kind == QLatin1Char('n')) {
            result += QLatin1Char('\n');
        } else if (kind == QLatin1Char('r')) {
            result += QLatin1Char('\r');
        } else if (kind == QLatin1Char('s')) {
            result += QLatin1Char(' ');
        } else if ((kind == QLatin1Char('u') || kind == QLatin1Char('x')) && i + 1 < text.size() &&
                   text.at(i + 1) == QLatin1Char('{')) {
            const qsizetype end = closingBrace(text, i + 1);
            const QString inside = text.mid(i + 2, end - i - 2);
            if (kind == QLatin1Char('u')) {
                const char32_t code = inside.toUInt(nullptr, 16);
                // A lone surrogate is kept as it is: it is one of the things to try.
                if (code >= 0xD800 && code <= 0xDFFF)
                    result += QChar(char16_t(code));
                else
                    result += QString::fromUcs4(&code, 1);
            } else {
                const qsizetype star = inside.indexOf(QLatin1Char('*'));
                result +=
                    unescapeCorpusText(inside.mid(star + 1)).repeated(inside.left(star).toInt());
            }
            i = end;
        } else {
            result += kind; // "\\" and anything unknown
        }
    }
    return result;
}

QList<CorpusEntry> readCorpus(const QString& path) {
    QList<CorpusEntry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QTest::qFail(qPrintable(QStringLiteral("cannot read ") + path), __FILE__, __LINE__);
        return entries;
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines.at(i));
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        entries.append({line.at(0), unescapeCorpusText(line.mid(1)), i + 1});
    }
    return entries;
}

QString visibleText(const QString& text) {
    QString shown;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return QLatin1Char('\'') +
           (shown.size() > 60 ? shown.left(57) + QStringLiteral("...") : shown) + QLatin1Char('\'');
}
