#pragma once

class QWidget;

// Tells assistive technology that a picture or a label works as a button (or a link): its
// role, its press action, which clicks it. The widget needs a clicked() signal.
namespace ButtonAccessible {

enum class Kind { Button, Link };

void markAs(QWidget* widget, Kind kind);

} // namespace ButtonAccessible
