#pragma once

#include <juce_graphics/juce_graphics.h>

#include <ostream>

// Readable failure messages for the JUCE types the tests compare: the one set of them.
namespace juce
{
    inline void PrintTo (const String& text, std::ostream* os)
    {
        *os << '"' << text.toStdString() << '"';
    }

    inline void PrintTo (const StringArray& lines, std::ostream* os)
    {
        *os << "{ ";

        for (int i = 0; i < lines.size(); ++i)
            *os << (i > 0 ? ", \"" : "\"") << lines[i].toStdString() << '"';

        *os << " }";
    }

    inline void PrintTo (const Rectangle<int>& area, std::ostream* os)
    {
        *os << "(" << area.toString().toStdString() << ")";
    }

    inline void PrintTo (const Rectangle<float>& area, std::ostream* os)
    {
        *os << "(" << area.toString().toStdString() << ")";
    }

    inline void PrintTo (const Point<float>& point, std::ostream* os)
    {
        *os << "(" << point.toString().toStdString() << ")";
    }

    inline void PrintTo (const Colour& colour, std::ostream* os)
    {
        *os << "0x" << colour.toString().toStdString();
    }

    inline void PrintTo (const MemoryBlock& bytes, std::ostream* os)
    {
        *os << bytes.getSize() << " bytes: " << String::toHexString (bytes.getData(), (int) jmin ((size_t) 24, bytes.getSize())).toStdString()
            << (bytes.getSize() > 24 ? " ..." : "");
    }
}
