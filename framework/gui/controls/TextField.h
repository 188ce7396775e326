// A line of text in the look of a value display that the user edits in the system's edit box.
// A left click opens a single-line box exactly over the control; Enter, or anything that takes
// the focus from the box (a click elsewhere in the frame, another window), closes it, keeps
// the typed text, redraws and tells the listener when the text changed. The control holds
// text: its float value is not touched by editing.
#pragma once

#include <cstdint>

#include "framework/gui/controls/TextConverter.h"
#include "framework/gui/controls/ValueDisplay.h"
#include "platform/WinApi.h"

class TextField : public ValueDisplay {
public:
    static constexpr std::int32_t textCapacity = 256; // 255 characters and the terminator

    // Keeps at most 255 characters of the text; none gives the empty text. Adds a reference to
    // the background, if there is one.
    TextField(const Rect& size, ControlListener* listener, std::int32_t tag, const char* text,
              Bitmap* background, std::int32_t style);
    // A box still open is closed without taking its text or telling anyone.
    ~TextField() override;

    // The text, or what the text converter makes of it, the way the value display looks.
    void draw(DrawContext& context) override;
    // Opens the box on a press of the left button alone, unless it is open already.
    void onMouseDown(DrawContext& context, const Point& where) override;
    // Closes the box and takes its text back: at most 254 characters come back.
    void endEditing() override;
    // Opens the box; the control must be attached to a frame that has a window.
    void beginEditing() override;

    // Keeps at most 255 characters and marks the control for redrawing; none is ignored.
    virtual void setText(const char* newText);
    // Copies the text into a buffer of textCapacity characters; none is ignored.
    virtual void getText(char* buffer);
    virtual void setTextConverter(TextConverter converter);

    HWND getEditWindow() const { return editWindow; }

private:
    static LRESULT CALLBACK editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void closeBox();

    HWND editWindow = nullptr;
    HFONT editFont = nullptr; // owned while the box is open
    char text[textCapacity] = {};
    TextConverter textConverter = nullptr;
};
