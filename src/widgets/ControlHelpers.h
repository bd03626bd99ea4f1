#pragma once

class QColor;
class QMouseEvent;
class QWidget;

// Small pieces of behaviour shared by the clickable and colourable controls.
namespace ControlHelpers {

// Remembers whether a left press began on the control.
void notePress(QMouseEvent* event, bool& pressed);
// Whether this release ends a left click that began on widget and ends still inside it.
bool endsClick(QMouseEvent* event, const QWidget* widget, bool& pressed);

// Fills the widget's background with color, making it opaque.
void fillBackground(QWidget* widget, const QColor& color);

} // namespace ControlHelpers
