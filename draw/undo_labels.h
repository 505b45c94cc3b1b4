#pragma once
// The names the Edit menu gives to undo operations: 21 slots of 14 bytes loaded from the string
// table (resources 1283 onward), so a label keeps at most 13 characters.

#include <array>
#include <string>
#include <string_view>

namespace vt {

class UndoLabels {
  public:
    static constexpr int kSlots = 21;
    static constexpr int kSlotBytes = 14;
    static constexpr int kFirstStringId = 1283;

    // Stores text into a slot, cut to 13 characters as the fixed slot does.
    void Set(int code, std::string_view text);
    std::string Get(int code) const;

    // The tables of the two editors; they differ only in the codes no tool of theirs names alike.
    static UndoLabels Studio();
    static UndoLabels Animator();

    // "&Undo <label>\tCtrl+Z" while Undo is available, "&Undo \tCtrl+Z" when it is not.
    std::string UndoMenuText(int code, bool enabled) const;
    std::string RedoMenuText(int code, bool enabled) const;

  private:
    std::array<std::array<char, kSlotBytes>, kSlots> m_slots{};
};

}  // namespace vt
