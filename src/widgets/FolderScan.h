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

// folder + "/" + name, without doubling a separator the folder already ends in.
QString join(const QString& folder, const QString& name);

} // namespace FolderScan
