// An output file that appears only when it is complete: everything is written to a
// temporary file beside it, which replaces the target on commit and is removed otherwise.
#pragma once

#include <string>

namespace plughost {

class OutputFile {
public:
    explicit OutputFile(std::string target);
    // Removes the temporary file unless it was committed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    const std::string& temporaryPath() const { return temporary; }
    // Marks the temporary file as created, so that it is cleaned up.
    void opened() { created = true; }
    // Moves the finished file into place.
    bool commit(std::string& error);

private:
    std::string target;
    std::string temporary;
    bool created = false;
    bool committed = false;
};

} // namespace plughost
