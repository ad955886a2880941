#pragma once

#include "JucePrinters.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <ostream>
#include <vector>

/** One fill the drawing code asked for, with the state it was asked in.

    JUCE turns strokes, lines and outlines into fills of their outline before they reach
    the context, so a stroke shows up here as the fill of the stroked shape: its bounds
    are the stroked path's bounds grown by half the line thickness.
*/
struct RecordedFill
{
    enum class Kind { rectangle, rectangleList, path, image, line, glyph };

    Kind kind = Kind::path;

    /** The shape, in the drawing's own coordinates (rectangles become paths too). */
    juce::Path path;

    /** The filled rectangles, for the rectangle kinds. */
    juce::RectangleList<float> rectangles;

    /** The context's transform at the time: drawing coordinates to the device. */
    juce::AffineTransform transform;

    /** The shape's bounds on the device. */
    juce::Rectangle<float> bounds;

    /** Colour, or gradient with its stops; the colour's alpha is the fill's opacity. */
    juce::FillType fill;

    /** Bounds of the clip region on the device. */
    juce::Rectangle<int> clip;

    /** For glyphs: the font, the glyph and where its pen position lands on the device. */
    juce::Font font;
    int glyph = -1;
    juce::Point<float> origin;

    bool isGradient() const noexcept                  { return fill.isGradient(); }
    juce::Colour colour() const noexcept              { return fill.colour; }
    const juce::ColourGradient& gradient() const      { return *fill.gradient; }

    /** For a line made by Path::addLineSegment: its centre line and its thickness. */
    juce::Line<float> segment() const;
    float segmentThickness() const;
};

/** A graphics context that draws nothing and remembers every fill. */
class RecordingGraphicsContext  : public juce::LowLevelGraphicsContext
{
public:
    explicit RecordingGraphicsContext (juce::Rectangle<int> deviceArea = { 0, 0, 1000, 1000 });

    const std::vector<RecordedFill>& getFills() const noexcept     { return fills; }
    const RecordedFill& operator[] (size_t index) const            { return fills.at (index); }
    size_t size() const noexcept                                   { return fills.size(); }

    /** The glyphs drawn, in order. */
    std::vector<RecordedFill> getGlyphs() const;

    //==============================================================================
    bool isVectorDevice() const override                           { return false; }

    void setOrigin (juce::Point<int>) override;
    void addTransform (const juce::AffineTransform&) override;
    float getPhysicalPixelScaleFactor() override;

    bool clipToRectangle (const juce::Rectangle<int>&) override;
    bool clipToRectangleList (const juce::RectangleList<int>&) override;
    void excludeClipRectangle (const juce::Rectangle<int>&) override;
    void clipToPath (const juce::Path&, const juce::AffineTransform&) override;
    void clipToImageAlpha (const juce::Image&, const juce::AffineTransform&) override;

    bool clipRegionIntersects (const juce::Rectangle<int>&) override;
    juce::Rectangle<int> getClipBounds() const override;
    bool isClipEmpty() const override;

    void saveState() override;
    void restoreState() override;

    void beginTransparencyLayer (float opacity) override;
    void endTransparencyLayer() override;

    void setFill (const juce::FillType&) override;
    void setOpacity (float) override;
    void setInterpolationQuality (juce::Graphics::ResamplingQuality) override {}

    void fillRect (const juce::Rectangle<int>&, bool replaceExistingContents) override;
    void fillRect (const juce::Rectangle<float>&) override;
    void fillRectList (const juce::RectangleList<float>&) override;
    void fillPath (const juce::Path&, const juce::AffineTransform&) override;
    void drawImage (const juce::Image&, const juce::AffineTransform&) override;
    void drawLine (const juce::Line<float>&) override;

    void setFont (const juce::Font&) override;
    const juce::Font& getFont() override;
    void drawGlyph (int glyphNumber, const juce::AffineTransform&) override;

private:
    struct State
    {
        juce::AffineTransform transform;
        juce::RectangleList<int> clip;
        juce::FillType fill;
        juce::Font font;
    };

    State state;
    std::vector<State> savedStates;
    std::vector<RecordedFill> fills;

    juce::Rectangle<int> toDevice (juce::Rectangle<int>) const;
    RecordedFill& record (RecordedFill::Kind, juce::Path);
};

/** Draws into a recording context through a juce::Graphics. */
struct Recording
{
    explicit Recording (juce::Rectangle<int> deviceArea = { 0, 0, 1000, 1000 })
        : context (deviceArea) {}

    RecordingGraphicsContext context;
    juce::Graphics g { context };

    const RecordedFill& operator[] (size_t index) const     { return context[index]; }
    size_t size() const noexcept                            { return context.size(); }
};

//==============================================================================
/** A gradient stop as the tests write it. */
struct Stop
{
    double position;
    juce::uint32 argb;
};

/** Checks the gradient's kind, points and stops. */
::testing::AssertionResult gradientIs (const RecordedFill&, bool radial,
                                       juce::Point<float> point1, juce::Point<float> point2,
                                       const std::vector<Stop>& stops, float tolerance = 1.0e-3f);

/** Checks a fill's colour (not a gradient). */
::testing::AssertionResult colourIs (const RecordedFill&, juce::uint32 argb);

::testing::AssertionResult rectNear (juce::Rectangle<float> actual, juce::Rectangle<float> expected,
                                     float tolerance = 1.0e-3f);

/** Test cases that carry a name print as that name, in failures and in CTest's list. */
template <typename Case>
auto operator<< (std::ostream& os, const Case& c) -> decltype ((void) c.name, os)
{
    return os << c.name;
}

