#include "form/ControlFactory.h"

#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"
#include "widgets/PageFrame.h"
#include "widgets/PictureBox.h"
#include "widgets/PreviewPlayer.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace Layout;

const QColor lightCyan(192, 255, 255);
const QColor titleBrown(128, 64, 0);

QFont fontFor(Layout::Font font) {
    struct Face {
        const char* family;
        qreal points;
        bool bold;
        bool italic;
    };
    Face face{"Arial", 9, true, false};
    switch (font) {
    case Layout::Font::None:
        return QFont();
    case Layout::Font::Title:
        face = {"Arial", 14.25, true, false};
        break;
    case Layout::Font::Bold9:
        break;
    case Layout::Font::Regular9:
        face = {"Arial", 9, false, false};
        break;
    case Layout::Font::ButtonCaption:
        face = {"Arial", 8.25, true, false};
        break;
    case Layout::Font::PlaylistList:
        face = {"Arial", 9.75, true, false};
        break;
    case Layout::Font::Path:
        face = {"Arial", 9.75, false, false};
        break;
    case Layout::Font::SongList:
        face = {"Arial", 11.25, true, false};
        break;
    case Layout::Font::Link:
        face = {"Arial", 11.25, true, true};
        break;
    case Layout::Font::SansLarge:
        face = {"MS Sans Serif", 12, true, false};
        break;
    case Layout::Font::SansText:
        face = {"MS Sans Serif", 9.75, true, false};
        break;
    case Layout::Font::SansSmall:
        face = {"MS Sans Serif", 8.25, true, false};
        break;
    }
    QFont result(QString::fromLatin1(face.family));
    result.setPointSizeF(face.points);
    result.setBold(face.bold);
    result.setItalic(face.italic);
    return result;
}

// The tutorial's buttons have the fixed sizes of a smaller system font; where a caption does not
// fit in this one, the button's font shrinks until it does, rather than cutting the caption off.
void fitCaption(QPushButton* button) {
    constexpr qreal smallest = 6;
    QFont font = button->font();
    while (button->sizeHint().width() > button->width() && font.pointSizeF() > smallest) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        button->setFont(font);
    }
}

void paintBackground(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}

QWidget* makeLabel(const Control& row, QWidget* container) {
    auto* label = new CaptionLabel(container);
    Qt::Alignment align = (row.flags & Centred) ? Qt::AlignHCenter : Qt::AlignLeft;
    label->setAlignment(align | Qt::AlignTop);
    label->setWordWrap(row.flags & Wrapped);
    if (row.flags & Opaque)
        label->setBackgroundColor(row.flags & LightCyan ? lightCyan : titleBrown);
    if (QString::fromLatin1(row.name) == QLatin1String("title"))
        label->setTextColor(Qt::white);
    label->setSizedToText(row.flags & SizedToText);
    return label;
}

QWidget* makePicture(const Control& row, QWidget* container) {
    auto* picture = new PictureBox(container);
    picture->setPicture(Artwork::picture(row.picture), row.flags & Stretched);
    if (row.flags & HandCursor)
        picture->setCursor(Artwork::handCursor());
    return picture;
}

QWidget* makeWidget(const Control& row, QWidget* container) {
    switch (row.kind) {
    case Kind::Label:
        return makeLabel(row, container);
    case Kind::Picture:
        return makePicture(row, container);
    case Kind::Page:
        return new PageFrame(container);
    case Kind::HelpBox: {
        auto* box = new QGroupBox(QString::fromUtf8(row.caption), container);
        box->setFlat(true);
        box->setAutoFillBackground(true);
        box->setStyleSheet(QStringLiteral(
            "QGroupBox { background: rgb(192,255,255); border: 1px solid rgb(59,34,102);"
            " margin-top: 0px; padding-top: 16px; }"
            "QGroupBox::title { subcontrol-origin: padding; left: 6px; top: 1px; }"));
        return box;
    }
    case Kind::PushButton:
        return new QPushButton(QString::fromUtf8(row.caption), container);
    case Kind::ListBox: {
        auto* list = new ListBox(container);
        list->setSorted(row.flags & Sorted);
        list->setMultiSelect(row.flags & MultiSelect);
        return list;
    }
    case Kind::FileList: {
        auto* list = new FileList(container);
        if (row.flags & SongPattern)
            list->setPattern(QStringLiteral("*.mp3*"));
        return list;
    }
    case Kind::DirList:
        return new DirList(container);
    case Kind::DriveList:
        return new DriveList(container);
    case Kind::TextBox:
        return new QLineEdit(container);
    case Kind::Player:
        return new PreviewPlayer(container);
    }
    return nullptr;
}

} // namespace

QWidget* createControl(const Control& row, QWidget* container) {
    QWidget* widget = makeWidget(row, container);
    widget->setObjectName(objectName(row));
    if (row.font != Layout::Font::None)
        widget->setFont(fontFor(row.font));
    if (row.flags & LightCyan)
        paintBackground(widget, lightCyan);
    widget->setGeometry(pixels(row.left), pixels(row.top), pixels(row.width), pixels(row.height));
    if (auto* label = qobject_cast<CaptionLabel*>(widget))
        label->setCaption(QString::fromUtf8(row.caption));
    if (auto* button = qobject_cast<QPushButton*>(widget))
        fitCaption(button);
    widget->setVisible(!(row.flags & Hidden));
    return widget;
}
