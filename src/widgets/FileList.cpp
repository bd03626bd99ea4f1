#include "widgets/FileList.h"

#include "widgets/FolderScan.h"
#include "widgets/NameOrder.h"

namespace {

// '*' matches any run of characters, '?' any one; both strings already case-folded. When a
// literal fails, the last '*' takes one more character, so the cost stays linear in practice.
bool wildcardMatch(QStringView name, QStringView pattern) {
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starP = -1;
    qsizetype starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

// Leaves the names that match the pattern, in name order.
void sortMatching(QStringList& names, const QString& pattern) {
    if (pattern.isEmpty()) {
        NameOrder::sort(names);
    } else {
        // Matching the keys the sort folds anyway saves folding every name twice.
        const QString folded = NameOrder::key(pattern);
        NameOrder::sort(names, [&folded](QStringView key) { return wildcardMatch(key, folded); });
    }
}

} // namespace

FileList::FileList(QWidget* parent)
    : ListBox(parent) {}

void FileList::setPattern(const QString& pattern) {
    if (pattern == m_pattern)
        return;
    m_pattern = pattern;
    if (!m_folder.isEmpty())
        refresh();
}

void FileList::setFolder(const QString& folder) {
    m_folder = folder;
    refresh();
}

void FileList::refresh() {
    const bool readBefore = !m_scanFolder.isEmpty() && m_scanFolder == m_folder &&
                            m_scanPattern == m_pattern && m_scanRevision == revision();
    FolderScan::Changes changes;
    std::optional<QStringList> scan =
        readBefore ? FolderScan::reread(m_folder, FolderScan::Kind::Files, m_scan, changes)
                   : FolderScan::read(m_folder, FolderScan::Kind::Files);
    if (!scan || !readBefore || !showChanges(changes)) {
        const QString selected = selectedName();
        QStringList names = scan ? *scan : QStringList();
        sortMatching(names, m_pattern);
        const int keep = selected.isEmpty() ? -1 : int(names.indexOf(selected));
        setItems(std::move(names));
        if (keep >= 0)
            selectRow(keep);
    }
    m_scan = scan ? std::move(*scan) : QStringList();
    m_scanFolder = scan ? m_folder : QString();
    m_scanPattern = m_pattern;
    m_scanRevision = revision();
}

// Removes and inserts the rows of the few names that changed; false when the whole list is
// better filled again.
bool FileList::showChanges(const FolderScan::Changes& changes) {
    constexpr qsizetype MostChanges = 64;
    if (changes.added.size() + changes.removed.size() > MostChanges || isTruncated() ||
        count() + changes.added.size() > maxEntries)
        return false;
    for (const QString& name : changes.removed) {
        if (!matchesPattern(name, m_pattern))
            continue;
        const int row = orderedRowOf(name);
        if (row < 0)
            return false;
        removeRow(row);
    }
    for (const QString& name : changes.added) {
        if (matchesPattern(name, m_pattern))
            insertRow(orderedRowFor(name), name);
    }
    return true;
}

QString FileList::pathOf(const QString& name) const {
    return FolderScan::join(m_folder, name);
}

bool FileList::matchesPattern(const QString& name, const QString& pattern) {
    return pattern.isEmpty() || wildcardMatch(NameOrder::key(name), NameOrder::key(pattern));
}

QStringList FileList::listFolder(const QString& folder, const QString& pattern) {
    std::optional<QStringList> names = FolderScan::read(folder, FolderScan::Kind::Files);
    if (!names)
        return {};
    sortMatching(*names, pattern);
    return std::move(*names);
}
