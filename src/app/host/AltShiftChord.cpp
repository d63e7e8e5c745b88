#include "AltShiftChord.h"

#include <cstddef>

namespace velmora {

namespace {
constexpr uint16_t kControlMask = 1u << 2;
int32_t GroupOfState(uint16_t nState) { return (nState >> 13) & 3; }
}  // namespace

void CAltShiftChord::SetKeySymbols(uint8_t nKeycode, const std::vector<uint32_t>& groupSyms) {
    constexpr uint32_t kShiftL = 0xffe1, kShiftR = 0xffe2, kMetaL = 0xffe7, kAltR = 0xffea;
    KeyRole role = KeyRole::Other;
    char chLetter = 0;
    for (const uint32_t nSym : groupSyms) {
        if (nSym == kShiftL || nSym == kShiftR) {
            role = KeyRole::Shift;
        } else if (nSym >= kMetaL && nSym <= kAltR) {
            role = KeyRole::Alt;
        } else if (chLetter == 0 && nSym >= 'a' && nSym <= 'z') {
            // The letter of the first group that has one: the key's place on a Latin keyboard.
            chLetter = static_cast<char>(nSym);
        }
    }
    m_roles[nKeycode] = role;
    m_letters[nKeycode] = role == KeyRole::Other ? chLetter : 0;
}

void CAltShiftChord::ClearKeys() {
    m_roles.fill(KeyRole::Other);
    m_letters.fill(0);
}

bool CAltShiftChord::AnyHeld(KeyRole role) const {
    for (std::size_t i = 0; i < m_held.size(); ++i) {
        if (m_held[i] && m_roles[i] == role) {
            return true;
        }
    }
    return false;
}

CAltShiftChord::Result CAltShiftChord::OnKeyPress(uint8_t nKeycode, uint16_t nState) {
    Result result;
    const KeyRole role = m_roles[nKeycode];
    if (role != KeyRole::Other) {
        // The first modifier of a chord sees the group before any switch the chord makes.
        if (!AnyHeld(KeyRole::Alt) && !AnyHeld(KeyRole::Shift)) {
            m_nChordGroup = GroupOfState(nState);
            m_bFired = false;
        }
        m_held[nKeycode] = true;
        return result;
    }
    if (m_letters[nKeycode] != 0 && AnyHeld(KeyRole::Alt) && AnyHeld(KeyRole::Shift) && (nState & kControlMask) == 0) {
        result.chLetter = m_letters[nKeycode];
    }
    return result;
}

CAltShiftChord::Result CAltShiftChord::OnKeyRelease(uint8_t nKeycode) {
    Result result;
    if (m_roles[nKeycode] == KeyRole::Other || !m_held[nKeycode]) {
        return result;
    }
    m_held[nKeycode] = false;
    if (m_bFired && !AnyHeld(KeyRole::Alt) && !AnyHeld(KeyRole::Shift)) {
        // Reported even when the event's state still shows the chord's group: a layout switch
        // may come with this very release, after the state the event carries.
        m_bFired = false;
        result.nRestoreGroup = m_nChordGroup;
    }
    return result;
}

void CAltShiftChord::CommandRan() { m_bFired = true; }

void CAltShiftChord::Reset() {
    m_held.fill(false);
    m_bFired = false;
}

}  // namespace velmora
