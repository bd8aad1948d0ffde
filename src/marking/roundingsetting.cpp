#include "roundingsetting.h"

namespace tallimark {

void RoundingSetting::mnuInteger_Click()
{
    m_multipleOf5 = false;
    m_integer = true;
}

void RoundingSetting::mnu5_Click()
{
    m_multipleOf5 = true;
    m_integer = false;
}

} // namespace tallimark
