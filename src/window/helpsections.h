// F1: the section of the guide about the control that has the focus.
#pragma once

#include <QString>

class QWidget;

namespace tallimark {

// The guide's anchor for a widget or the nearest of its parents that the guide describes;
// empty for the guide's beginning.
QString helpSectionFor(const QWidget *widget);

} // namespace tallimark
