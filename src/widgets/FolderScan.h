#pragma once

#include <QStringList>
#include <optional>

// Fast reading of one folder's visible names, shared by the file and folder lists.
namespace FolderScan {

enum class Kind { Files, Folders };

// The names (not paths) of the entries of the given kind in folder, unsorted. Hidden (dot)
// entries are left out; a symbolic link counts as what it points to. nullopt when the folder
// cannot be opened.
std::optional<QStringList> read(const QString& folder, Kind kind);

// What a read found changed against an earlier read of the same folder.
struct Changes {
    QStringList added;
    QStringList removed;
};

// As read(), for a folder read before: a name still there keeps its string from previous, so
// an unchanged folder is read without building a single new string, and changes says what
// differs. Reading the same folder twice gives its entries in the same order, which lets each
// name be found near where it was.
std::optional<QStringList> reread(const QString& folder, Kind kind, const QStringList& previous,
                                  Changes& changes);

// folder + "/" + name, without doubling a separator the folder already ends in.
QString join(const QString& folder, const QString& name);

} // namespace FolderScan
