#pragma once

#include <QListView>
#include <QStringList>

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

signals:
    void itemClicked(int row);
    void itemDoubleClicked(int row);

protected:
    QStringListModel* model() const { return m_model; }

private:
    void setTruncated(bool truncated);

    QStringListModel* m_model;
    bool m_sorted = false;
    bool m_truncated = false;
};
