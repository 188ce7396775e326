// The plug-ins under fuzzing, made as their entry points make them.
#pragma once

#include <cstdint>

#include "framework/effect/vst2/Interface.h"

AEffect* makeFuzzEffect(std::uint8_t which, audioMasterCallback host);
