#pragma once

class FractModel;
class RandomSource;

// The generator animation: edges turning by small random rates and edge
// lengths swinging like springs towards random targets. The per-edge data
// lives in generators of their own: a turn per edge (angleSteps), and a
// target length in the real part with the velocity in the imaginary part
// (lengthTargets). steps is the zoom step count (at least one), which also
// sets the animation's pace.

// Every edge but the last gets its own small turn; the last edge's turn
// cancels all the others, so the last edge never moves.
void PrepareAngleSteps(const FractModel& generator, int steps, RandomSource& random, FractModel& angleSteps);

// Every edge but the last gets a target halfway between its absolute length
// and a random one in [minLength, maxLength], and starts at rest.
void PrepareLengthTargets(const FractModel& generator, double minLength, double maxLength, RandomSource& random,
                          FractModel& lengthTargets);

// One step of each pass; the data must match the generator's edge count.
void TurnEdges(FractModel& generator, const FractModel& angleSteps);
void SwingLengths(FractModel& generator, FractModel& lengthTargets, int steps);
