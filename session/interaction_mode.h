#pragma once

#include <cstdint>

// What the user is doing: the mode decides whether the timer runs and which
// animation boxes can be used.
enum InteractionMode : std::uint8_t {
    modeIdle = 0,
    modeRubberBand = 1,
    modeZooming = 2,
    modeAnimating = 3,
    modePaused = 4,
    modeDragging = 5,
};
