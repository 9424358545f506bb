#pragma once

#include "growth/GrowthRules.h"

#include <span>
#include <string>
#include <vector>

// The height-weight plane of one stage cut into pieces by the bounds of its rules: open cells
// between the cuts, the open segments on the cuts between them, and the corners where cuts
// cross. Each piece belongs to the rule that wins everywhere on it (in the order of trial), or
// to none. The growth map draws cells as regions and segments as their edges.
namespace growth {

class GrowthMap {
public:
    static constexpr int kNone = -1;

    explicit GrowthMap(std::string_view stage);

    // The rules whose regions the map shows, in their order of trial (not the egg's count).
    const std::vector<Rule>& Rules() const { return rules; }
    // The cut values, ascending, without repeats.
    const std::vector<double>& HeightCuts() const { return heightCuts; }
    const std::vector<double>& WeightCuts() const { return weightCuts; }

    // Pieces are numbered per axis: even numbers are the open intervals (0 below the first cut,
    // 2k between cut k-1 and cut k, 2n above the last), odd 2k+1 the cut k itself.
    int HeightPiece(double height) const { return Piece(heightCuts, height); }
    int WeightPiece(double weight) const { return Piece(weightCuts, weight); }
    int PieceCount(const std::vector<double>& cuts) const { return 2 * static_cast<int>(cuts.size()) + 1; }
    // The index into Rules() of the rule that owns the piece, or kNone.
    int Owner(int heightPiece, int weightPiece) const;

    // Where the map puts a point: the next stage, or "" when the pet stays there (an unfit pet
    // stays anywhere).
    std::string StageAt(double height, double weight, int health, int dirty) const;

private:
    static int Piece(const std::vector<double>& cuts, double value);
    // A value inside the piece, to ask the rules about it.
    static double Inside(const std::vector<double>& cuts, int piece);

    std::vector<Rule> rules;
    std::vector<double> heightCuts;
    std::vector<double> weightCuts;
    std::vector<int> owners; // by height piece, then weight piece
};

} // namespace growth
