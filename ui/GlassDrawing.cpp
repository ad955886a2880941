#include "GlassDrawing.h"

namespace GlassDrawing
{
    using juce::Colour;
    namespace Colours = juce::Colours;
    using juce::ColourGradient;

    namespace
    {
        constexpr auto pi = juce::MathConstants<float>::pi;

        // A corner is round unless the shape is flat on one of its two sides.
        void createOutline (juce::Path& path, float x, float y, float w, float h, float cs,
                            bool flatOnLeft, bool flatOnRight, bool flatOnTop, bool flatOnBottom)
        {
            createRoundedPath (path, x, y, w, h, cs,
                               ! (flatOnLeft  || flatOnTop),
                               ! (flatOnRight || flatOnTop),
                               ! (flatOnLeft  || flatOnBottom),
                               ! (flatOnRight || flatOnBottom));
        }
    }

    Colour contrasting (Colour colour, float amount) noexcept
    {
        const auto sum = (int) colour.getRed() + (int) colour.getGreen() + (int) colour.getBlue();
        return colour.overlaidWith ((sum >= 384 ? Colours::black : Colours::white).withAlpha (amount));
    }

    Colour createBaseColour (Colour buttonColour, bool hasKeyboardFocus, bool isMouseOver, bool isButtonDown) noexcept
    {
        const auto baseColour = buttonColour.withMultipliedSaturation (hasKeyboardFocus ? 1.3f : 0.9f);

        if (isButtonDown)
            return contrasting (baseColour, 0.2f);

        if (isMouseOver)
            return contrasting (baseColour, 0.1f);

        return baseColour;
    }

    void createRoundedPath (juce::Path& path, float x, float y, float w, float h, float cs,
                            bool curveTopLeft, bool curveTopRight, bool curveBottomLeft, bool curveBottomRight)
    {
        const auto d = cs * 2.0f;

        if (curveTopLeft)
        {
            path.startNewSubPath (x, y + cs);
            path.addArc (x, y, d, d, pi * 1.5f, pi * 2.0f);
        }
        else
        {
            path.startNewSubPath (x, y);
        }

        if (curveTopRight)
        {
            path.lineTo (x + w - cs, y);
            path.addArc (x + w - d, y, d, d, 0.0f, pi * 0.5f);
        }
        else
        {
            path.lineTo (x + w, y);
        }

        if (curveBottomRight)
        {
            path.lineTo (x + w, y + h - cs);
            path.addArc (x + w - d, y + h - d, d, d, pi * 0.5f, pi);
        }
        else
        {
            path.lineTo (x + w, y + h);
        }

        if (curveBottomLeft)
        {
            path.lineTo (x + cs, y + h);
            path.addArc (x, y + h - d, d, d, pi, pi * 1.5f);
        }
        else
        {
            path.lineTo (x, y + h);
        }

        path.closeSubPath();
    }

    void drawShinyButtonShape (juce::Graphics& g, float x, float y, float w, float h,
                               float maxCornerSize, Colour baseColour, float strokeWidth,
                               bool flatOnLeft, bool flatOnRight, bool flatOnTop, bool flatOnBottom)
    {
        if (w <= strokeWidth * 1.1f || h <= strokeWidth * 1.1f)
            return;

        const auto cs = juce::jmin (maxCornerSize, w * 0.5f, h * 0.5f);

        juce::Path outline;
        createOutline (outline, x, y, w, h, cs, flatOnLeft, flatOnRight, flatOnTop, flatOnBottom);

        const auto blue = Colour (0xff0000ff);

        ColourGradient cg (baseColour.overlaidWith (Colours::white.withAlpha (0.0f)), 0.0f, y,
                           baseColour.overlaidWith (blue.withAlpha (0.03f)), 0.0f, y + h,
                           false);

        // The abrupt change in the middle is what makes the upper half look lit.
        cg.addColour (0.5,  baseColour.overlaidWith (Colours::white.withAlpha (0.2f)));
        cg.addColour (0.51, baseColour.overlaidWith (blue.withAlpha (0.07f)));

        g.setGradientFill (cg);
        g.fillPath (outline);

        g.setColour (Colours::black.withAlpha (0.5f));
        g.strokePath (outline, juce::PathStrokeType (strokeWidth));
    }

