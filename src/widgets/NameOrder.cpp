#include "widgets/NameOrder.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <vector>

namespace {

// One character at a time with an ASCII shortcut: several times faster than
// QString::toCaseFolded, which matters when a folder holds tens of thousands of names.
void fold(QStringView name, char16_t* out) {
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c < 0x80)
            out[i] = c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
        else
            out[i] = QChar::toCaseFolded(c);
    }
}

// Music folders are full of names that share a long beginning ("Artist - Album - "): a head
// shorter than that leaves most comparisons to the key buffer, which the cache does not hold.
constexpr size_t HeadWords = 4;
constexpr size_t HeadLength = HeadWords * 8;
constexpr size_t RetainedKeyChars = size_t(1) << 21; // about 80,000 names

// The start of a key, held in the sort entry itself so that most comparisons never touch the
// key buffer: the first thirty-two key characters as bytes, compared as four integers. A
// character beyond a byte saturates the rest of the head, so heads that differ always order
// their names the way the full keys do, and equal heads fall back to the keys.
struct Entry {
    quint64 head[HeadWords];
    quint32 offset; // of the key in the shared key buffer
    quint32 length;
    quint32 index; // of the name
};

void setHead(Entry& entry, std::u16string_view key) {
    quint64 head[HeadWords] = {};
    bool saturated = false;
    for (size_t i = 0; i < HeadLength; ++i) {
        quint64 byte = 0; // past the end: shorter names first
        if (saturated || (i < key.size() && key[i] >= 0xFF)) {
            saturated = true;
            byte = 0xFF;
        } else if (i < key.size()) {
            byte = key[i];
        }
        head[i / 8] = (head[i / 8] << 8) | byte;
    }
    std::copy(std::begin(head), std::end(head), std::begin(entry.head));
}

} // namespace

namespace NameOrder {

QString key(const QString& name) {
    QString folded(name.size(), Qt::Uninitialized);
    fold(name, reinterpret_cast<char16_t*>(folded.data()));
    return folded;
}

bool less(const QString& a, const QString& b) {
    const int order = key(a).compare(key(b));
    return order != 0 ? order < 0 : a < b;
}

void sort(QStringList& names, const std::function<bool(QStringView key)>& keep) {
    // The working memory is kept between calls: for a folder of tens of thousands of names,
    // touching fresh pages costs more than the sort itself.
    thread_local std::vector<char16_t> keys;
    thread_local std::vector<Entry> entries;
    thread_local std::vector<quint32> dropped;
    thread_local std::vector<quint32> sources;

    size_t total = 0;
    for (const QString& name : std::as_const(names))
        total += size_t(name.size());
    keys.resize(total);
    entries.clear();
    entries.reserve(size_t(names.size()));
    dropped.clear();
    quint32 offset = 0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString& name = names.at(i);
        char16_t* folded = keys.data() + offset;
        fold(name, folded);
        if (keep && !keep(QStringView(folded, name.size()))) {
            dropped.push_back(quint32(i));
            continue;
        }
        Entry& entry = entries.emplace_back();
        setHead(entry, std::u16string_view(folded, size_t(name.size())));
        entry.offset = offset;
        entry.length = quint32(name.size());
        entry.index = quint32(i);
        offset += quint32(name.size());
    }
    std::sort(entries.begin(), entries.end(), [&names](const Entry& a, const Entry& b) {
        for (size_t word = 0; word < HeadWords; ++word) {
            if (a.head[word] != b.head[word])
                return a.head[word] < b.head[word];
        }
        const std::u16string_view keyA(keys.data() + a.offset, a.length);
        const std::u16string_view keyB(keys.data() + b.offset, b.length);
        const int order = keyA.compare(keyB);
        return order != 0 ? order < 0 : names.at(a.index) < names.at(b.index);
    });

    // Move the kept names to the front in order, in place rather than into a second list:
    // position i takes the name at sources[i], and the dropped names fill the tail.
    constexpr quint32 Done = ~quint32(0);
    sources.clear();
    for (const Entry& entry : entries)
        sources.push_back(entry.index);
    sources.insert(sources.end(), dropped.begin(), dropped.end());
    for (size_t start = 0; start < sources.size(); ++start) {
        if (sources[start] == Done || sources[start] == start)
            continue;
        QString carried = std::move(names[qsizetype(start)]);
        size_t at = start;
        while (sources[at] != start) {
            const size_t from = sources[at];
            names[qsizetype(at)] = std::move(names[qsizetype(from)]);
            sources[at] = Done;
            at = from;
        }
        names[qsizetype(at)] = std::move(carried);
        sources[at] = Done;
    }
    names.resize(qsizetype(entries.size()));

    // A one-off giant folder should not pin its working memory for good.
    if (keys.capacity() > RetainedKeyChars) {
        keys = {};
        entries = {};
        dropped = {};
        sources = {};
    }
}

} // namespace NameOrder
