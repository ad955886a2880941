#pragma once

#include "HelpWindowbaseClass.h"

/** The window every product's help family uses: the shared frame with the
    product's content, resizable by its border, titled for the product.

    ContentType is the product's content component; the window owns it.
*/
template <typename ContentType>
class ProductHelpWindow : public HelpWindowbaseClass
{
public:
    explicit ProductHelpWindow (const juce::String& title)
    {
        auto* content = new ContentType();

        setResizable (true, false);

        // The content takes the window's content area, not the other way round.
        setContentOwned (content, false);

        setName (title);
    }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProductHelpWindow)
};
