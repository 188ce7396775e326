// Shows the text of its current entry in the look of a value display and, on a left click,
// pops up the system's menu of all its entries; choosing one makes it current, tells the
// listener and redraws. The choice is an entry index (getCurrentEntry): the float value is not
// changed by choosing. An entry whose text is exactly "-" is a separator and is never current
// by choice.
#pragma once

#include <cstdint>

#include "framework/gui/controls/ValueDisplay.h"
#include "platform/WinApi.h"

// The menu item of the current entry carries a check mark.
inline constexpr std::int32_t styleMarkCurrent = 0x400;
// The menu opens with its top at the control's top edge instead of its bottom edge.
inline constexpr std::int32_t styleOpenAtTop = 0x200;

class ChoiceMenu : public ValueDisplay {
public:
    static constexpr std::int32_t maximumEntries = 128;
    static constexpr std::int32_t entryCapacity = 256; // 255 characters and the terminator

    // Adds a reference to each bitmap given. The open background is drawn behind the current
    // text while the menu is open.
    ChoiceMenu(const Rect& size, ControlListener* listener, std::int32_t tag, Bitmap* background,
               Bitmap* openBackground, std::int32_t style);
    ~ChoiceMenu() override;

    // The current entry's text; with no current entry an empty text.
    void draw(DrawContext& context) override;
    // A press of the left button alone shows the menu; the call returns once it has closed
    // and the choice is handled.
    void onMouseDown(DrawContext& context, const Point& where) override;
    void endEditing() override;
    void beginEditing() override;

    // Index -1 (or any negative index) appends, 0 to the count inserts before that entry and
    // keeps the same text current. False, with nothing changed, when 128 entries exist or the
    // index is above the count. At most 255 characters are kept; none gives the empty text.
    // The first entry added becomes current, even a separator.
    virtual bool addEntry(const char* text, std::int32_t index = -1);
    // -1 without a current entry (the buffer is left alone); else the index, and its text in
    // the buffer of entryCapacity characters unless none is given.
    virtual std::int32_t getCurrentEntry(char* buffer);
    // False for an index out of range or a separator. Marks the control for redrawing; the
    // listener is not told.
    virtual bool setCurrentEntry(std::int32_t index);
    virtual bool getEntry(std::int32_t index, char* buffer);
    // Removing the current entry makes the one before it current; removing entry 0 while it
    // is current leaves no current entry.
    virtual bool removeEntry(std::int32_t index);
    virtual bool removeAllEntries();
    virtual std::int32_t getEntryCount();

    HMENU getOpenMenu() const { return openMenu; }

private:
    const char* currentText() const;

    HMENU openMenu = nullptr;
    char* entries[maximumEntries] = {}; // owned; slots 0 .. count - 1 are in use
    std::int32_t entryCount = 0;
    std::int32_t currentEntry = -1;
    Bitmap* openBackground; // one reference held, may be none
};
