#include "plugins/ombrel/OmbrelEffect.h"

const ParameterTable<7> OmbrelEffect::parameterTable = {
    {{
        // name, unit, value text, program default, initial value
        {" Delay  ", "samples ", ValueText::asFloat, 0.5f, 0.0f},
        {"FeedBack", " amount ", ValueText::asFloat, 0.5f, 0.0f},
        {" freq ", "   fr   ", ValueText::asFloat, 0.5f, 0.5f},
        {" Mfreq ", "  M fr   ", ValueText::asFloat, 0.5f, 0.5f},
        {" Mdepth ", "  M dep   ", ValueText::asFloat, 0.5f, 0.5f},
        {" Delay ", "  Delay  ", ValueText::asFloat, 0.5f, 0.5f},
        {" D Feed ", "  D Feed   ", ValueText::asFloat, 0.5f, 0.5f},
    }},
    {0, 1, 5, 6, 2, 4, 3},
};

OmbrelEffect::OmbrelEffect(audioMasterCallback hostCallback)
    : ProgramBankEffect(hostCallback, parameterTable) {
    finishConstruction();
}
