#pragma once

// Where the thumb of a horizontal slider stands: its centre moves along a track
// between the margins, and a position maps linearly onto that track.
class SliderGeometry {
public:
    int width = 0;
    int thumbWidth = 0;
    int leftMargin = 0;
    int rightMargin = 0;
    int minimum = 0;
    int maximum = 0;

    int thumbCentre(int position) const;
    int thumbLeft(int position) const { return thumbCentre(position) - thumbWidth / 2; }
    // The position for a thumb centre at x, rounded down.
    int positionAt(int x) const;
    // How far the thumb's centre can be dragged.
    int leftmostCentre() const { return leftMargin + thumbWidth / 2; }
    int rightmostCentre() const { return width - rightMargin - thumbWidth / 2; }
};
