#include "RecordingGraphicsContext.h"

#include <cmath>

namespace
{
    std::vector<juce::Point<float>> pointsOf (const juce::Path& path)
    {
        std::vector<juce::Point<float>> points;

        for (juce::Path::Iterator i (path); i.next();)
            if (i.elementType == juce::Path::Iterator::startNewSubPath
                 || i.elementType == juce::Path::Iterator::lineTo)
                points.push_back ({ i.x1, i.y1 });

        return points;
    }

    juce::String describe (juce::Colour c)    { return "0x" + c.toString(); }
}

juce::Line<float> RecordedFill::segment() const
{
    const auto p = pointsOf (path);

    if (p.size() != 4)
        return {};

    return { (p[0] + p[1]) / 2.0f, (p[2] + p[3]) / 2.0f };
}

float RecordedFill::segmentThickness() const
{
    const auto p = pointsOf (path);
    return p.size() == 4 ? p[0].getDistanceFrom (p[1]) : 0.0f;
}

//==============================================================================
RecordingGraphicsContext::RecordingGraphicsContext (juce::Rectangle<int> deviceArea)
{
    state.clip = juce::RectangleList<int> (deviceArea);
}

std::vector<RecordedFill> RecordingGraphicsContext::getGlyphs() const
{
    std::vector<RecordedFill> glyphs;

    for (auto& f : fills)
        if (f.kind == RecordedFill::Kind::glyph)
            glyphs.push_back (f);

    return glyphs;
}

juce::Rectangle<int> RecordingGraphicsContext::toDevice (juce::Rectangle<int> r) const
{
    return r.toFloat().transformedBy (state.transform).getSmallestIntegerContainer();
}

RecordedFill& RecordingGraphicsContext::record (RecordedFill::Kind kind, juce::Path path)
{
    RecordedFill f;
    f.kind = kind;
    f.path = std::move (path);
    f.transform = state.transform;
    f.bounds = f.path.getBoundsTransformed (state.transform);
    f.fill = state.fill;
    f.clip = state.clip.getBounds();
    f.font = state.font;

    fills.push_back (std::move (f));
    return fills.back();
}

//==============================================================================
void RecordingGraphicsContext::setOrigin (juce::Point<int> o)
{
    state.transform = juce::AffineTransform::translation ((float) o.x, (float) o.y).followedBy (state.transform);
}

void RecordingGraphicsContext::addTransform (const juce::AffineTransform& t)
{
    state.transform = t.followedBy (state.transform);
}

float RecordingGraphicsContext::getPhysicalPixelScaleFactor()
{
    return std::sqrt (std::abs (state.transform.getDeterminant()));
}

bool RecordingGraphicsContext::clipToRectangle (const juce::Rectangle<int>& r)
{
    state.clip.clipTo (toDevice (r));
    return ! state.clip.isEmpty();
}

bool RecordingGraphicsContext::clipToRectangleList (const juce::RectangleList<int>& list)
{
    juce::RectangleList<int> onDevice;

    for (auto& r : list)
        onDevice.addWithoutMerging (toDevice (r));

    state.clip.clipTo (onDevice);
    return ! state.clip.isEmpty();
}

void RecordingGraphicsContext::excludeClipRectangle (const juce::Rectangle<int>& r)
{
    state.clip.subtract (toDevice (r));
}

void RecordingGraphicsContext::clipToPath (const juce::Path& path, const juce::AffineTransform& t)
{
    state.clip.clipTo (path.getBoundsTransformed (t.followedBy (state.transform)).getSmallestIntegerContainer());
}

void RecordingGraphicsContext::clipToImageAlpha (const juce::Image& image, const juce::AffineTransform& t)
{
    state.clip.clipTo (image.getBounds().toFloat()
                            .transformedBy (t.followedBy (state.transform))
                            .getSmallestIntegerContainer());
}

bool RecordingGraphicsContext::clipRegionIntersects (const juce::Rectangle<int>& r)
{
    return state.clip.intersects (toDevice (r));
}

juce::Rectangle<int> RecordingGraphicsContext::getClipBounds() const
{
    return state.clip.getBounds().toFloat()
                .transformedBy (state.transform.inverted())
                .getSmallestIntegerContainer();
}

bool RecordingGraphicsContext::isClipEmpty() const
{
    return state.clip.isEmpty();
}

void RecordingGraphicsContext::saveState()
{
    savedStates.push_back (state);
}

void RecordingGraphicsContext::restoreState()
{
    if (! savedStates.empty())
    {
        state = savedStates.back();
        savedStates.pop_back();
    }
}

void RecordingGraphicsContext::beginTransparencyLayer (float)
{
    saveState();
}

void RecordingGraphicsContext::endTransparencyLayer()
{
    restoreState();
}

void RecordingGraphicsContext::setFill (const juce::FillType& f)
{
    state.fill = f;
}

