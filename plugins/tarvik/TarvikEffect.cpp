#include "plugins/tarvik/TarvikEffect.h"

const ParameterTable<9> TarvikEffect::parameterTable = {
    {{
        // name, unit, value text, program default, initial value
        {" Delay  ", "samples ", ValueText::asFloat, 0.5f, 0.0f},
        {"FeedBack", " amount ", ValueText::asFloat, 0.5f, 0.0f},
        {" Volume ", "   dB   ", ValueText::asDecibels, 0.75f, 0.0f},
        {" freq ", "   fr   ", ValueText::asFloat, 0.5f, 0.5f},
        {" depth ", "   dep   ", ValueText::asFloat, 0.5f, 0.8f},
        {" Mfreq ", "  M fr   ", ValueText::asFloat, 0.5f, 0.5f},
        {" Mdepth ", "  M dep   ", ValueText::asFloat, 0.5f, 0.5f},
        {" Delay ", "  Delay  ", ValueText::asFloat, 0.5f, 0.5f},
        {" D Feed ", "  D Feed   ", ValueText::asFloat, 0.5f, 0.5f},
    }},
    {0, 4, 1, 2, 7, 8, 6, 5, 3},
};

TarvikEffect::TarvikEffect(audioMasterCallback hostCallback)
    : ProgramBankEffect(hostCallback, parameterTable) {
    finishConstruction();
}
