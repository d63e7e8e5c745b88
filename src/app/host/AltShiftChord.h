#pragma once
// Recognising Alt+Shift+letter by the keys' positions on the keyboard, whatever the layout and
// whatever Alt and Shift do to it. With a layout-switch option such as grp:alt_shift_toggle,
// Alt+Shift switches the keyboard group and no longer reaches programs as modifiers: the letter
// then arrives as Alt+letter, Shift+letter or a Hebrew letter. Watching which keys are held
// down, by keycode, still sees the chord; the group it switched is switched back afterwards, so
// that the command does not change the user's layout.

#include <array>
#include <cstdint>
#include <vector>

namespace velmora {

class CAltShiftChord {
public:
    // Tells what key nKeycode is from its unmodified X keysyms, one per group: an Alt key (Alt or
    // Meta), a Shift key, or the key of a Latin letter in some group.
    void SetKeySymbols(uint8_t nKeycode, const std::vector<uint32_t>& groupSyms);
    void ClearKeys();

    struct Result {
        char chLetter = 0;           // the chord's letter: its command should run, the key be eaten
        int32_t nRestoreGroup = -1;  // a group to lock again now, or -1
    };
    // A key went down or up. nState is the X event state: modifiers in the low bits, the keyboard
    // group in bits 13 and 14. Presses of a letter key while an Alt key and a Shift key are held
    // (and no Control) report the letter; releasing the last Alt or Shift key of a chord that ran
    // a command reports the group that was locked when the chord began (the caller locks it
    // when the keyboard is no longer in it).
    Result OnKeyPress(uint8_t nKeycode, uint16_t nState);
    Result OnKeyRelease(uint8_t nKeycode);
    // The letter OnKeyPress reported ran its command: the chord's group switch is to be undone.
    void CommandRan();
    // Forgets the keys held (the focus left: their releases will not come).
    void Reset();

private:
    enum class KeyRole : uint8_t {
        Other,
        Alt,
        Shift
    };
    bool AnyHeld(KeyRole role) const;

    std::array<KeyRole, 256> m_roles{};
    std::array<char, 256> m_letters{};
    std::array<bool, 256> m_held{};
    int32_t m_nChordGroup = -1;
    bool m_bFired = false;
};

}  // namespace velmora
