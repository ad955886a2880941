#include "ShownComponent.h"

#include "support/MessageLoop.h"

namespace
{
    // A request made before the window is on the screen goes nowhere, and under a
    // plain ctest run other test processes share the display and may take the focus
    // at any moment: so ask again until it has arrived.
    bool keepAskingUntil (const std::function<bool()>& arrived, const std::function<void()>& ask)
    {
        return MessageLoop::runUntil ([&]
        {
            if (arrived())
                return true;

            ask();
            return arrived();
        }, 5000);
    }
}

ShownComponent::ShownComponent (juce::Rectangle<int> bounds)
{
    setBounds (bounds);
    addToDesktop (0);
    setVisible (true);

    keepAskingUntil ([this] { auto* peer = getPeer(); return peer != nullptr && peer->isFocused(); },
                     [this] { toFront (true); });
}

ShownComponent::~ShownComponent()
{
    removeFromDesktop();
}

bool ShownComponent::giveFocusTo (juce::Component& c)
{
    c.setWantsKeyboardFocus (true);

    return keepAskingUntil ([&c] { return c.hasKeyboardFocus (false); },
                            [&c]
                            {
                                if (auto* top = c.getTopLevelComponent())
                                    top->toFront (true);

                                c.grabKeyboardFocus();
                            });
}

bool ShownComponent::makeActive (juce::TopLevelWindow& window)
{
    window.setVisible (true);

    return keepAskingUntil ([&window] { return window.isActiveWindow(); },
                            [&window] { window.toFront (true); });
}
