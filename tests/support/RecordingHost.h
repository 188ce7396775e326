// A host callback that records every call and answers from a table, for everything in
// the tests that talks to the host.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "framework/effect/vst2/Interface.h"

struct HostCall {
    AEffect* effect;
    std::int32_t opcode;
    std::int32_t index;
    std::intptr_t value;
    void* ptr;
    float opt;
};

class RecordingHost {
public:
    RecordingHost() { current() = this; }
    ~RecordingHost() { current() = nullptr; }

    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    audioMasterCallback callback() const { return &RecordingHost::dispatch; }

    // The answer to an opcode; unanswered opcodes get 0, except the version query, which a
    // real host answers with its interface version.
    void answer(std::int32_t opcode, std::intptr_t result) { answers[opcode] = result; }

    // What the host does when called with this opcode, before it answers: a host may call
    // the plug-in back from inside its callback. An empty reaction removes it.
    void reactTo(std::int32_t opcode, std::function<void()> reaction) {
        reactions[opcode] = std::move(reaction);
    }

    std::vector<HostCall> calls;

    std::vector<HostCall> callsOf(std::int32_t opcode) const {
        std::vector<HostCall> found;
        for (const HostCall& call : calls) {
            if (call.opcode == opcode) {
                found.push_back(call);
            }
        }
        return found;
    }

private:
    static RecordingHost*& current() {
        static RecordingHost* host = nullptr;
        return host;
    }

    static std::intptr_t VST_CALL dispatch(AEffect* effect, std::int32_t opcode, std::int32_t index,
                                           std::intptr_t value, void* ptr, float opt) {
        RecordingHost* host = current();
        if (host == nullptr) {
            return 0;
        }
        host->calls.push_back({effect, opcode, index, value, ptr, opt});
        auto reaction = host->reactions.find(opcode);
        if (reaction != host->reactions.end() && reaction->second) {
            reaction->second();
        }
        auto found = host->answers.find(opcode);
        if (found != host->answers.end()) {
            return found->second;
        }
        return opcode == audioMasterVersion ? 2400 : 0;
    }

    std::map<std::int32_t, std::intptr_t> answers;
    std::map<std::int32_t, std::function<void()>> reactions;
};
