#pragma once

#include "form/Form.h"

#include <QWidget>

// Form1: the one frameless window. It creates every control once from the layout table and
// hands them out as a Form.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(const QString& programFolder, Platform& platform, Prompter& prompter, FileOps& files,
               QWidget* parent = nullptr);

    Form& form() { return m_form; }

    static constexpr int clientWidth = 844;  // 12660 twips
    static constexpr int clientHeight = 607; // 9105 twips

signals:
    // The mouse moved over the window's own background, not over one of its controls.
    void backgroundMouseMoved();
    // The window was closed; the program ends once the current handler has finished.
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void bindForm();

    Form m_form;
    bool m_centred = false;
};
