// The texts of the About and Help messages.
#pragma once

#include <QString>

namespace tallimark {

QString aboutTitle();
// A credit line, a carriage return, and the product's web address.
QString aboutText();
QString helpTitle();
QString helpText();

} // namespace tallimark
