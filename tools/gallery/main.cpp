// Renders the gallery frame headless and saves its picture: gallery <output.png>.
#include <cstdio>

#include "framework/gui/Frame.h"
#include "platform/WinApi.h"
#include "platform/testing/Testing.h"
#include "tools/gallery/GalleryFrame.h"
#include "tools/gallery/GalleryLayout.h"

int main(int argc, char** argv) {
    const char* output = argc > 1 ? argv[1] : "gallery.png";

    WNDCLASSA hostClass{};
    hostClass.lpfnWndProc = &DefWindowProcA;
    hostClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    hostClass.lpszClassName = "GalleryHost";
    RegisterClassA(&hostClass);
    HWND host = CreateWindowExA(0, "GalleryHost", "Gallery", WS_POPUP | WS_VISIBLE, 0, 0,
                                gallery::frameWidth, gallery::frameHeight, nullptr, nullptr,
                                nullptr, nullptr);

    Frame* frame = gallery::makeGalleryFrame(host);
    platform::testing::paint(frame->getWindowHandle());
    const bool saved = platform::testing::savePng(
        platform::testing::windowPicture(frame->getWindowHandle()), output);
    delete frame;
    DestroyWindow(host);
    if (!saved) {
        std::fprintf(stderr, "gallery: cannot write %s\n", output);
        return 1;
    }
    return 0;
}