void RecordingGraphicsContext::setOpacity (float opacity)
{
    // As JUCE's own renderers do: the opacity replaces the fill colour's alpha.
    state.fill.setOpacity (opacity);
}

//==============================================================================
void RecordingGraphicsContext::fillRect (const juce::Rectangle<int>& r, bool)
{
    fillRect (r.toFloat());
}

void RecordingGraphicsContext::fillRect (const juce::Rectangle<float>& r)
{
    juce::Path p;
    p.addRectangle (r);
    record (RecordedFill::Kind::rectangle, std::move (p)).rectangles.add (r);
}

void RecordingGraphicsContext::fillRectList (const juce::RectangleList<float>& list)
{
    juce::Path p;

    for (auto& r : list)
        p.addRectangle (r);

    record (RecordedFill::Kind::rectangleList, std::move (p)).rectangles = list;
}

void RecordingGraphicsContext::fillPath (const juce::Path& path, const juce::AffineTransform& t)
{
    juce::Path p (path);
    p.applyTransform (t);
    record (RecordedFill::Kind::path, std::move (p));
}

void RecordingGraphicsContext::drawImage (const juce::Image& image, const juce::AffineTransform& t)
{
    juce::Path p;
    p.addRectangle (image.getBounds().toFloat());
    p.applyTransform (t);
    record (RecordedFill::Kind::image, std::move (p));
}

void RecordingGraphicsContext::drawLine (const juce::Line<float>& line)
{
    juce::Path p;
    p.startNewSubPath (line.getStart());
    p.lineTo (line.getEnd());
    record (RecordedFill::Kind::line, std::move (p));
}

void RecordingGraphicsContext::setFont (const juce::Font& f)
{
    state.font = f;
}

const juce::Font& RecordingGraphicsContext::getFont()
{
    return state.font;
}

void RecordingGraphicsContext::drawGlyph (int glyphNumber, const juce::AffineTransform& t)
{
    juce::Path outline;

    if (auto typeface = state.font.getTypefacePtr())
        typeface->getOutlineForGlyph (glyphNumber, outline);

    const auto height = state.font.getHeight();
    outline.applyTransform (juce::AffineTransform::scale (height * state.font.getHorizontalScale(), height)
                                .followedBy (t));

    auto& f = record (RecordedFill::Kind::glyph, std::move (outline));
    f.glyph = glyphNumber;
    f.origin = juce::Point<float>().transformedBy (t.followedBy (state.transform));
}

//==============================================================================
::testing::AssertionResult gradientIs (const RecordedFill& f, bool radial,
                                       juce::Point<float> point1, juce::Point<float> point2,
                                       const std::vector<Stop>& stops, float tolerance)
{
    if (! f.isGradient())
        return ::testing::AssertionFailure() << "not a gradient but the colour " << describe (f.colour());

    const auto& cg = f.gradient();

    if (cg.isRadial != radial)
        return ::testing::AssertionFailure() << (cg.isRadial ? "radial" : "linear") << " gradient";

    if (cg.point1.getDistanceFrom (point1) > tolerance || cg.point2.getDistanceFrom (point2) > tolerance)
        return ::testing::AssertionFailure() << "runs from (" << cg.point1.toString() << ") to ("
                                             << cg.point2.toString() << ")";

    if (cg.getNumColours() != (int) stops.size())
        return ::testing::AssertionFailure() << cg.getNumColours() << " stops";

    for (int i = 0; i < cg.getNumColours(); ++i)
    {
        const auto& expected = stops[(size_t) i];

        if (std::abs (cg.getColourPosition (i) - expected.position) > tolerance
             || cg.getColour (i).getARGB() != expected.argb)
            return ::testing::AssertionFailure() << "stop " << i << " is " << describe (cg.getColour (i))
                                                 << " at " << cg.getColourPosition (i)
                                                 << ", expected " << describe (juce::Colour (expected.argb))
                                                 << " at " << expected.position;
    }

    return ::testing::AssertionSuccess();
}

::testing::AssertionResult colourIs (const RecordedFill& f, juce::uint32 argb)
{
    if (f.isGradient())
        return ::testing::AssertionFailure() << "a gradient, not a colour";

    if (f.colour().getARGB() != argb)
        return ::testing::AssertionFailure() << "colour " << describe (f.colour())
                                             << ", expected " << describe (juce::Colour (argb));

    return ::testing::AssertionSuccess();
}

::testing::AssertionResult rectNear (juce::Rectangle<float> actual, juce::Rectangle<float> expected, float tolerance)
{
    if (std::abs (actual.getX() - expected.getX()) > tolerance
         || std::abs (actual.getY() - expected.getY()) > tolerance
         || std::abs (actual.getWidth() - expected.getWidth()) > tolerance
         || std::abs (actual.getHeight() - expected.getHeight()) > tolerance)
        return ::testing::AssertionFailure() << "(" << actual.toString() << "), expected ("
                                             << expected.toString() << ")";

    return ::testing::AssertionSuccess();
}
