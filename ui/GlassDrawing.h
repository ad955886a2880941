#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The glass-like shapes the program's look is built from.

    Stateless routines, usable without a look-and-feel object. Coordinates and sizes
    are in the graphics context's current space.
*/
namespace GlassDrawing
{
    /** Blends black (for a light colour: red + green + blue of 384 or more) or white
        over the colour at the given opacity. The shading of this look was tuned with
        that rule, which differs from Colour::contrasting for strongly tinted colours.
    */
    juce::Colour contrasting (juce::Colour colour, float amount) noexcept;

    /** The colour a glass control is drawn in: a little more saturated with the
        keyboard focus, less without, and darker or lighter while pressed or hovered.
    */
    juce::Colour createBaseColour (juce::Colour buttonColour,
                                   bool hasKeyboardFocus,
                                   bool isMouseOver,
                                   bool isButtonDown) noexcept;

    /** Appends a closed rectangle whose corners are each either square or a quarter
        circle of radius cs.
    */
    void createRoundedPath (juce::Path& path,
                            float x, float y, float w, float h, float cs,
                            bool curveTopLeft, bool curveTopRight,
                            bool curveBottomLeft, bool curveBottomRight);

    /** A bar with a lit upper half and a thin dark outline. */
    void drawShinyButtonShape (juce::Graphics& g,
                               float x, float y, float w, float h,
                               float maxCornerSize,
                               juce::Colour baseColour,
                               float strokeWidth,
                               bool flatOnLeft, bool flatOnRight,
                               bool flatOnTop, bool flatOnBottom);

    /** A shiny sphere, as for round buttons and slider knobs. */
    void drawGlassSphere (juce::Graphics& g,
                          float x, float y, float diameter,
                          juce::Colour colour,
                          float outlineThickness);

    /** A glass oblong with round ends, as for text buttons; flat sides are square. */
    void drawGlassLozenge (juce::Graphics& g,
                           float x, float y, float w, float h,
                           juce::Colour colour,
                           float outlineThickness,
                           bool flatOnLeft, bool flatOnRight,
                           bool flatOnTop, bool flatOnBottom);
}
