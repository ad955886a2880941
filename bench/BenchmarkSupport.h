#pragma once

#include "firmware/FirmwareImage.h"

#include <sys/resource.h>

// What more than one benchmark needs.
namespace BenchmarkSupport
{
    /** Some bytes lent from another image, with their own name. */
    class ImageSlice  : public FirmwareImage
    {
    public:
        ImageSlice (const juce::uint8* bytes, int numBytes)  : FirmwareImage ("slice", 0.0, 0)
        {
            data = bytes;
            size = numBytes;
        }
    };

    /** User and system time of the whole process so far. */
    inline double cpuSeconds()
    {
        rusage usage {};
        getrusage (RUSAGE_SELF, &usage);
        return (double) usage.ru_utime.tv_sec + (double) usage.ru_utime.tv_usec / 1e6
             + (double) usage.ru_stime.tv_sec + (double) usage.ru_stime.tv_usec / 1e6;
    }
}
