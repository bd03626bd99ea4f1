#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The one alphabetical order used by every list of names: case-insensitive, with names that
// differ only in case kept in a fixed order so a re-read never reshuffles them.
namespace NameOrder {

// The case-folded form of name that the order compares; case-insensitive matching compares
// the same form.
QString key(const QString& name);

bool less(const QString& a, const QString& b);

// Sorts names into the order. When keep is given, names whose key it rejects are dropped on
// the way, so a filter costs no second folding of every name.
void sort(QStringList& names, const std::function<bool(QStringView key)>& keep = {});

} // namespace NameOrder
