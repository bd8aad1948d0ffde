// The texts of the About message. Help opens the user guide (HelpWindow).
#pragma once

#include <QString>

namespace tallimark {

QString aboutTitle();
// A credit line, a carriage return, and the product's web address.
QString aboutText();

} // namespace tallimark
