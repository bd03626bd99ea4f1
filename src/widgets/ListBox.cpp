#include "widgets/ListBox.h"

#include "widgets/NameOrder.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QStringListModel>
#include <QTextDocument>
#include <QToolTip>

#include <algorithm>

ListBox::ListBox(QWidget* parent)
    : QListView(parent)
    , m_model(new QStringListModel(this)) {
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row has the same height, which lets the view lay out 32,767 rows without
    // measuring each one.
    setUniformItemSizes(true);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit itemClicked(index.row()); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit itemDoubleClicked(index.row()); });
}

void ListBox::setSorted(bool sorted) {
    if (sorted == m_sorted)
        return;
    m_sorted = sorted;
    if (sorted && count() > 1)
        setItems(items());
}

void ListBox::setMultiSelect(bool multi) {
    setSelectionMode(multi ? QAbstractItemView::MultiSelection
                           : QAbstractItemView::SingleSelection);
}

void ListBox::clear() {
    ++m_revision;
    m_model->setStringList({});
    setTruncated(false);
}

void ListBox::addItem(const QString& text) {
    const int rows = count();
    if (rows >= maxEntries) {
        setTruncated(true);
        return;
    }
    insertRow(m_sorted ? orderedRowFor(text) : rows, text);
}

// Binary searches over the model rather than a copy of its list: a copy would make a later
// insertion detach and copy every entry.
int ListBox::orderedRowFor(const QString& text) const {
    int low = 0;
    int high = count();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (NameOrder::less(text, item(middle)))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

int ListBox::orderedRowOf(const QString& text) const {
    int low = 0;
    int high = count();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (NameOrder::less(item(middle), text))
            low = middle + 1;
        else
            high = middle;
    }
    return low < count() && item(low) == text ? low : -1;
}

void ListBox::insertRow(int row, const QString& text) {
    ++m_revision;
    m_model->insertRows(row, 1);
    m_model->setData(m_model->index(row), text);
}

void ListBox::removeRow(int row) {
    ++m_revision;
    m_model->removeRows(row, 1);
}

void ListBox::setItems(QStringList items) {
    if (m_sorted)
        NameOrder::sort(items);
    const bool truncated = items.size() > maxEntries;
    if (truncated)
        items.resize(maxEntries);
    ++m_revision;
    m_model->setStringList(items);
    setTruncated(truncated);
}

int ListBox::count() const {
    return m_model->rowCount();
}

QString ListBox::item(int row) const {
    if (row < 0 || row >= count())
        return {};
    return m_model->index(row).data(Qt::DisplayRole).toString();
}

QStringList ListBox::items() const {
    return m_model->stringList();
}

int ListBox::selectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (selected.isEmpty())
        return -1;
    return std::min_element(
               selected.begin(), selected.end(),
               [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); })
        ->row();
}

QString ListBox::selectedText() const {
    return item(selectedRow());
}

void ListBox::selectRow(int row) {
    if (row < 0 || row >= count()) {
        clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

bool ListBox::isSelected(int row) const {
    if (row < 0 || row >= count())
        return false;
    return selectionModel()->isSelected(m_model->index(row));
}

void ListBox::setSelected(int row, bool selected) {
    if (row < 0 || row >= count())
        return;
    selectionModel()->select(m_model->index(row), selected ? QItemSelectionModel::Select
                                                           : QItemSelectionModel::Deselect);
}

int ListBox::selectedCount() const {
    return int(selectionModel()->selectedRows().size());
}

void ListBox::clearSelection() {
    QListView::clearSelection();
}

void ListBox::setTruncated(bool truncated) {
    m_truncated = truncated;
    setToolTip(truncated ? tr("Only the first 32,767 entries are shown.") : QString());
}

void ListBox::setToolTipSource(ToolTipSource source) {
    m_toolTipSource = std::move(source);
}

QString ListBox::toolTipAt(int row) const {
    if (!m_toolTipSource || row < 0 || row >= count())
        return {};
    return m_toolTipSource(row);
}

bool ListBox::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip && m_toolTipSource) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        if (const QString text = toolTipAt(index.isValid() ? index.row() : -1); !text.isEmpty()) {
            // Tags are the file's own words: never let them be read as markup.
            QToolTip::showText(help->globalPos(),
                               Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap), viewport(),
                               visualRect(index));
            return true;
        }
    }
    return QListView::viewportEvent(event);
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier) {
        const int key = event->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            isSignalConnected(QMetaMethod::fromSignal(&ListBox::enterPressed))) {
            event->accept();
            emit enterPressed(currentIndex().isValid() ? currentIndex().row() : -1);
            return;
        }
        if (key == Qt::Key_Delete &&
            isSignalConnected(QMetaMethod::fromSignal(&ListBox::deletePressed))) {
            event->accept();
            emit deletePressed();
            return;
        }
    }
    QListView::keyPressEvent(event);
}
