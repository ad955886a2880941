#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The program's look: white popups and menus, translucent grey outlines, glass
    buttons, bars and knobs, and a title bar shaded from the window's second colour
    down to its background colour, carrying three round glass buttons.

    Installed as the default look and feel, it hands the default back to JUCE's own
    when it is destroyed, so nothing draws through it afterwards.
*/
class TemplateLookAndFeel  : public juce::LookAndFeel_V2
{
public:
    enum ColourIds
    {
        /** Set on a DocumentWindow: the colour at the top of its title bar. A window
            without it gets a flat title bar in its background colour.
        */
        secondWindowColourId = 0x2b70100
    };

    TemplateLookAndFeel();
    ~TemplateLookAndFeel() override;

    /** Gives a window the colour its title bar is shaded from. */
    static void setSecondWindowColour (juce::DocumentWindow& window, juce::Colour colour);

    /** The colour at the top of the window's title bar. */
    juce::Colour getSecondWindowColour (const juce::DocumentWindow& window) const;

    //==============================================================================
    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                               bool isMouseOverButton, bool isButtonDown) override;

    void drawTickBox (juce::Graphics&, juce::Component&,
                      float x, float y, float w, float h,
                      bool ticked, bool isEnabled,
                      bool isMouseOverButton, bool isButtonDown) override;

    void drawProgressBar (juce::Graphics&, juce::ProgressBar&, int width, int height,
                          double progress, const juce::String& textToShow) override;

    void drawScrollbarButton (juce::Graphics&, juce::ScrollBar&, int width, int height,
                              int buttonDirection, bool isScrollbarVertical,
                              bool isMouseOverButton, bool isButtonDown) override;

    void drawScrollbar (juce::Graphics&, juce::ScrollBar&, int x, int y, int width, int height,
                        bool isScrollbarVertical, int thumbStartPosition, int thumbSize,
                        bool isMouseOver, bool isMouseDown) override;

    juce::ImageEffectFilter* getScrollbarEffect() override;

    void drawTextEditorOutline (juce::Graphics&, int width, int height, juce::TextEditor&) override;

    //==============================================================================
    /** Room for the tip's text in 15-pixel bold, beside the pointer on the side with more space. */
    juce::Rectangle<int> getTooltipBounds (const juce::String& tipText, juce::Point<int> screenPos,
                                           juce::Rectangle<int> parentArea) override;

    void drawTooltip (juce::Graphics&, const juce::String& text, int width, int height) override;

    //==============================================================================
    void drawPopupMenuBackground (juce::Graphics&, int width, int height) override;

    /** The combo box's drop-down list is a popup menu too; it keeps its own look. */
    void drawPopupMenuBackgroundWithOptions (juce::Graphics&, int width, int height,
                                             const juce::PopupMenu::Options&) override;

    void drawPopupMenuItemWithOptions (juce::Graphics&, const juce::Rectangle<int>& area,
                                       bool isHighlighted, const juce::PopupMenu::Item&,
                                       const juce::PopupMenu::Options&) override;

    void drawPopupMenuSectionHeaderWithOptions (juce::Graphics&, const juce::Rectangle<int>& area,
                                                const juce::String& sectionName,
                                                const juce::PopupMenu::Options&) override;

    void getIdealPopupMenuItemSizeWithOptions (const juce::String& text, bool isSeparator,
                                               int standardMenuItemHeight,
                                               int& idealWidth, int& idealHeight,
                                               const juce::PopupMenu::Options&) override;

    /** The menu font, or the drop-down list font while a combo box's list is drawn. */
    juce::Font getPopupMenuFont() override;

    void drawMenuBarBackground (juce::Graphics&, int width, int height,
                                bool isMouseOverBar, juce::MenuBarComponent&) override;

    //==============================================================================
    void drawComboBox (juce::Graphics&, int width, int height, bool isButtonDown,
                       int buttonX, int buttonY, int buttonW, int buttonH,
                       juce::ComboBox&) override;

    /** Background of a combo box's drop-down list. */
    void drawComboBoxPopupBackground (juce::Graphics&, int width, int height);

    /** The font of the box's text and the font of its drop-down list's rows. */
    void getComboBoxFonts (juce::Font& textFont, juce::Font& listFont, juce::ComboBox&);

    juce::Font getComboBoxFont (juce::ComboBox&) override;

    //==============================================================================
    void drawLinearSlider (juce::Graphics&, int x, int y, int width, int height,
                           float sliderPos, float minSliderPos, float maxSliderPos,
                           juce::Slider::SliderStyle, juce::Slider&) override;

    int getSliderThumbRadius (juce::Slider&) override;

    juce::Button* createSliderButton (juce::Slider&, bool isIncrement) override;

    juce::ImageEffectFilter* getSliderEffect (juce::Slider&) override;

    //==============================================================================
    void drawCornerResizer (juce::Graphics&, int w, int h, bool isMouseOver, bool isMouseDragging) override;

    void drawDocumentWindowTitleBar (juce::DocumentWindow&, juce::Graphics&, int w, int h,
                                     int titleSpaceX, int titleSpaceW,
                                     const juce::Image* icon, bool drawTitleTextOnLeft) override;

    juce::Button* createDocumentWindowButton (int buttonType) override;

    void positionDocumentWindowButtons (juce::DocumentWindow&,
                                        int titleBarX, int titleBarY, int titleBarW, int titleBarH,
                                        juce::Button* minimiseButton,
                                        juce::Button* maximiseButton,
                                        juce::Button* closeButton,
                                        bool positionTitleBarButtonsOnLeft) override;

private:
    juce::Colour minimiseButtonColour, maximiseButtonColour, closeButtonColour;

    // Only while a combo box's list asks for its font; the menu code gives no other way
    // to tell getPopupMenuFont which list it is for.
    juce::ComboBox* comboBoxBeingListed = nullptr;

    static juce::ComboBox* getComboBoxListed (const juce::PopupMenu::Options&) noexcept;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TemplateLookAndFeel)
};
