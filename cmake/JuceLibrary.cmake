# JUCE's modules are compiled once, into brevane_juce, which every executable
# of the project links. JUCE's module targets are interface libraries whose
# sources land in whatever links them; linking them privately into one static
# library keeps them from being compiled again for each executable.

set(BREVANE_JUCE_MODULES
    juce_core
    juce_cryptography
    juce_events
    juce_data_structures
    juce_graphics
    juce_gui_basics
    juce_audio_basics
    juce_audio_devices)

add_library(brevane_juce STATIC)

foreach(module IN LISTS BREVANE_JUCE_MODULES)
    target_link_libraries(brevane_juce PRIVATE juce::${module})
    target_compile_definitions(brevane_juce PUBLIC JUCE_MODULE_AVAILABLE_${module}=1)
endforeach()

target_link_libraries(brevane_juce PUBLIC juce::juce_recommended_config_flags)

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    # Debian builds JUCE against the system image libraries.
    target_link_libraries(brevane_juce PUBLIC juce::pkgconfig_JUCE_IMG_LINUX_DEPS)
    target_compile_definitions(brevane_juce PUBLIC LINUX=1)
elseif(WIN32)
    # Debian's JUCE has no bundled image libraries and Debian no MinGW builds of
    # them: scripts/windows-image-libs.sh builds them into BREVANE_WINDOWS_LIBS.
    find_path(BREVANE_PNG_INCLUDE_DIR png.h REQUIRED)
    find_library(BREVANE_PNG_LIBRARY NAMES libpng16.a REQUIRED)
    find_library(BREVANE_JPEG_LIBRARY NAMES libjpeg.a REQUIRED)
    find_library(BREVANE_ZLIB_LIBRARY NAMES libz.a REQUIRED)
    target_include_directories(brevane_juce SYSTEM PUBLIC ${BREVANE_PNG_INCLUDE_DIR})
    target_link_libraries(brevane_juce PUBLIC ${BREVANE_PNG_LIBRARY} ${BREVANE_JPEG_LIBRARY} ${BREVANE_ZLIB_LIBRARY})
endif()

target_compile_definitions(brevane_juce PUBLIC
    $<IF:$<CONFIG:DEBUG>,DEBUG=1 _DEBUG=1,NDEBUG=1 _NDEBUG=1>
    JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
    JUCE_STANDALONE_APPLICATION=1
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_USE_DARK_SPLASH_SCREEN=1
    JUCE_REPORT_APP_USAGE=0
    JUCE_JACK=0
    JUCE_APPLICATION_NAME_STRING="Brevane"
    JUCE_APPLICATION_VERSION_STRING="${PROJECT_VERSION}")

# Module headers are what every user of the library compiles against; they are
# system headers to the project, so its warnings stay about its own code.
target_include_directories(brevane_juce SYSTEM PUBLIC ${JUCE_MODULES_DIR})
