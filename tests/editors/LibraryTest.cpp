// The built libraries, loaded as a host loads them: the record announces the editor, and the
// editor's size comes from the background bitmap, which the library registered at load.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "framework/effect/vst2/Interface.h"
#include "tests/support/RecordingHost.h"

namespace {

struct Library {
    const char* path;
    int width;
    int height;
};

class LibraryTest : public ::testing::TestWithParam<Library> {};

TEST_P(LibraryTest, TheLoadedLibraryHasItsEditorAndItsBitmaps) {
    // Kept mapped after dlclose: the layer's registries deliberately outlive the library's
    // static destruction, and the leak checker would count them once it is unmapped.
    void* library = dlopen(GetParam().path, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    ASSERT_NE(library, nullptr) << dlerror();
    using Entry = AEffect* (*)(audioMasterCallback);
    auto entry = reinterpret_cast<Entry>(dlsym(library, "main"));
    ASSERT_NE(entry, nullptr);

    RecordingHost host;
    AEffect* record = entry(host.callback());
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->flags, 21);
    EXPECT_EQ(record->uniqueID, 0x516D7477);

    ERect* rect = nullptr;
    EXPECT_EQ(record->dispatcher(record, effEditGetRect, 0, 0, &rect, 0.0f), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, GetParam().width);
    EXPECT_EQ(rect->bottom - rect->top, GetParam().height);

    // Without a parent window there is no window to draw in, but the editor still opens.
    EXPECT_EQ(record->dispatcher(record, effEditOpen, 0, 0, nullptr, 0.0f), 1);
    record->dispatcher(record, effEditIdle, 0, 0, nullptr, 0.0f);
    record->dispatcher(record, effEditClose, 0, 0, nullptr, 0.0f);
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
    dlclose(library);
}

INSTANTIATE_TEST_SUITE_P(Plugins, LibraryTest,
                         ::testing::Values(Library{TARVIK_LIBRARY, 350, 290},
                                           Library{OMBREL_LIBRARY, 285, 290},
                                           Library{QUISEL_LIBRARY, 215, 270}));

} // namespace
