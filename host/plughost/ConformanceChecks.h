// The checks of plughost check: each drives fresh instances of a plug-in the way some real
// host does, hostile but legal, and says whether the plug-in coped.
#pragma once

#include "host/PluginLibrary.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plughost {

struct CheckOutcome {
    bool passed = true;
    std::string detail; // why it failed, or what was covered
};

struct ConformanceCheck {
    std::string name;
    std::function<CheckOutcome()> run;
};

// The checks for one library, in the order they run.
std::vector<ConformanceCheck> conformanceChecks(std::shared_ptr<vsthost::PluginLibrary> library);

} // namespace plughost
