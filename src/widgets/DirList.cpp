#include "widgets/DirList.h"

#include "widgets/FolderScan.h"
#include "widgets/NameOrder.h"

#include <QDir>
#include <QStyledItemDelegate>

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int DepthRole = Qt::UserRole + 1;
constexpr int IndentStep = 12;

// Shifts each row right by its depth so the list reads as a tree opened down one path.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + indent(index));
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(index), 0);
    }

private:
    static int indent(const QModelIndex& index) {
        return index.data(DepthRole).toInt() * IndentStep;
    }
};

QString parentOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

QString labelOf(const QString& path) {
    return path == QLatin1String("/") ? path : path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// The subfolders of folder as full paths, alphabetical; nullopt when it cannot be read.
std::optional<QStringList> readSubfolders(const QString& folder) {
    std::optional<QStringList> names = FolderScan::read(folder, FolderScan::Kind::Folders);
    if (!names)
        return std::nullopt;
    NameOrder::sort(*names);
    for (QString& name : *names)
        name = FolderScan::join(folder, name);
    return names;
}

} // namespace

DirList::DirList(QWidget* parent)
    : QListWidget(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new IndentDelegate(this));
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const QString target = item->data(PathRole).toString();
        // setPath rebuilds the rows, deleting item: nothing may touch it afterwards.
        if (!setPath(target))
            emit openFailed(target);
    });
}

bool DirList::setPath(const QString& path) {
    if (path.isEmpty())
        return false;
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    std::optional<QStringList> subfolders = readSubfolders(clean);
    if (!subfolders)
        return false;
    m_path = clean;
    m_subfolders = std::move(*subfolders);
    rebuildRows();
    emit pathChanged(m_path);
    return true;
}

void DirList::refresh() {
    if (m_path.isEmpty())
        return;
    // A folder that vanished since it was opened simply has no subfolders any more.
    m_subfolders = readSubfolders(m_path).value_or(QStringList());
    rebuildRows();
}

QString DirList::entry(int index) const {
    return index >= 0 && index < m_subfolders.size() ? m_subfolders.at(index) : QString();
}

void DirList::rebuildRows() {
    QListWidget::clear();
    QStringList chain;
    for (QString folder = m_path;; folder = parentOf(folder)) {
        chain.prepend(folder);
        if (folder == QLatin1String("/"))
            break;
    }
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    auto addRow = [this](const QString& folder, int depth, const QIcon& icon) {
        auto* row = new QListWidgetItem(icon, labelOf(folder), this);
        row->setData(PathRole, folder);
        row->setData(DepthRole, depth);
        row->setToolTip(folder);
        return row;
    };
    for (int depth = 0; depth < chain.size() - 1; ++depth)
        addRow(chain.at(depth), depth, closedIcon);
    QListWidgetItem* current = addRow(m_path, int(chain.size()) - 1, openIcon);
    QFont bold = font();
    bold.setBold(true);
    current->setFont(bold);
    for (const QString& folder : std::as_const(m_subfolders))
        addRow(folder, int(chain.size()), closedIcon);
    scrollToItem(current);
}
