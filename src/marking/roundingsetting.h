// How the final result is rounded: the two check marks of the Settings menu. Exactly one is
// checked; the program starts at "multiple of 5" and choosing an item never toggles it.
#pragma once

namespace tallimark {

class RoundingSetting
{
public:
    void mnuInteger_Click();
    void mnu5_Click();

    bool mnuIntegerChecked() const { return m_integer; }
    bool mnu5Checked() const { return m_multipleOf5; }
    // What the result calculation reads.
    bool resultAsInteger() const { return m_integer; }

private:
    bool m_integer = false;
    bool m_multipleOf5 = true;
};

} // namespace tallimark