    void drawGlassSphere (juce::Graphics& g, float x, float y, float diameter,
                          Colour colour, float outlineThickness)
    {
        if (diameter <= outlineThickness)
            return;

        juce::Path ball;
        ball.addEllipse (x, y, diameter, diameter);

        {
            const auto pale = Colours::white.overlaidWith (colour.withMultipliedAlpha (0.3f));

            ColourGradient cg (pale, 0.0f, y, pale, 0.0f, y + diameter, false);
            cg.addColour (0.4, Colours::white.overlaidWith (colour));

            g.setGradientFill (cg);
            g.fillPath (ball);
        }

        g.setGradientFill (ColourGradient (Colours::white, 0.0f, y + diameter * 0.06f,
                                           Colours::transparentWhite, 0.0f, y + diameter * 0.3f,
                                           false));
        g.fillEllipse (x + diameter * 0.2f, y + diameter * 0.05f, diameter * 0.6f, diameter * 0.4f);

        {
            ColourGradient cg (Colours::transparentBlack,
                               x + diameter * 0.5f, y + diameter * 0.5f,
                               Colours::black.withAlpha (0.5f * outlineThickness * colour.getFloatAlpha()),
                               x, y + diameter * 0.5f,
                               true);

            cg.addColour (0.7, Colours::transparentBlack);
            cg.addColour (0.8, Colours::black.withAlpha (0.1f * outlineThickness));

            g.setGradientFill (cg);
            g.fillPath (ball);
        }

        g.setColour (Colours::black.withAlpha (0.5f * colour.getFloatAlpha()));
        g.drawEllipse (x, y, diameter, diameter, outlineThickness);
    }

    void drawGlassLozenge (juce::Graphics& g, float x, float y, float w, float h,
                           Colour colour, float outlineThickness,
                           bool flatOnLeft, bool flatOnRight, bool flatOnTop, bool flatOnBottom)
    {
        if (w <= outlineThickness || h <= outlineThickness)
            return;

        const auto ix = (int) x;
        const auto iy = (int) y;
        const auto iw = (int) w;
        const auto ih = (int) h;

        const auto cs = juce::jmin (w * 0.5f, h * 0.5f);
        const auto edge = h * 0.75f + (h - cs * 2.0f);
        const auto iedge = (int) edge;

        juce::Path outline;
        createOutline (outline, x, y, w, h, cs, flatOnLeft, flatOnRight, flatOnTop, flatOnBottom);

        const auto dark = colour.darker (0.2f);

        {
            ColourGradient cg (dark, 0.0f, y, dark, 0.0f, y + h, false);

            cg.addColour (0.03, colour.withMultipliedAlpha (0.3f));
            cg.addColour (0.4,  colour);
            cg.addColour (0.97, colour.withMultipliedAlpha (0.3f));

            g.setGradientFill (cg);
            g.fillPath (outline);
        }

        // Shading of the round ends, each clipped to its own end.
        ColourGradient ends (Colours::transparentBlack, x + edge, y + h * 0.5f,
                             dark, x, y + h * 0.5f,
                             true);

        ends.addColour (1.0 - (cs * 0.5f)  / edge, Colours::transparentBlack);
        ends.addColour (1.0 - (cs * 0.25f) / edge, dark.withMultipliedAlpha (0.3f));

        if (! (flatOnLeft || flatOnTop || flatOnBottom))
        {
            juce::Graphics::ScopedSaveState state (g);

            g.setGradientFill (ends);
            g.reduceClipRegion (ix, iy, iedge, ih);
            g.fillPath (outline);
        }

        if (! (flatOnRight || flatOnTop || flatOnBottom))
        {
            ends.point1 = { x + w - edge, y + h * 0.5f };
            ends.point2 = { x + w, y + h * 0.5f };

            juce::Graphics::ScopedSaveState state (g);

            g.setGradientFill (ends);
            g.reduceClipRegion (ix + iw - iedge, iy, iedge + 2, ih);
            g.fillPath (outline);
        }

        {
            const auto leftIndent  = flatOnLeft  ? 0.0f : cs * 0.4f;
            const auto rightIndent = flatOnRight ? 0.0f : cs * 0.4f;

            juce::Path highlight;
            createOutline (highlight,
                           x + leftIndent, y + cs * 0.1f,
                           w - (leftIndent + rightIndent), h * 0.4f,
                           cs * 0.4f,
                           flatOnLeft, flatOnRight, flatOnTop, flatOnBottom);

            g.setGradientFill (ColourGradient (colour.brighter (10.0f), 0.0f, y + h * 0.06f,
                                               Colours::transparentWhite, 0.0f, y + h * 0.4f,
                                               false));
            g.fillPath (highlight);
        }

        g.setColour (colour.darker (0.4f).withMultipliedAlpha (1.5f));
        g.strokePath (outline, juce::PathStrokeType (outlineThickness));
    }
}
