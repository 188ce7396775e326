// The gallery's bitmaps, drawn in code and registered as this program's bitmap resources.
#pragma once

namespace gallery {

enum ArtId {
    artBackground = 9100,
    artVerticalBody,
    artVerticalHandle,
    artHorizontalBody,
    artHorizontalHandle,
    artChoiceBackground,
    artKnobBackground,
    artKnobHandle,
    artKnobFilmstrip,
    artToggle,
    artFilmstripButton,
    artMomentaryButton,
    artVerticalSwitch,
    artHorizontalSwitch,
    artRocker,
    artWaveforms,
    artSpinner,
    artDigits,
    artPopupCard,
    artMeterLit,
    artMeterUnlit,
    artMeterLitHorizontal,
    artMeterUnlitHorizontal,
};

// Sizes the frame needs to place the controls.
constexpr int knobFrames = 31;
constexpr int knobSize = 56;
constexpr int spinnerFrames = 12;
constexpr int spinnerSize = 40;
constexpr int waveformCount = 5;
constexpr int digitWidth = 16;
constexpr int digitHeight = 26;
constexpr int meterSteps = 14;
constexpr int meterHeight = 70;
constexpr int meterWidth = 14;
constexpr int horizontalMeterSteps = 16;
constexpr int horizontalMeterWidth = 96;
constexpr int horizontalMeterHeight = 10;

void registerGalleryArt();

} // namespace gallery
