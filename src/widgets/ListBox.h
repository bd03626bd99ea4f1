#pragma once

#include <QListView>
#include <QStringList>

#include <functional>

class QStringListModel;

// A list of text entries backed by a string model, so that thousands of entries are set in one
// step. Positions are 16-bit: a list holds at most maxEntries entries.
class ListBox : public QListView {
    Q_OBJECT
public:
    static constexpr int maxEntries = 32767;

    explicit ListBox(QWidget* parent = nullptr);

    // Keeps entries in case-insensitive alphabetical order as they are added.
    void setSorted(bool sorted);
    // Several entries can be selected; each click toggles one entry.
    void setMultiSelect(bool multi);

    void clear();
    void addItem(const QString& text);
    void setItems(QStringList items); // replaces all entries at once (sorted if the list is)
    int count() const;
    QString item(int row) const;
    QStringList items() const;

    // Single selection: the selected row (-1 for none) and its text ("" for none).
    int selectedRow() const;
    QString selectedText() const;
    void selectRow(int row); // programmatic; emits no click
    // Multi selection.
    bool isSelected(int row) const;
    void setSelected(int row, bool selected);
    int selectedCount() const;
    void clearSelection();

    // Whether the last fill had to drop entries beyond maxEntries.
    bool isTruncated() const { return m_truncated; }

    // The tooltip of each row, asked for only when the pointer rests on a row, so that filling
    // the list costs the same with or without it. The text is shown as plain text.
    using ToolTipSource = std::function<QString(int row)>;
    void setToolTipSource(ToolTipSource source);
    QString toolTipAt(int row) const; // "" for no row or no source

signals:
    void itemClicked(int row);
    void itemDoubleClicked(int row);
    // Return or Enter on the focused list (row: the current row, -1 for none), and Delete.
    // While nothing is connected, the keys do what a list view does by itself.
    void enterPressed(int row);
    void deletePressed();

protected:
    QStringListModel* model() const { return m_model; }
    // For entries in name order: the row where text belongs (after equal entries), and the row
    // that holds text (-1 for none).
    int orderedRowFor(const QString& text) const;
    int orderedRowOf(const QString& text) const;
    // Single-row changes that keep the selection on the entries it was on.
    void insertRow(int row, const QString& text);
    void removeRow(int row);
    // Grows with every change of the entries.
    quint64 revision() const { return m_revision; }
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setTruncated(bool truncated);

    QStringListModel* m_model;
    ToolTipSource m_toolTipSource;
    bool m_sorted = false;
    bool m_truncated = false;
    quint64 m_revision = 0;
};
