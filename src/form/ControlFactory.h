#pragma once

#include "form/LayoutTable.h"

class QWidget;

// Makes one control of the layout table inside its container, with its geometry, font,
// colours, caption and design-time visibility.
QWidget* createControl(const Layout::Control& row, QWidget* container);
