// Compiled into every program that links the testing library. Under the leak checker, the
// block that fontconfig's configuration parser keeps and never frees is not ours to report.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
