#pragma once

// The position and size the "Element Properties" dialog gives a screen element, in canvas pixels.
struct CElementPlacement
{
    static constexpr int kCanvasWidth = 1008;
    static constexpr int kCanvasHeight = 560;

    int top = 0;
    int left = 0;
    int width = kCanvasWidth;
    int height = kCanvasHeight;

    // Each value into its range (top 0..559, left 0..1007, width 1..1008, height 1..560), then the size cut
    // so the element ends inside the canvas.
    void Clamp();
};
