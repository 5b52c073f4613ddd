#pragma once

#include "model/complex.h"
#include "model/edge_orientation.h"

#include <stdexcept>
#include <string>
#include <vector>

class RandomSource;
class TextLineReader;

// A .fract file that does not hold what the program writes.
class FractFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The program's generators hold up to this many edges.
constexpr int kGeneratorCapacity = 10;

// A generator: Count edges, each relative to the edge before it (its length
// ratio and turn), in a fixed number of slots.
class FractModel {
public:
    explicit FractModel(int capacity);

    int Capacity() const { return static_cast<int>(Items.size()); }

    // Appends a straight continuation of the last edge, a normal one; the
    // last two slots stay free so that the editor can show one node per
    // slot.
    void AddEdge();
    // Drops the last edge with its orientation; the new last edge takes
    // over its length.
    void DeleteEdge();

    // Whether some edge's copy is not the plain generator.
    bool Oriented() const;

    // Reads edge pairs (real line, imaginary line) to the end of the text,
    // each number with either decimal separator, and then the orientation
    // line if there is one. On a bad line the pairs read so far stay, every
    // edge normal, and a bad imaginary line leaves its real part in the slot
    // at Count.
    void LoadFromText(TextLineReader& reader);
    // Appends two CR LF lines per edge, with the given separator, and the
    // orientation line when some edge is not normal. Every line reads back:
    // an infinite part is written as the largest double of its sign, a part
    // that is not a number as 0.
    void SaveToText(std::string& out, char separator) const;

    // n random normal edges; every absolute edge but the last has a length
    // between minLength and maxLength, the last has length 1.
    void RandomGenerator(int n, double minLength, double maxLength, RandomSource& random);
    // Turns the last edge so that the last absolute edge points along
    // (1, 0), keeping its length.
    void TurnLastEdgeToAxis();

    int Count = 0;
    std::vector<Complex> Items;
    // One per slot; those at Count and above are normal.
    std::vector<EdgeOrientation> Orientations;
};
